// The passes stopped on the way by the comparison of their body: only when their whole page would
// not show the document, and a page compared on the way gets the verdict the whole page gets.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "fuzz/fuzz_checks.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

namespace fs = std::filesystem;

struct Tally {
  int documents = 0, stopped = 0, shown = 0, stopped_by_opening = 0;
};

// Converts `raw` with the document read before the passes start, so that the comparison sees
// the body from its first paragraph on, and checks it against the whole page's comparison.
void Check(const std::string& raw, const std::string& name, const Settings& settings, Tally& tally) {
  bool stopped = false;
  bool shows = false;
  EXPECT_EQ(fuzzing::CheckBodyComparison(raw, settings, &stopped, &shows), "") << name;
  ++tally.documents;
  tally.stopped += stopped ? 1 : 0;
  tally.shown += !stopped && shows ? 1 : 0;
  // The same with the document's opening alone, of one block and of eight.
  for (size_t blocks : {1, 8}) {
    bool by_opening = false;
    EXPECT_EQ(fuzzing::CheckOpeningComparison(raw, settings, blocks, &by_opening), "")
        << name << ", opening of " << blocks;
    tally.stopped_by_opening += by_opening ? 1 : 0;
  }
}

std::vector<fs::path> Documents() {
  std::vector<fs::path> files;
  for (const fs::path& root : {testing::DataDir(), testing::CorpusDir(), testing::SourceDir() / "examples"}) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (it->is_regular_file() && it->path().extension() == ".rtf") files.push_back(it->path());
    }
  }
  return files;
}

TEST(BodyComparisonTest, StopsOnlyWhereTheWholePageDisagrees) {
  Settings notes_and_sizes;  // another stylesheet and other sizes
  notes_and_sizes.umrazm = "2";
  notes_and_sizes.fontsize = "12";
  Tally tally;
  for (const fs::path& file : Documents()) {
    std::string raw;
    ASSERT_TRUE(ReadFileBytes(file, &raw).ok()) << file;
    // The document, and cut at a third and at two thirds (paragraphs, tables and notes cut off).
    for (size_t part : {3, 0, 1}) {
      const std::string cut = part == 3 ? raw : raw.substr(0, raw.size() * (part + 1) / 3);
      const std::string name =
          file.string() + (part == 3 ? "" : " cut at " + std::to_string(part + 1) + "/3");
      Check(cut, name, Settings{}, tally);
      if (part == 3) Check(cut, name + " (other settings)", notes_and_sizes, tally);
    }
  }
  // Both ways are taken: pages stopped on the way, and pages that stand.
  EXPECT_GT(tally.stopped, tally.documents / 4);
  EXPECT_GT(tally.stopped_by_opening, tally.documents / 4);
  EXPECT_GT(tally.shown, 0);
  EXPECT_GT(tally.documents - tally.stopped - tally.shown, 0);
}

// Built documents whose first paragraphs agree and that get what changes the page's stylesheet
// (a link, a note, a table) or lose the passes' agreement before or after them.
TEST(BodyComparisonTest, StylesheetsTheBodyMayStillGet) {
  const std::string head = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fswiss Arial;}}\r\n}";
  std::string agreeing;
  for (int i = 0; i < 300; ++i)
    agreeing += "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 Words of a paragraph.\\par }";
  const std::string link =
      "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 See }{\\field{\\*\\fldinst HYPERLINK \"http://example.com/\"}"
      "{\\fldrslt {\\f0\\fs20 the site}}}{\\f0\\fs20  now.\\par }";
  const std::string note =
      "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 Word}{\\super\\chftn}{\\footnote\\pard\\plain\\f0\\fs16 "
      "{\\super\\chftn}{\\f0\\fs16  Note text.}}{\\f0\\fs20  after.\\par }";
  const std::string table =
      "\\trowd\\cellx2000\\cellx4000\\pard\\plain\\intbl\\f0\\fs20 {\\f0\\fs20 One\\cell Two\\cell }"
      "\\pard\\plain\\intbl{\\row}\\pard\\plain\\f0\\fs20 {\\f0\\fs20 After.\\par }";
  const std::string no_size = "\\pard\\plain {Plain words here.\\par }";
  const std::string lost_break = "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 One\\line Two\\par }";
  const struct {
    const char* name;
    std::string first, last;  // before and after the agreeing paragraphs
  } cases[] = {
      {"nothing more", "", ""},
      {"a note last", "", note},
      {"a note first, a link last", note, link},
      {"a table first, a note last", table, note},
      {"text without a size last", "", no_size},
      {"a line break the passes lose last", link, lost_break},
  };
  Tally tally;
  for (const auto& c : cases) Check(head + c.first + agreeing + c.last + "}", c.name, Settings{}, tally);
  EXPECT_GT(tally.stopped, 0);
  EXPECT_GT(tally.shown, 0);
}

}  // namespace
}  // namespace tessarine
