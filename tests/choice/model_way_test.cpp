// The model's page written beside the reading, from the body's blocks in pieces, is the page
// written after it: for documents whose start changes later (fonts, tab stops, an HTML message),
// for notes, pictures, columns, tables and anchors that straddle the pieces or the halves of a
// large body, and for every document of the test data and the corpus.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "choice/convert_rtf_document.h"
#include "choice/model_way.h"
#include "model_page/write_page.h"
#include "reader/read_rtf.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

namespace fs = std::filesystem;

std::string AfterReading(const std::string& rtf, const Settings& settings = {}) {
  return WriteModelPage(ReadRtfDocument(rtf), settings).page;
}

// `paragraph` ten times, numbered: enough blocks for several pieces.
std::string Repeated(const std::string& paragraph, int times = 10) {
  std::string out;
  for (int i = 0; i < times; ++i) out += paragraph + std::to_string(i) + "\\par\r\n";
  return out;
}

constexpr const char* kHead =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
    "{\\colortbl;\\red255\\green0\\blue0;}\r\n";

const struct {
  const char* name;
  std::string body;  // after kHead
} kDocuments[] = {
    {"runs of fonts, sizes and colours", Repeated("\\pard {\\f1\\fs20 Arial }{\\b\\cf1 red bold }{\\fs48 big }")},
    {"a font table after the body started",
     Repeated("\\pard\\f2 two ") + "{\\fonttbl{\\f2\\fmodern Courier New;}}" + Repeated("\\pard\\f2 later ")},
    {"default tab stops changed after the body started",
     Repeated("\\pard a\\tab b ") + "\\deftab1440 " + Repeated("\\pard c\\tab d ")},
    {"an HTML message from the middle on",
     Repeated("\\pard text ") + "\\fromhtml1 {\\*\\htmltag <p>}html{\\*\\htmltag </p>}" + Repeated("\\pard more ")},
    {"an HTML message from the start", "\\fromhtml1 " + Repeated("{\\*\\htmltag <p>}\\htmlrtf x\\htmlrtf0 ")},
    {"notes marked in every piece, one mark twice",
     Repeated("\\pard word{\\super\\chftn}{\\footnote\\pard\\super\\chftn  note text} ") +
         "{\\*\\atnid me}{\\*\\annotation comment} \\par"},
    {"pictures in every piece",
     Repeated("\\pard {\\pict\\pngblip\\picw1\\pich1\\picwgoal300\\pichgoal300 89504e470d0a1a0a} pic ")},
    {"two columns over many pieces, then one",
     "\\sectd\\cols2 " + Repeated("\\pard left or right ") + "\\sect\\sectd\\cols1 " + Repeated("\\pard whole ") +
         "\\sect\\sectd\\cols3 " + Repeated("\\pard three ")},
    {"tables between paragraphs, one nested",
     Repeated("\\pard before ") +
         Repeated("\\trowd\\cellx2000\\cellx4000\\pard\\intbl a\\cell b\\cell\\row ", 3) +
         "\\pard\\intbl\\itap2 inner\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow}\\itap1 outer\\cell"
         "\\row " +
         Repeated("\\pard after ")},
    {"bookmarks and links to them across pieces",
     Repeated("\\pard {\\*\\bkmkstart mark}here{\\*\\bkmkend mark} ") +
         Repeated("\\pard {\\field{\\*\\fldinst HYPERLINK \\\\l \"mark\"}{\\fldrslt back}} ")},
    {"looks of boxes changing every paragraph",
     Repeated("\\pard\\box\\brdrs\\cbpat1 boxed ") + Repeated("\\pard\\tx1000\\tx2000\\sl360\\slmult1 tabs ")},
    {"list items", Repeated("\\pard{\\listtext 1.\\tab}\\ls1\\ilvl0 item ")},
    {"a page colour", "{\\*\\background{\\shp{\\*\\shpinst{\\sp{\\sn fillColor}{\\sv 255}}}}}" + Repeated("\\pard on red ")},
    {"cut short inside a table", Repeated("\\pard text ") + "\\trowd\\cellx1000\\pard\\intbl open{\\b cell"},
};

TEST(ModelWayTest, PiecesGiveThePageWrittenAfterReading) {
  Settings other;  // the settings' own font and sizes: other canonical fonts and sizes
  other.fontname = "Arial";
  other.umrazm = "2";
  for (const auto& document : kDocuments) {
    const std::string rtf = kHead + document.body + "}";
    for (const Settings& settings : {Settings{}, other}) {
      const std::string expected = AfterReading(rtf, settings);
      for (size_t blocks : {1, 3, 64}) {
        const Conversion beside = ConvertByModel(rtf, settings, {}, BesideReading{0, blocks});
        EXPECT_EQ(beside.page, expected) << document.name << ", pieces of " << blocks;
        EXPECT_EQ(beside.reading, RtfReading::kModel);
      }
    }
  }
}

TEST(ModelWayTest, LargeBodiesWrittenInHalvesGiveTheSamePage) {
  // Written after the reading, a large body is written in two halves side by side; written
  // beside the reading, in pieces, it never is: the two pages must be the same.
  const std::string text = "\\pard {\\f1 words }{\\b\\cf1 bold words and more words to fill the line} ";
  const std::string table = "\\trowd\\cellx2000\\cellx4000\\pard\\intbl a\\cell b\\cell\\row ";
  const std::string note = "\\pard word{\\super\\chftn}{\\footnote\\pard\\super\\chftn  note}";
  const std::string bookmark = "\\pard {\\*\\bkmkstart b}mark{\\*\\bkmkend b}";
  const struct {
    const char* name;
    std::string first, middle, second;
  } kLarge[] = {
      {"plain halves", text, text, text},
      {"notes and bookmarks in the first half", note, bookmark, text},
      {"a note in the second half", text, text, note},
      {"a bookmark in both halves", bookmark, text, bookmark},
      {"two columns across the middle", text, "\\sect\\sectd\\cols2 " + text, text},
      {"columns from the middle on", text, "\\sect\\sectd\\cols3 ", text},
      {"tables in both halves", table, text, table},
  };
  for (const auto& large : kLarge) {
    std::string rtf = kHead;
    for (int i = 0; i < 6000; ++i) rtf += large.first + "\\par\r\n";
    rtf += large.middle + "\\par\r\n";
    for (int i = 0; i < 6000; ++i) rtf += large.second + "\\par\r\n";
    rtf += "}";
    // Compared as a whole: a difference is no use printed.
    EXPECT_TRUE(ConvertByModel(rtf, {}, {}, BesideReading{0, 256}).page == AfterReading(rtf)) << large.name;
  }
}

TEST(ModelWayTest, EveryDocumentOfTheDataAndTheCorpus) {
  int documents = 0;
  for (const fs::path& root : {testing::DataDir(), testing::CorpusDir(), testing::SourceDir() / "examples"}) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
      if (!it->is_regular_file() || it->path().extension() != ".rtf") continue;
      std::string rtf;
      ASSERT_TRUE(ReadFileBytes(it->path(), &rtf).ok()) << it->path();
      EXPECT_EQ(ConvertByModel(rtf, {}, {}, BesideReading{0, 2}).page, AfterReading(rtf)) << it->path();
      ++documents;
    }
  }
  EXPECT_GT(documents, 50);
}

TEST(ModelWayTest, LargeDocumentThroughTheModelEngine) {
  // Over the size from which pages are written beside the reading, with progress reported.
  std::string rtf = kHead;
  const std::string paragraph = "\\pard {\\f1\\fs20 Arial words }{\\b\\cf1 and red bold words}\\par\r\n";
  while (rtf.size() < BesideReading{}.from_size + 4096) rtf += paragraph;
  rtf += "}";
  Settings settings;
  settings.rtfengine = "model";
  std::vector<int> positions;
  const Conversion conversion = ConvertRtfDocument(DocumentBytes(std::string(rtf)), settings,
                                                   [&](int position) { positions.push_back(position); });
  EXPECT_TRUE(conversion.page == AfterReading(rtf));
  ASSERT_GE(positions.size(), 3u);
  EXPECT_EQ(positions.back(), 0);
  EXPECT_EQ(positions[positions.size() - 2], 25);
}

}  // namespace
}  // namespace tessarine
