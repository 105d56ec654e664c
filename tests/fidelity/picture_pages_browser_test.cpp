// The model's pages of every document that holds Windows metafiles or bitmaps (the shared corpus
// and tests/data/pictures/) in a real browser: every picture the decoders draw is an image in
// the page that decodes and, drawn at its size, shows something. Prints, for each format, how
// many pictures the documents hold and how many were drawn. Skipped without Chromium.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "choice/convert_rtf_document.h"
#include "model_page/pictures.h"
#include "reader/read_rtf.h"
#include "tests/support/chromium.h"
#include "tests/support/paths.h"

namespace tessarine::testing {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> DocumentsWithMetafilesOrBitmaps() {
  std::vector<fs::path> found;
  for (const fs::path& root : {CorpusDir(), DataDir() / "pictures"}) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (!it->is_regular_file() || it->path().extension() != ".rtf") continue;
      std::string bytes;
      if (!ReadFileBytes(it->path(), &bytes).ok()) continue;
      for (const char* word : {"\\wmetafile", "\\emfblip", "\\dibitmap", "\\wbitmap"}) {
        if (bytes.find(word) != std::string::npos) {
          found.push_back(it->path());
          break;
        }
      }
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

size_t Count(const std::string& page, const std::string& part) {
  size_t n = 0;
  for (size_t at = page.find(part); at != std::string::npos; at = page.find(part, at + 1)) ++n;
  return n;
}

TEST(PicturePagesInBrowserTest, EveryDrawnPictureDecodesAndShowsSomething) {
  const auto chromium = FindChromium();
  if (chromium.empty()) GTEST_SKIP() << "Chromium is not installed; the browser check is skipped";
  const std::vector<fs::path> documents = DocumentsWithMetafilesOrBitmaps();
  ASSERT_FALSE(documents.empty());
  Settings settings;
  settings.rtfengine = "model";
  const std::map<model::PictureFormat, const char*> names = {{model::PictureFormat::kWmf, "WMF"},
                                                             {model::PictureFormat::kEmf, "EMF"},
                                                             {model::PictureFormat::kDib, "DIB"},
                                                             {model::PictureFormat::kDdb, "DDB"}};
  std::map<std::string, std::pair<int, int>> counts;  // format: held, drawn
  std::vector<std::string> pages;
  for (const fs::path& path : documents) {
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, &bytes).ok()) << path;
    size_t drawn = 0;
    for (const model::Picture& picture : ReadRtfDocument(bytes).pictures) {
      const auto name = names.find(picture.format);
      if (name == names.end()) continue;
      const bool draws = DrawnPicture(picture).has_value();
      if (!draws)
        std::printf("not drawn: %s, %s of %zu bytes\n", path.c_str(), name->second, picture.data.size());
      counts[name->second].first += 1;
      counts[name->second].second += draws ? 1 : 0;
      drawn += draws ? 1 : 0;
    }
    pages.push_back(ConvertRtfDocument(bytes, settings).page);
    EXPECT_EQ(Count(pages.back(), "<img src=\"data:image/svg+xml;") +
                  Count(pages.back(), "<img src=\"data:image/bmp;"),
              drawn)
        << path;
  }
  const std::vector<std::vector<std::string>> results = CheckPagesInBrowser(chromium, pages);
  ASSERT_EQ(results.size(), documents.size()) << "no result from the browser";
  int images = 0;
  for (size_t d = 0; d < documents.size(); ++d) {
    for (const std::string& check : results[d]) {
      if (!check.starts_with("img:")) continue;
      ++images;
      EXPECT_EQ(check, "img:ok") << documents[d];
    }
  }
  for (const auto& [format, held_drawn] : counts) {
    std::printf("%s: %d pictures, %d drawn\n", format.c_str(), held_drawn.first, held_drawn.second);
  }
  std::printf("%zu documents, %d pictures in their pages\n", documents.size(), images);
  // What the decoders draw today: a picture lost is a regression. Most metafiles are the
  // corpus's, which a checkout without it lacks.
  if (fs::exists(CorpusDir())) {
    EXPECT_GE(counts["WMF"].second, 40);
    EXPECT_GE(counts["EMF"].second, 5);
  }
  EXPECT_GE(counts["DIB"].second, 1);
  EXPECT_GE(counts["DDB"].second, 1);
}

}  // namespace
}  // namespace tessarine::testing
