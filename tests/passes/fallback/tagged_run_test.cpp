// WriteTaggedRun: the opening of a paragraph and the tags of later runs.
#include "passes/fallback/tagged_run.h"

#include <string>

#include <gtest/gtest.h>

#include "passes/paragraphs/run_format.h"
#include "passes/pipeline/colour_table.h"

namespace tessarine {
namespace {

class TaggedRunTest : public ::testing::Test {
 protected:
  Settings settings;
  ConversionState st{settings, {}};
  void SetUp() override {
    ApplyFontTable(st, "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}");
    st.ColourList = ParseColourTable("\\red0\\green0\\blue0;\\red255\\green0\\blue0;");
    st.Alignment = "left";
  }
  std::string Run(std::string_view head, int run_count) {
    st.OutputText.clear();
    WriteTaggedRun(head, run_count, st);
    return st.OutputText;
  }
};

TEST_F(TaggedRunTest, OpeningRunWritesInheritedOrDefaultProperties) {
  // A run naming no font, size or colour writes the defaults explicitly.
  EXPECT_EQ(Run("", 0), "<p style=\"font-family:Arial;font-size:10pt;color:#000000\">");
  // A run naming the default font writes no font at all.
  EXPECT_EQ(Run("\\f0\\fs20 ", 0), "<p style=\"color:#000000\">");
  EXPECT_EQ(st.ParagraphFont, "");
  // A run naming another font makes it the paragraph's; the next opening inherits it.
  EXPECT_EQ(Run("\\f1\\fs24\\cf2 ", 0),
            "<p style=\"font-family:Times New Roman;font-size:12pt;color:#FF0000\">");
  EXPECT_EQ(Run("", 0), "<p style=\"font-family:Times New Roman;font-size:12pt;color:#FF0000\">");
  st.Alignment = "center";
  st.ParagraphFont = st.ParagraphSize = st.ParagraphColour = "";
  EXPECT_EQ(Run("\\plain\\qc\\f1\\fs24 ", 0),
            "<p style=\"font-family:Times New Roman;font-size:12pt;color:#000000;text-align:center\">");
}

TEST_F(TaggedRunTest, OpeningRunReopensCarriedTagsUnlessTheHeadEndsThem) {
  st.BoldOpen = st.ItalicOpen = st.UnderlineOpen = true;
  EXPECT_EQ(Run("\\f0\\fs20\\cf0\\i0\\ ", 0), "<p><b><u>");
  EXPECT_FALSE(st.ItalicOpen);
  st.BoldOpen = st.ItalicOpen = st.UnderlineOpen = false;
  EXPECT_EQ(Run("\\f0\\fs20\\cf0\\ul\\i\\b\\ ", 0), "<p><b><i><u>");
  int run_count = 0;
  WriteTaggedRun("", run_count, st);
  EXPECT_EQ(run_count, 1);
}

TEST_F(TaggedRunTest, LaterRunOpensSpansForChangesOnly) {
  st.ParagraphFont = "Times New Roman";
  st.ParagraphSize = "12";
  // Nothing changes: no span, and the flag is cleared.
  st.SpanOpen = true;
  EXPECT_EQ(Run("\\f1\\fs24 ", 1), "");
  EXPECT_FALSE(st.SpanOpen);
  // A size change closes the open span and opens one; the paragraph follows the run.
  st.SpanOpen = true;
  EXPECT_EQ(Run("\\f1\\fs28\\cf2 ", 1), "</span><span style=\"font-size:14pt;color:#FF0000\">");
  EXPECT_TRUE(st.SpanOpen);
  EXPECT_EQ(st.ParagraphSize, "14");
  EXPECT_EQ(st.ParagraphColour, "#FF0000");
  int run_count = 3;
  WriteTaggedRun("\\f0 ", run_count, st);
  EXPECT_EQ(run_count, 3);
}

// Each row of the tag table: which of "\b0\", "\i0\", "\ulnone\" the head holds, the open
// flags before, the run's own bold/italic/underline, what is written and the flags after.
struct TagRow {
  const char* head;
  bool bold, italic, underline;  // open before
  const char* written;
  bool bold_after, italic_after, underline_after;
};

TEST_F(TaggedRunTest, LaterRunTagsFollowTheTable) {
  const TagRow rows[] = {
      // b0 i0 u0
      {"\\b0\\i0\\ulnone\\ ", true, true, true, "</u>\r\n</i>\r\n</b>\r\n", false, false, false},
      // b0 i0
      {"\\b0\\i0\\ul\\ ", true, true, true, "</u>\r\n</i>\r\n</b>\r\n", false, false, true},
      {"\\b0\\i0\\ul\\ ", true, true, false, "</i>\r\n</b>\r\n<u>\r\n", false, false, true},
      // b0 u0
      {"\\b0\\ulnone\\i\\ ", true, true, true, "</u>\r\n</i>\r\n</b>\r\n", false, true, false},
      {"\\b0\\ulnone\\i\\ ", true, false, true, "</u>\r\n</b>\r\n<i>\r\n", false, true, false},
      // b0: italic stays open without being reopened
      {"\\b0\\ ", true, true, false, "</i>\r\n</b>\r\n", false, true, false},
      {"\\b0\\i\\ul\\ ", true, false, true, "</u>\r\n</b>\r\n<i>\r\n", false, true, true},
      // i0 u0
      {"\\i0\\ulnone\\b\\ ", false, true, true, "</u>\r\n</i>\r\n<b>\r\n", true, false, false},
      // i0
      {"\\i0\\b\\ul\\ ", false, true, false, "</i>\r\n<b>\r\n<u>\r\n", true, false, true},
      {"\\i0\\ ", true, true, true, "</u>\r\n</i>\r\n", true, false, true},
      // u0
      {"\\ulnone\\b\\ ", false, true, true, "</u>\r\n</i>\r\n<b>\r\n<i>\r\n", true, true, false},
      {"\\ulnone\\ ", true, false, true, "</u>\r\n", true, false, false},
      // none: open tags are closed and reopened
      {"\\plain ", false, true, true, "</u>\r\n</i>\r\n<i>\r\n<u>\r\n", false, true, true},
      {"\\b\\i\\ ", false, false, false, "<b>\r\n<i>\r\n", true, true, false},
      {"\\b\\ ", true, false, false, "", true, false, false},
  };
  for (const TagRow& row : rows) {
    st.BoldOpen = row.bold;
    st.ItalicOpen = row.italic;
    st.UnderlineOpen = row.underline;
    EXPECT_EQ(Run(row.head, 1), row.written) << row.head;
    EXPECT_EQ(st.BoldOpen, row.bold_after) << row.head;
    EXPECT_EQ(st.ItalicOpen, row.italic_after) << row.head;
    EXPECT_EQ(st.UnderlineOpen, row.underline_after) << row.head;
  }
}

// WordPad ends its words with a space ("\b bold\b0 plain"), and a head may end with a word: the
// "off" words count there too, and the "on" words open their tags.
TEST_F(TaggedRunTest, WordsBeforeASpaceOrAtTheEndCount) {
  const TagRow rows[] = {
      {"\\b0 ", true, false, false, "</b>\r\n", false, false, false},
      {"\\b0", true, false, false, "</b>\r\n", false, false, false},
      {"\\i0 ", false, true, false, "</i>\r\n", false, false, false},
      {"\\plain\\i0", false, true, false, "</i>\r\n", false, false, false},
      {"\\ulnone ", false, false, true, "</u>\r\n", false, false, false},
      {"\\pard\\ulnone", false, false, true, "</u>\r\n", false, false, false},
      {"\\b0 \\i0 \\ulnone ", true, true, true, "</u>\r\n</i>\r\n</b>\r\n", false, false, false},
      {"\\b ", false, false, false, "<b>\r\n", true, false, false},
      {"\\i", false, false, false, "<i>\r\n", false, true, false},
      {"\\ul ", false, false, false, "<u>\r\n", false, false, true},
      // Other words, and an escaped backslash, leave the tags as they are.
      {"\\b01 \\ilvl0 \\ulth ", false, false, false, "", false, false, false},
      {"\\\\b0 ", true, false, false, "", true, false, false},
  };
  for (const TagRow& row : rows) {
    st.BoldOpen = row.bold;
    st.ItalicOpen = row.italic;
    st.UnderlineOpen = row.underline;
    EXPECT_EQ(Run(row.head, 1), row.written) << row.head;
    EXPECT_EQ(st.BoldOpen, row.bold_after) << row.head;
    EXPECT_EQ(st.ItalicOpen, row.italic_after) << row.head;
    EXPECT_EQ(st.UnderlineOpen, row.underline_after) << row.head;
  }
  // The opening run: a carried tag ended by a word before a space is not reopened.
  st.BoldOpen = st.ItalicOpen = true;
  st.UnderlineOpen = false;
  EXPECT_EQ(Run("\\f0\\fs20\\cf0\\i0 \\ul ", 0), "<p><b><u>");
  EXPECT_FALSE(st.ItalicOpen);
}

TEST_F(TaggedRunTest, LaterRunClosesSpanBeforeTagsAndOpensItAfter) {
  st.ParagraphFont = "Arial";
  st.SpanOpen = true;
  st.BoldOpen = true;
  EXPECT_EQ(Run("\\b0\\f1 ", 1), "</span></b>\r\n<span style=\"font-family:Times New Roman\">");
}

}  // namespace
}  // namespace tessarine
