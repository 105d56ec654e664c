#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "choice/convert_rtf_document.h"
#include "choice/words.h"
#include "passes/pipeline/convert_rtf.h"
#include "tests/support/paths.h"
#include "tests/support/time_bound.h"

namespace tessarine {
namespace {

std::vector<std::string> Sorted(const WordSet& words, std::initializer_list<std::string> candidates) {
  std::vector<std::string> found;
  for (const std::string& w : candidates) {
    if (words.Contains(w)) found.push_back(w);
  }
  return found;
}

TEST(WordsTest, TextWordsAreRunsOfLettersAndDigitsWithoutCase) {
  const struct {
    const char* text;
    size_t count;
    std::initializer_list<std::string> contains;
  } cases[] = {
      {"Hello, world! hello", 2, {"hello", "world"}},
      {"e-mail 2024 x1", 4, {"e", "mail", "2024", "x1"}},
      {"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82",
       1,
       {"\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"}},  // Привет привет
      {"\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0 \xD0\xB5\xD0\xBB\xD0\xBA\xD0\xB0", 1, {}},  // Ёлка ёлка -> елка
      {"a\xE2\x80\x94"
       "b \xC2\xAB"
       "c\xC2\xBB",
       3,
       {"a", "b", "c"}},  // dashes and quotes split
      {"na\xC3\xAF"
       "ve \xCE\xB1\xCE\xB2\xCE\xB3",
       2,
       {"na\xC3\xAF"
        "ve",
        "\xCE\xB1\xCE\xB2\xCE\xB3"}},
      {"\xFF\xFE"
       "ab",
       1,
       {"ab"}},  // bytes that are no UTF-8 end a word
  };
  for (const auto& c : cases) {
    WordSet words;
    words.AddText(c.text);
    words.Break();
    EXPECT_EQ(words.size(), c.count) << c.text;
    for (const std::string& w : c.contains) EXPECT_TRUE(words.Contains(w)) << c.text << ": " << w;
  }
}

TEST(WordsTest, AWordRunsOnAcrossTextRunsUntilABreak) {
  WordSet words;
  words.AddText("Bo");
  words.AddText("ld");
  words.Break();
  words.AddText("x");
  words.Break();
  words.AddText("y");
  words.Break();
  EXPECT_EQ(Sorted(words, {"bold", "bo", "ld", "x", "y", "xy"}),
            (std::vector<std::string>{"bold", "x", "y"}));
}

TEST(WordsTest, PageWordsLeaveOutTagsAndReadReferences) {
  const std::string page =
      "<HTML><HEAD><TITLE>Title words</TITLE></HEAD><body bgcolor=\"#e0e0e0\">\r\n"
      "<p>Bo<b>ld</b> &amp; caf&#233; "
      "&#x41;B<br>next</p><p>line&nbsp;end</p><table><tr><td>a</td><td>b</td></tr>"
      "</table>\xCF\xF0\xE8\xE2\xE5\xF2</body></html>";  // "Привет" in code page 1251
  WordSet words;
  AddPageWords(page, words);
  EXPECT_EQ(words.size(), 9u);
  EXPECT_EQ(Sorted(words, {"bold", "caf\xC3\xA9", "ab", "next", "line", "end", "a", "b", "title"}),
            (std::vector<std::string>{"bold", "caf\xC3\xA9", "ab", "next", "line", "end", "a", "b"}));
  EXPECT_TRUE(words.Contains("\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"));
}

// The passes leave '&' as the document has it: a page of bare '&' is read in linear time.
TEST(WordsTest, PageWordsOfBareAmpersandsTakeLinearTime) {
  std::string page = "<html><body><p>";
  for (int i = 0; i < 400000; ++i) page += "a&";
  page += "</p></body></html>";
  const testing::TimeBound bound(20);
  WordSet words;
  AddPageWords(page, words);
  EXPECT_EQ(words.size(), 1u);
}

TEST(WordsTest, DocumentWordsTakeBodyNotesAndMarkers) {
  model::Document document;
  model::Paragraph item;
  item.format.list_marker = "1.";
  item.inlines.push_back({model::InlineKind::kText, false, 0, {}, "fir"});
  item.inlines.push_back({model::InlineKind::kText, false, 0, {}, "st"});
  item.inlines.push_back({model::InlineKind::kTab, false, 0, {}, ""});
  item.inlines.push_back({model::InlineKind::kText, false, 0, {}, "second"});
  document.body.push_back({item});
  model::Note note;
  model::Paragraph note_text;
  note_text.inlines.push_back({model::InlineKind::kText, false, 0, {}, "noted"});
  note.blocks.push_back({note_text});
  document.notes.push_back(note);
  WordSet words;
  AddDocumentWords(document, words);
  EXPECT_EQ(Sorted(words, {"1", "first", "second", "noted", "firstsecond"}),
            (std::vector<std::string>{"1", "first", "second", "noted"}));
}

Settings WithEngine(const char* engine) {
  Settings settings;
  settings.rtfengine = engine;
  return settings;
}

// The documents of tests/data/rtf were made for the passes. Automatically, those whose words the
// passes keep give the passes' page byte for byte; the others give the model's page.
TEST(ChoiceTest, AutomaticKeepsThePassesPagesWhereTheyKeepTheWords) {
  const struct {
    const char* name;
    RtfReading expected;
  } cases[] = {
      {"comment", RtfReading::kPasses},
      {"empty_trailing_section", RtfReading::kPasses},
      {"footnotes", RtfReading::kPasses},
      {"hyperlink_targets", RtfReading::kPasses},
      {"letter", RtfReading::kPasses},
      {"line_starts", RtfReading::kPasses},
      {"numbered_list", RtfReading::kPasses},
      {"section_two_columns", RtfReading::kPasses},
      {"section_without_paragraphs", RtfReading::kPasses},
      {"table_merged_cells", RtfReading::kPasses},
      {"table_without_last_row", RtfReading::kPasses},
      {"word_flag_words", RtfReading::kPasses},
      {"wordpad_flag_words", RtfReading::kPasses},
      // The passes lose a word ("gone", "this").
      {"glued", RtfReading::kModel},
      {"links_and_bookmarks", RtfReading::kModel},
      // Words the grammar joins the passes split: they take "\pard" for a paragraph's end and
      // the control symbol "\ " for a space.
      {"list_items", RtfReading::kModel},
      {"run_spans", RtfReading::kModel},
      {"word_paragraphs", RtfReading::kModel},
  };
  for (const auto& c : cases) {
    std::string source;
    ASSERT_TRUE(ReadFileText(testing::DataDir() / "rtf" / (std::string(c.name) + ".rtf"), &source).ok())
        << c.name;
    const Conversion automatic = ConvertRtfDocument(source, WithEngine("auto"));
    EXPECT_EQ(automatic.reading, c.expected) << c.name;
    if (c.expected == RtfReading::kPasses) {
      EXPECT_EQ(automatic.page, ConvertRtf(source, Settings{}).page) << c.name;
    }
  }
}

TEST(ChoiceTest, AutomaticTakesTheModelWhenThePassesLoseContent) {
  const struct {
    const char* name;
    std::string rtf;
    RtfReading expected;
  } cases[] = {
      {"kept by the passes",
       "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n}\\pard\\plain {Plain words here.\\par }}",
       RtfReading::kPasses},
      {"a header that swallows the text (no brace before the first paragraph)",
       "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pgndec\\pard\\plain Lost title\\par\\pard\\plain {Kept\\par "
       "}}",
       RtfReading::kModel},
      {"a picture a page can show",
       "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n}\\pard\\plain {Text {\\pict\\pngblip\\picw1\\pich1 "
       "89504e47}\\par }}",
       RtfReading::kModel},
      {"a field other than a hyperlink, whose result the passes drop",
       "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n}\\pard\\plain {Total {\\field{\\*\\fldinst "
       "NUMPAGES}{\\fldrslt 7}}"
       " pages\\par }}",
       RtfReading::kModel},
      {"a table in a table's cell, which the passes flatten",
       "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n}\\pard\\plain {Before\\par }\\trowd\\cellx4000\\pard\\plain"
       "\\intbl Outer\\par\\pard\\intbl\\itap2 Inner\\nestcell{\\*\\nesttableprops\\trowd\\cellx2000\\nestrow}"
       "{\\nonesttables\\par}\\pard\\intbl\\itap1\\cell\\row\\pard\\plain {After\\par }}",
       RtfReading::kModel},
  };
  for (const auto& c : cases) {
    const Conversion automatic = ConvertRtfDocument(c.rtf, WithEngine("auto"));
    EXPECT_EQ(automatic.reading, c.expected) << c.name << "\n" << automatic.page;
    EXPECT_NE(automatic.page.find("</html>"), std::string::npos) << c.name;
  }
}

TEST(ChoiceTest, EachEngineWhenChosen) {
  const std::string rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n}\\pard\\plain {Plain words here.\\par }}";
  EXPECT_EQ(ConvertRtfDocument(rtf, WithEngine("passes")).reading, RtfReading::kPasses);
  EXPECT_EQ(ConvertRtfDocument(rtf, WithEngine("passes")).page, ConvertRtf(rtf, Settings{}).page);
  EXPECT_EQ(ConvertRtfDocument(rtf, WithEngine("model")).reading, RtfReading::kModel);
  // An unknown name in the settings file reads as automatic.
  EXPECT_EQ(RtfEngineOf(WithEngine("fastest")), RtfEngine::kAuto);
}

TEST(ChoiceTest, ARefusalStandsWhenNeitherWayFindsAnything) {
  const Conversion automatic = ConvertRtfDocument("{\\rtf1 }", WithEngine("auto"));
  EXPECT_EQ(automatic.refusal, ConvertRtf("{\\rtf1 }", Settings{}).refusal);
  EXPECT_EQ(automatic.reading, RtfReading::kPasses);
}

}  // namespace
}  // namespace tessarine
