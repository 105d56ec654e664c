// Pages written from the model in a real browser: every in-page link (notes both ways, local
// links) lands on its anchor, and every picture decodes. Skipped when Chromium is not installed
// (scripts/install-deps.sh installs it for the tests).
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model_page/write_page.h"
#include "tests/model_page/document_builder.h"
#include "tests/model_page/sample_images.h"
#include "tests/support/chromium.h"

namespace tessarine {
namespace {

using namespace testing;

model::Picture MakePicture(model::PictureFormat format, std::string data, int32_t width) {
  model::Picture picture;
  picture.format = format;
  picture.data = std::move(data);
  picture.width_twips = width;
  picture.height_twips = width;
  return picture;
}

TEST(ModelPageInBrowserTest, EveryInPageLinkFindsItsAnchorAndEveryPictureDecodes) {
  const auto chromium = FindChromium();
  if (chromium.empty()) GTEST_SKIP() << "Chromium is not installed; the browser check is skipped";

  model::Document document = Document({
      Para({Bookmark("Начало"), Text("Смотрите отчёт"), Mark(0), Text(" и "), Text("сводку", Format().Bold()),
            Mark(1), Text(".")}),
      Para({Text("Picture "), Picture(0), Text(" and "), Picture(1), Text(" and "), Picture(2)}),
      Table({Row({Cell(3000, {Para({Text("in a cell"), Mark(2), Bookmark("cell \"one\"")})}),
                  Cell(6000, {Para({LinkStart("Начало", true), Text("to the top"), LinkEnd()})})})}),
      Para({LinkStart("#cell \"one\""), Text("to the cell"), LinkEnd(), Text(" "), LinkStart("hts1", true),
            Text("a bookmark named like a note"), LinkEnd(), Bookmark("hts1")}),
  });
  document.notes.push_back(Note(model::NoteKind::kFootnote, {Para({Text("Отчёт за май "), Picture(1)})}));
  document.notes.push_back(Note(model::NoteKind::kComment, {Para("Проверить.")}));
  document.notes.push_back(Note(model::NoteKind::kEndnote, {Para("End"), Para("note")}));
  document.pictures = {MakePicture(model::PictureFormat::kPng, PngBytes(), 300),
                       MakePicture(model::PictureFormat::kJpeg, JpegBytes(), 0),
                       MakePicture(model::PictureFormat::kWmf, "wmf", 600)};

  const std::vector<std::vector<std::string>> results = CheckPagesInBrowser(chromium, {PageOf(document)});
  ASSERT_EQ(results.size(), 1u) << "no result from the browser";
  const std::vector<std::string>& checks = results.front();
  // Three notes linked both ways, three local links; a PNG and a JPEG in the text, the JPEG again
  // in a note (the WMF picture is a box, not an <img>).
  const std::vector<std::string> expected = {"link:ok", "link:ok", "link:ok", "link:ok", "link:ok", "link:ok",
                                             "link:ok", "link:ok", "link:ok", "img:ok",  "img:ok",  "img:ok"};
  EXPECT_EQ(checks, expected);
}

}  // namespace
}  // namespace tessarine
