#include "passes/paragraphs/run_format.h"

#include <string>

#include <gtest/gtest.h>

#include "passes/paragraphs/run_span.h"
#include "passes/paragraphs/run_text.h"
#include "passes/pipeline/colour_table.h"
#include "passes/pipeline/font_table.h"

namespace tessarine {
namespace {

class RunFormatTest : public ::testing::Test {
 protected:
  Settings settings;
  ConversionState st{settings, {}};
  void SetUp() override {
    ApplyFontTable(
        st, "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}{\\f2\\fswiss Arial Cyr;}}");
    st.ColourList = ParseColourTable("\\red0\\green0\\blue0;\\red255\\green0\\blue0;");
  }
};

TEST(ColourTableTest, BuildsTheListWithTheAutomaticAndTheEmptyEntry) {
  using List = std::vector<std::string>;
  EXPECT_EQ(ParseColourTable("\\red255\\green0\\blue0;\\red0\\green0\\blue255;"),
            (List{"#000000", "#FF0000", "#0000FF", ""}));
  EXPECT_EQ(ParseColourTable(""), (List{"#000000", "#000000", ""}));
  // A definition without green borrows the next one's.
  EXPECT_EQ(ParseColourTable("\\red1\\blue2;\\red3\\green4\\blue5;"),
            (List{"#000000", "#010402", "#030405", ""}));
  // A component above 255 shifts every later slice by one character.
  EXPECT_EQ(ParseColourTable("\\red256\\green0\\blue0;\\red1\\green2\\blue3;"),
            (List{"#000000", "#100000", "0#01020", "3"}));
  // "red" left without any ";" ends the walk instead of repeating it; blue then reads nothing.
  EXPECT_EQ(ParseColourTable("\\red1\\green1\\blue1"), (List{"#000000", "#010100", ""}));
}

TEST(FontTableTest, KeysByNumberAndNamesWithoutControlWordsOrGroups) {
  const std::pair<std::string, std::string> cases[] = {
      {"{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}}",
       "\\f0\\Arial**\\f1\\Times New Roman**"},
      {"{\\fonttbl{\\f0\\fswiss{\\*\\panose 020b0604020202020204}Arial;}}", "\\f0\\Arial**"},
      {"{\\fonttbl{\\f0 Arial;}}", "\\f0\\Arial**"},
      {"{\\fonttbl{\\f1\\froman{\\*\\panose 0202}Times New Roman{\\*\\falt Times};}{\\f2\\fnil Courier;}}",
       "\\f1\\Times New Roman**\\f2\\Courier**"},
      {"{\\fonttbl{\\f1\\froman Times New Roman{\\*\\falt Times};}}", "\\f1\\Times New Roman**"},
      {"{\\fonttbl{\\f0\\fnil Arial}}", "\\f0\\**"},
      // Entries with no space left in the table do not end the walk.
      {"{\\fonttbl{\\f1\\fnil;}{\\f2\\fnil;}{\\f3\\fnil;}}", "\\f1\\**\\f2\\**\\f3\\**"},
  };
  for (const auto& [table, expected] : cases) EXPECT_EQ(ParseFontTable(table), expected) << table;
}

// The table keeps a name as written; what reaches "font-family:" is the name's characters, read
// whatever their spelling, and only those a font name needs.
TEST(FontTableTest, FontFamilyValuesKeepOnlyWhatAFontNameNeeds) {
  const std::pair<std::string, std::string> cases[] = {
      {"Times New Roman", "Times New Roman"},
      {"X\"><img src=x>", "Ximg srcx"},
      {"X\\'22\\'3e\\'3cimg\\'3e", "Ximg"},
      {"\\'c0\\'f0\\'e8\\'e0\\'eb", "\xC0\xF0\xE8\xE0\xEB"},  // Cyrillic letters written as escapes
      {"Sim\x01&#23435;\x01&#8221;\x01&#1 x", "Sim&#23435; x"},
      {"\x01&#65325", "&#65325;"},  // the table ended the name at the reference's ";"        // marked references: letters stay
      {"&#60;b&#62;", "60b62"},
  };
  for (const auto& [name, value] : cases) {
    std::string out;
    AppendFontFamily(out, name);
    EXPECT_EQ(out, value) << name;
  }
}

TEST(FontIndexTest, FindsTheFirstOccurrenceOfEachKey) {
  const std::string entries = "\\f0\\Arial**\\f01\\Zero one**\\f\\No number**\\f0\\Again**x\\f7";
  const FontIndex index(entries);
  const std::pair<std::string, size_t> cases[] = {
      {"\\f0\\", 4},
      {"\\f01\\", 16},
      {"\\f\\", 29},
      {"\\f1\\", std::string::npos},
      {"\\f7\\", std::string::npos},
      {"\\f0", std::string::npos},
  };
  for (const auto& [key, after] : cases) EXPECT_EQ(index.After(key), after) << key;
  EXPECT_EQ(FontIndex().After("\\f0\\"), std::string::npos);

  // Many fonts: every key is found, at its own entry.
  std::string many;
  for (int i = 0; i < 5000; ++i) many += "\\f" + std::to_string(i) + "\\n**";
  const FontIndex large(many);
  for (int i = 0; i < 5000; i += 7) {
    const std::string key = "\\f" + std::to_string(i) + "\\";
    EXPECT_EQ(large.After(key), many.find(key) + key.size()) << key;
  }
}

TEST_F(RunFormatTest, ReadsSizeFontColourAndFlags) {
  RunFormat f = ParseRunFormat("\\pard\\plain\\qc\\f1\\fs28\\cf2\\b\\", st);
  EXPECT_EQ(f.FontName, "Times New Roman");
  EXPECT_EQ(f.FontSize, "14");
  EXPECT_EQ(f.Colour, "#FF0000");
  EXPECT_EQ(f.Bold, "bold");
  EXPECT_EQ(f.Italic, "");
  EXPECT_EQ(ParseRunFormat("\\fs16", st).FontSize, "");
  EXPECT_EQ(ParseRunFormat("\\fs18", st).FontSize, "9");
  EXPECT_EQ(ParseRunFormat("\\fs21", st).FontSize, "10");
  EXPECT_EQ(ParseRunFormat("\\fs100", st).FontSize, "");
  EXPECT_EQ(ParseRunFormat("\\f2 x", st).FontName, "Arial");  // " Cyr" dropped
  EXPECT_EQ(ParseRunFormat("{\\f1 text}", st).FontName, "Times New Roman");
  EXPECT_EQ(ParseRunFormat("\\f1 text\\par", st).FontName, "Times New Roman");
  EXPECT_EQ(ParseRunFormat("\\f9 x", st).FontName, "");
  EXPECT_EQ(ParseRunFormat("\\cf12 x", st).Colour, "");  // beyond the list
  EXPECT_EQ(ParseRunFormat("{\\i\\f1 text}", st).Italic, "italic");
  settings.umrazm = "2";
  EXPECT_EQ(ParseRunFormat("\\fs18", st).FontSize, "8");
}

// Bold, italic and underline as Word ("{\b \cf3 \f3 text}") and WordPad ("\b bold\b0 plain")
// write them: a flag word counts before a backslash, a space or the end of the run.
TEST_F(RunFormatTest, FlagWordsEndAtABackslashASpaceOrTheEnd) {
  struct Case {
    const char* run;
    bool bold, italic, underline;
  };
  const Case cases[] = {
      {"{\\b \\cf2 \\f1 bold blue}", true, false, false},
      {"\\pard\\b bold\\b0 plain", true, false, false},
      {"{\\i text}", false, true, false},
      {"{\\ul under}", false, false, true},
      {"\\pard\\plain\\b\\i\\ul", true, true, true},  // the words end the control text
      {"\\b\\i\\ul\\", true, true, true},
      // Other words: the "off" forms, and words that merely begin with the letters.
      {"\\b0 \\i0 \\ulnone x", false, false, false},
      {"\\b0\\i0\\ulnone\\ x", false, false, false},
      {"\\ilvl0 \\ulth x\\bin", false, false, false},
      {"\\uldb \\ulw \\intbl \\box x", false, false, false},
      {"\\b", true, false, false},
      // An escaped backslash is text: "\\b " shows a backslash and a "b".
      {"{\\\\b text}", false, false, false},
      {"{x\\\\i}", false, false, false},
      {"{\\\\\\b text}", true, false, false},  // an escaped backslash, then the word
  };
  for (const Case& c : cases) {
    const RunFormat f = ParseRunFormat(c.run, st);
    EXPECT_EQ(!f.Bold.empty(), c.bold) << c.run;
    EXPECT_EQ(!f.Italic.empty(), c.italic) << c.run;
    EXPECT_EQ(!f.Underline.empty(), c.underline) << c.run;
  }
}

// A flag word as a search over the whole run finds it: `word` before a backslash, or before a
// space or the end when its backslash ends an odd run of backslashes (is no escaped one).
bool HasWordBySearch(const std::string& run, const std::string& word) {
  for (size_t at = run.find(word); at != std::string::npos; at = run.find(word, at + 1)) {
    const size_t after = at + word.size();
    if (after < run.size() && run[after] == '\\') return true;
    if (after < run.size() && run[after] != ' ') continue;
    size_t backslashes = 0;
    for (size_t k = at + 1; k-- > 0 && run[k] == '\\';) ++backslashes;
    if (backslashes % 2 == 1) return true;
  }
  return false;
}

// The run's words are found in one walk; each must be what its own search over the whole run
// finds: the first numbered "\fs", "\f" and "\cf", and the flag words "\i", "\b", "\ul"
// anywhere, overlaps and escaped backslashes included.
TEST_F(RunFormatTest, OneWalkFindsWhatEachSearchFinds) {
  st.ColourList = {"#000000", "#FF0000", "#00FF00", "#0000FF", "#111111", "#222222", "#333333",
                   "#444444", "#555555", "#666666", "#777777", "#888888", "#999999", ""};
  const std::string_view alphabet[] = {"\\", "f", "s", "c", "i", "b", "u", "l", "1", "2", "0", " ", "\\f"};
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7fff;
  };
  for (int round = 0; round < 20000; ++round) {
    std::string run;
    const unsigned length = next() % 24;
    for (unsigned k = 0; k < length; ++k) run += alphabet[next() % std::size(alphabet)];
    const RunFormat f = ParseRunFormat(run, st);
    EXPECT_EQ(f.Bold.empty(), !HasWordBySearch(run, "\\b")) << run;
    EXPECT_EQ(f.Italic.empty(), !HasWordBySearch(run, "\\i")) << run;
    EXPECT_EQ(f.Underline.empty(), !HasWordBySearch(run, "\\ul")) << run;
    EXPECT_EQ(HasFlagWord(run, "\\b0"), HasWordBySearch(run, "\\b0")) << run;
    const long fs = FindNumberedWord(run, "\\fs");
    long points = 0;
    if (fs > 0) {
      const size_t d = static_cast<size_t>(fs) + 2;
      points = run[d] - '0';
      if (d + 1 < run.size() && run[d + 1] >= '0' && run[d + 1] <= '9')
        points = points * 10 + run[d + 1] - '0';
      points /= 2;
    }
    EXPECT_EQ(f.FontSize, points > 8 ? std::to_string(points) : "") << run;
    const long font = FindNumberedWord(run, "\\f");
    std::string number;
    for (size_t d = static_cast<size_t>(font) + 1;
         font > 0 && d < run.size() && run[d] >= '0' && run[d] <= '9'; ++d) {
      number += run[d];
    }
    EXPECT_EQ(f.FontName, number == "0"   ? "Arial"
                          : number == "1" ? "Times New Roman"
                          : number == "2" ? "Arial"
                                          : "")
        << run;
    const long cf = FindNumberedWord(run, "\\cf");
    long index = -1;
    if (cf > 0) {
      const size_t d = static_cast<size_t>(cf) + 2;
      index = run[d] - '0';
      if (d + 1 < run.size() && run[d + 1] >= '0' && run[d + 1] <= '9') index = index * 10 + run[d + 1] - '0';
    }
    EXPECT_EQ(f.Colour, index >= 0 && index < 14 ? st.ColourList[static_cast<size_t>(index)] : "") << run;
    if (HasFailure()) break;
  }
}

TEST_F(RunFormatTest, FindNumberedWordSkipsWordsWithoutDigits) {
  EXPECT_EQ(FindNumberedWord("\\fs24\\fi720\\fcharset204\\f1", "\\f"), 24);
  EXPECT_EQ(FindNumberedWord("\\li-360", "\\li"), -1);
  EXPECT_EQ(FindNumberedWord("\\f", "\\f"), -1);
}

TEST_F(RunFormatTest, OpensTheParagraphThenSpansLaterRuns) {
  st.Alignment = "center";
  int runs = 0;
  OpenParagraph("\\pard\\plain\\qc\\f1\\fs28\\cf2\\b\\", runs, st);
  EXPECT_EQ(st.OutputText,
            "<p style=\"font-family:Times New Roman;font-size:14pt;color:#FF0000;text-align:center\"><b>");
  st.OutputText.clear();
  OpenParagraph("{\\f1\\fs28\\cf2\\i\\ text}", runs, st);
  EXPECT_EQ(st.OutputText, "<span style=\"font-style:italic\">");
  st.OutputText.clear();
  WriteRunSpan("{\\f1\\fs28\\cf2 more}", runs, st);
  EXPECT_EQ(st.OutputText, "</span>\r\n");
  EXPECT_FALSE(st.SpanOpen);
  EXPECT_EQ(runs, 3);
}

TEST_F(RunFormatTest, IndentedParagraphAddsTheLeftMargin) {
  st.Alignment = "left";
  const std::pair<std::string, std::string> cases[] = {
      {"\\li720\\f0 x", "<p style=\"margin-left:82pt\">"},
      {"\\li5 x", "<p>"},
      {"\\li-360 x", "<p>"},
  };
  for (const auto& [head, expected] : cases) {
    st.OutputText.clear();
    int runs = 0;
    OpenIndentedParagraph(head, runs, st);
    EXPECT_EQ(st.OutputText, expected) << head;
  }
  st.InListItem = true;
  st.OutputText.clear();
  int runs = 0;
  OpenParagraph("\\f0 x", runs, st);
  EXPECT_EQ(st.OutputText, "<p style=\"text-indent:0pt\">");
}

TEST_F(RunFormatTest, ConvertRunTextDecodesRunsAndParagraphMarks) {
  const std::pair<std::string, std::string> cases[] = {
      {"{\\f1 Hello}", "Hello"},
      {"\\f1 one\\par two}", "one<br>two"},
      {"\\f1 one\\parar two}", "onetwo"},
      {"Hello ", "Hello "},
      {"}}}abc", "abc"},  // braces that cannot be consumed are dropped
      {"{\\footnote 4{\\super}}", "4"},
      {"\\b \\'e0\\'e1 x\\par\\par", "\xE0\xE1 x<br><br>"},
  };
  std::string html;
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ConvertRunText(text, html, st), static_cast<long>(expected.size())) << text;
    EXPECT_EQ(html, expected) << text;
  }
}

}  // namespace
}  // namespace tessarine
