// ConvertChunk and ConvertFlatGroup: paragraphs whose formatting stands as bare control words.
#include "passes/fallback/chunk.h"

#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "passes/fallback/flat_group.h"
#include "passes/paragraphs/run_format.h"
#include "passes/pipeline/colour_table.h"

namespace tessarine {
namespace {

class ChunkTest : public ::testing::Test {
 protected:
  Settings settings;
  ConversionState st{settings, {}};
  void SetUp() override {
    ApplyFontTable(st, "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}");
    st.ColourList = ParseColourTable("\\red0\\green0\\blue0;\\red255\\green0\\blue0;");
    st.Source.Load(std::string(100, 'x'));  // paragraphs follow in the source
  }
  // The HTML of one chunk, from a fresh output.
  std::string Convert(std::string chunk) {
    st.OutputText.clear();
    ConvertChunk(chunk, st);
    return st.OutputText;
  }
  std::string Group(std::string_view chunk, int run_count = 1) {
    st.OutputText.clear();
    ConvertFlatGroup(chunk, run_count, st);
    return st.OutputText;
  }
};

TEST_F(ChunkTest, ConvertsParagraphs) {
  const std::pair<const char*, const char*> cases[] = {
      // The first run names no colour: the default is written explicitly.
      {"\\pard\\plain\\qc\\f1\\fs24 Hello\\pa",
       "<p style=\"font-family:Times New "
       "Roman;font-size:12pt;color:#000000;text-align:center\">Hello</p>\r\n"},
      {"\r\\pard\\plain\\f0\\fs20 One\\pa", "<p style=\"color:#000000\">One</p>\r\n"},
      // "\par" inside the paragraph is a line break.
      {"\\pard\\plain\\f0\\fs20 One\\par Two\\pa", "<p style=\"color:#000000\">One<br>Two</p>\r\n"},
      // Text right after the opening word is the first run.
      {"\\pard Two\\par}", "<p style=\"font-family:Arial;font-size:10pt;color:#000000\">Two<br></p>\r\n"},
      {" \\pard\\'cf\\'f0 x\\pa",
       "<p style=\"font-family:Arial;font-size:10pt;color:#000000\">\xcf\xf0 x</p>\r\n"},
      {"\\pard\r\nTwo\\pa", "<p style=\"font-family:Arial;font-size:10pt;color:#000000\">Two</p>\r\n"},
      // Only spaces and line breaks after the word: the runs begin at the next control word.
      {"\\pard \r\n\\plain\\f0\\fs20 Three\\pa", "<p style=\"color:#000000\">Three</p>\r\n"},
      // A paragraph without text is empty; so is one whose only group is dropped (none opened).
      {"", "<p style=\"font-family:Arial;font-size:10pt;color:#000000\"></p>\r\n"},
      {"\\pard}", "<p style=\"font-family:Arial;font-size:10pt;color:#000000\"></p>\r\n"},
      {"\\pard{\\b {\\i x}}", "</p>\r\n"},
      // Groups without nested groups are spans; nested ones are dropped.
      {"\\pard\\plain\\f0\\fs20 A {\\b\\f1 bold}\\pa",
       "<p style=\"color:#000000\">A <span style=\"font-family:Times New "
       "Roman;font-weight:bold\">bold</span></p>\r\n"},
      {"\\pard\\plain\\f0\\fs20 A {\\b bold}\\pa",
       "<p style=\"color:#000000\">A <span style=\"font-weight:bold\">bold</span></p>\r\n"},
      {"\\pard\\plain\\f0\\fs20 A {\\b {\\i x}} B\\pa", "<p style=\"color:#000000\">A  B</p>\r\n"},
      // A paragraph beginning with a group opens with the inherited properties, ";" kept.
      {"\\pard {\\f1 x}\\pa", "<p><span style=\"font-family:Times New Roman\">x</span></p>\r\n"},
      // A "\pard" inside the paragraph is no line break, and its words are no text.
      {"\\pard\\plain\\f0\\fs20 One\\par\\pard\\plain\\f0\\fs20 Two\\pa",
       "<p style=\"color:#000000\">One<br><span style=\"font-family:Arial;font-size:10pt\">Two</p>\r\n"},
      {"\\pard\\plain\\f0\\fs20 One\\par\\plain\\f1 Two\\pa",
       "<p style=\"color:#000000\">One<br><span style=\"font-family:Times New Roman\">Two</p>\r\n"},
      // Stray closing braces are dropped.
      {"\\pard\\plain\\f0\\fs20 A}}}}}} B\\pa", "<p style=\"color:#000000\">A B</p>\r\n"},
      // Control words without text before a "\par": a line break. Where text follows them, the
      // "\par" is one of the run's control words.
      {"\\pard\\plain\\f0\\fs20\\par\r{\\f1 x}",
       "<p style=\"color:#000000\"><br><span style=\"font-family:Times New Roman\">x</span></p>\r\n"},
      {"\\pard\\plain\\f0\\fs20\\par\r\\f1 x", "<p style=\"color:#000000\">x</p>\r\n"},
      // Control words before a group.
      {"\\pard\\plain\\f0\\fs20\\cf2{\\f1 x}",
       "<p style=\"color:#FF0000\"><span style=\"font-family:Times New Roman\">x</span></p>\r\n"},
  };
  for (const auto& [chunk, html] : cases) {
    st.ParagraphFont = st.ParagraphSize = st.ParagraphColour = "";
    st.BoldOpen = st.ItalicOpen = st.UnderlineOpen = false;
    EXPECT_EQ(Convert(chunk), html) << chunk;
  }
}

TEST_F(ChunkTest, AlignmentFollowsTheFirstQ) {
  Convert("\\pard\\qr\\f0\\fs20 x\\pa");
  EXPECT_EQ(st.Alignment, "right");
  Convert("\\pard\\qnatural\\f0\\fs20 x\\pa");  // no alignment letter: unchanged
  EXPECT_EQ(st.Alignment, "right");
  Convert("\\pard\\f0\\fs20 x\\pa");
  EXPECT_EQ(st.Alignment, "left");
  EXPECT_EQ(Convert("\\pard\\qj\\f0\\fs20 x\\pa"), "<p style=\"color:#000000;text-align:justify\">x</p>\r\n");
}

TEST_F(ChunkTest, TagsCarryOverUntilAPlainReset) {
  EXPECT_EQ(Convert("\\pard\\plain\\f0\\fs20\\b Bold\\pa"), "<p style=\"color:#000000\"><b>Bold</b></p>\r\n");
  EXPECT_TRUE(st.BoldOpen);
  EXPECT_EQ(Convert("\r\\pard\\f0\\fs20 Next\\pa"), "<p style=\"color:#000000\"><b>Next</b></p>\r\n");
  EXPECT_EQ(Convert("\r\\pard\\plain\\f0\\fs20 Plain\\pa"), "<p style=\"color:#000000\">Plain</p>\r\n");
  EXPECT_FALSE(st.BoldOpen);
  // The paragraph's font carries over too, and a later run switching it opens a span.
  Convert("\\pard\\plain\\f1\\fs20 A\\pa");
  EXPECT_EQ(
      Convert("\\pard\\fs20 B\\f0 C\\pa"),
      "<p style=\"font-family:Times New Roman;color:#000000\">B<span style=\"font-family:Arial\">C</p>\r\n");
}

// Every tag of a later run is followed by a line break; a run without changes closes and
// reopens the open italic.
TEST_F(ChunkTest, LaterRunsWriteTagsWithLineBreaks) {
  EXPECT_EQ(Convert("\\pard\\plain\\f0\\fs20 A\\b\\i\\ B\\b0\\ C\\pa"),
            "<p style=\"color:#000000\">A<b>\r\n<i>\r\nB</i>\r\n</b>\r\nC</i>\r\n<i>\r\n</i></p>\r\n");
  // WordPad's words end with a space.
  EXPECT_EQ(Convert("\\pard\\plain\\f0\\fs20 A \\b bold\\b0  plain \\ul under\\ulnone  end\\pa"),
            "<p style=\"color:#000000\">A <b>\r\nbold</b>\r\n plain <u>\r\nunder</u>\r\n end</p>\r\n");
}

TEST_F(ChunkTest, FlatGroups) {
  const std::pair<const char*, const char*> cases[] = {
      {"{\\b\\f1 bold}", "<span style=\"font-family:Times New Roman;font-weight:bold\">bold</span>"},
      {"{\\b bold}", "<span style=\"font-weight:bold\">bold</span>"},
      {"{\\b0 plain}", "plain"},
      {"{\\ulnone\\i0 plain}", "plain"},
      {"{\\b {\\i x}}", ""},
      {"{\\cf2\\i\\ul\\ x\\b y}",
       "<span style=\"color:#FF0000;font-style:italic;text-decoration:underline\">xy</span>"},
      // "\tab" and "\par" among later control words.
      {"{\\f1 a\\tab b\\par c}", "<span style=\"font-family:Times New Roman\">a&nbsp;&nbsp;b<br>c</span>"},
      // The head's own "\tab" and "\par" count for the head and again for its first part.
      {"{\\tab x}", "&nbsp;&nbsp;&nbsp;&nbsp;x"},
      {"{\\par\\pard x}", "<br><br>x"},
      {"{\\pard x}", "x"},
      // Without text the group's control words style what its marks give.
      {"{\\b\\i\\par}", "<span style=\"font-weight:bold;font-style:italic\"><br></span>"},
      {"{\\f1\\pard}", "<span style=\"font-family:Times New Roman\"><br></span>"},
      // A group the paragraph's end leaves open is converted up to that end.
      {"{\\f1 open \\pa", "<span style=\"font-family:Times New Roman\">open </span>"},
  };
  for (const auto& [group, html] : cases) EXPECT_EQ(Group(group), html) << group;
}

TEST_F(ChunkTest, FlatGroupOpensTheParagraphAndConsumesTheGroup) {
  st.ParagraphFont = "Times New Roman";
  st.ParagraphColour = "#FF0000";
  int run_count = 0;
  std::string_view chunk = "{\\i\\ x}\\par rest";
  ConvertFlatGroup(chunk, run_count, st);
  EXPECT_EQ(
      st.OutputText,
      "<p style=\"font-family:Times New Roman;color:#FF0000;\"><span style=\"font-style:italic\">x</span>");
  EXPECT_EQ(run_count, 1);
  EXPECT_EQ(chunk, "\\par rest");
  // A dropped group opens nothing.
  run_count = 0;
  chunk = "{a{b}c}d";
  st.OutputText.clear();
  ConvertFlatGroup(chunk, run_count, st);
  EXPECT_EQ(st.OutputText, "");
  EXPECT_EQ(run_count, 0);
  EXPECT_EQ(chunk, "");
}

TEST_F(ChunkTest, LeavesOnlyAShortRestAndSurvivesAZeroProgressStep) {
  st.ProgressStep = 0;
  std::string chunk = "\\pard\\plain\\f0\\fs20 x\\b\\";
  ConvertChunk(chunk, st);
  EXPECT_LT(chunk.size(), 3u);
  // With the source nearly used up, a rest below five characters is not converted: the span
  // opened for "y" stays open, where the rest "\\pa" would have closed its flag.
  st.Source.Load("");
  st.BoldOpen = false;
  EXPECT_EQ(Convert("\\pard\\f0\\fs20 x\\f1 y\\pa"),
            "<p style=\"color:#000000\">x<span style=\"font-family:Times New Roman\">y</span></p>\r\n");
  st.Source.Load(std::string(10, 'x'));
  st.ParagraphFont = "";
  EXPECT_EQ(Convert("\\pard\\f0\\fs20 x\\f1 y\\pa"),
            "<p style=\"color:#000000\">x<span style=\"font-family:Times New Roman\">y</p>\r\n");
}

TEST_F(ChunkTest, PathologicalChunksConvertQuickly) {
  auto repeated = [](std::string_view unit, size_t times) {
    std::string s;
    for (size_t i = 0; i < times; ++i) s += unit;
    return s;
  };
  const std::string chunks[] = {
      "\\pard " + repeated("}", 1 << 18),
      "\\pard\\f0 x" + repeated("\\b y", 1 << 16),
      "\\pard\\f0 x" + repeated("\\par", 1 << 16),
      "\\pard\\f0 x" + repeated("\\pard", 1 << 16),
      "\\pard\\f0 x" + repeated("\\par\\plain ", 1 << 16),
      "\\pard\\f0 x" + repeated("{\\b y}", 1 << 16),
      "\\pard\\f0 x" + repeated("{", 1 << 16),
      "\\pard\\f0 x" + repeated("\\f1\\fs20", 1 << 16) + " y",
      "\\pard\\f0 x" + repeated("\\f1 ", 1 << 16) + "{",
      "\\pard{\\f0" + repeated(" \\b x", 1 << 16) + "}",
      "\\pard{\\f0" + repeated("\\b", 1 << 16) + " x}",
      "\\pard" + repeated(" ", 1 << 18),
  };
  for (const std::string& c : chunks) {
    std::string chunk = c;
    const auto start = std::chrono::steady_clock::now();
    ConvertChunk(chunk, st);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(chunk.size(), 3u) << c.substr(0, 20);
    EXPECT_LT(elapsed, std::chrono::seconds(10)) << c.substr(0, 20);
    st.OutputText.clear();
  }
}

}  // namespace
}  // namespace tessarine
