// Footnotes and comments: the mark in the text, the note at the page's end, their numbering.
#include "passes/notes/footnotes.h"

#include <string>

#include <gtest/gtest.h>

#include "passes/notes/complex_group.h"

namespace tessarine {
namespace {

class NotesTest : public ::testing::Test {
 protected:
  Settings settings;
  ConversionState st{settings, {}};
  void SetUp() override { st.Alignment = "left"; }
};

TEST(CutWordBeforeMarkTest, TakesTheWordAfterTheLastSpaceOrTag) {
  struct Case {
    std::string output, kept, word;
  };
  const Case cases[] = {
      {"see the report", "see the ", "report"},
      {"the report ", "the ", "report "},  // a space at the very end stays with the word
      {"<p style=\"text-align:center\">Word", "<p style=\"text-align:center\">", "Word"},
      {"<p>", "<p>", ""},
      {"</span>\r\nnext", "</span>", "\r\nnext"},
      {"Word", "", "Word"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    std::string output = c.output;
    EXPECT_EQ(CutWordBeforeMark(output), c.word) << c.output;
    EXPECT_EQ(output, c.kept) << c.output;
  }
}

TEST_F(NotesTest, FootnoteLinksTheWordBeforeItsMarkToTheNote) {
  st.OutputText = "see the report";
  ConvertComplexGroup(
      "{\\cs15\\super \\chftn {\\footnote \\pard\\plain \\s16\\fs20 {\\cs15\\super \\chftn }{ Note text.}}}",
      1, st);
  EXPECT_EQ(st.OutputText,
            "see the <a name=\"hts1\"></a>\r\n"
            "<a class=\"sslk\" href=\"#dssl1\">report</a><b><sup>1</sup></b>");
  EXPECT_EQ(st.FootnotesText,
            "<a name=\"dssl1\"></a><p style=\"font-size:8pt\"><b>1.</b>"
            "<a  class=\"ht\" href=\"#hts1\"> Note text.</a></p>\r\n");
  EXPECT_TRUE(st.HasFootnotes);
  EXPECT_EQ(st.FootnoteCount, 1);
}

TEST_F(NotesTest, FootnoteBodyLosesOnlyItsFirstLineBreak) {
  struct Case {
    const char* group;
    std::string body;
  };
  const Case cases[] = {
      {"{\\super\\chftn{\\footnote {\\par one\\par two}}}", "one<br>two"},
      // The note's own paragraph reset gives the first line break.
      {"{\\super\\chftn{\\footnote\\pard\\plain {\\par one\\par two}}}", "<br>one<br>two"},
  };
  settings.fsizessl = "7";
  for (const Case& c : cases) {
    ConversionState s{settings, {}};
    s.OutputText = "<p>A word";
    ConvertComplexGroup(c.group, 1, s);
    EXPECT_EQ(s.OutputText,
              "<p>A <a name=\"hts1\"></a>\r\n<a class=\"sslk\" href=\"#dssl1\">word</a><b><sup>1</sup></b>");
    EXPECT_EQ(s.FootnotesText,
              "<a name=\"dssl1\"></a><p style=\"font-size:7pt\"><b>1.</b>"
              "<a  class=\"ht\" href=\"#hts1\">" +
                  c.body + "</a></p>\r\n")
        << c.group;
  }
}

TEST_F(NotesTest, FootnoteWithoutAFlatGroupHasAnEmptyBody) {
  st.OutputText = "<p>mark";
  ConvertComplexGroup("{\\super{\\footnote{\\x{y}}", 1, st);
  EXPECT_EQ(st.FootnotesText,
            "<a name=\"dssl1\"></a><p style=\"font-size:8pt\"><b>1.</b><a  class=\"ht\" "
            "href=\"#hts1\"></a></p>\r\n");
}

TEST_F(NotesTest, CommentThenFootnoteAreNumberedOneAndTwo) {
  st.OutputText = "<p>Here is ";
  ConvertComplexGroup("{some {\\*\\atrfstart 7}text}", 1, st);
  EXPECT_TRUE(st.CommentPending);
  EXPECT_EQ(st.OutputText,
            "<p>Here is some <a name=\"hts1\"></a>\r\n"
            "<a class=\"sslk\" href=\"#dssl1\">text</a><b><sup>1</sup></b>");
  ConvertComplexGroup(
      "{\\cs15 {\\*\\atrfend 7}{\\*\\atnid AB}\\chatn {\\*\\annotation{\\*\\atnref 7}"
      "\\pard\\plain \\s16 {\\cs15 \\chatn }{ A remark.}}}",
      1, st);
  EXPECT_FALSE(st.CommentPending);
  EXPECT_FALSE(st.HasFootnotes);  // a comment alone does not switch on the footnote styles
  st.OutputText += " and more";
  ConvertComplexGroup("{\\super\\chftn{\\footnote\\pard\\plain {\\chftn}{ A note.}}}", 1, st);
  EXPECT_EQ(st.FootnoteCount, 2);
  EXPECT_EQ(st.OutputText,
            "<p>Here is some <a name=\"hts1\"></a>\r\n"
            "<a class=\"sslk\" href=\"#dssl1\">text</a><b><sup>1</sup></b> and "
            "<a name=\"hts2\"></a>\r\n<a class=\"sslk\" href=\"#dssl2\">more</a><b><sup>2</sup></b>");
  EXPECT_EQ(st.FootnotesText,
            // The paragraph reset that opens the comment's text leaves neither its letters nor a break.
            "<a name=\"dssl1\"></a><p style=\"font-size:8pt\"><b>1.</b>"
            "<a class=\"ht\" href=\"#hts1\"> A remark.</a></p>\r\n"
            "<a name=\"dssl2\"></a><p style=\"font-size:8pt\"><b>2.</b>"
            "<a  class=\"ht\" href=\"#hts2\"> A note.</a></p>\r\n");
}

TEST_F(NotesTest, CommentTextWithoutParagraphResetIsDropped) {
  st.CommentPending = true;
  st.FootnoteCount = 1;
  // Whatever the next complex group is, it is taken as the comment's text.
  ConvertComplexGroup("{\\super{\\footnote x}}", 1, st);
  EXPECT_FALSE(st.CommentPending);
  EXPECT_EQ(st.FootnotesText, "");
  EXPECT_EQ(st.OutputText, "");
  EXPECT_EQ(st.FootnoteCount, 1);
}

TEST_F(NotesTest, CommentReferenceWritesTheTextBeforeItAsASpan) {
  st.OutputText = "<p>";
  st.ColourList = {"#000000", "#FF0000", ""};
  ConvertComplexGroup("{\\cf1 red {\\*\\atrfstart 1}words}", 1, st);
  EXPECT_EQ(st.OutputText,
            "<p><span style=\"color:#FF0000\">red <a name=\"hts1\"></a>\r\n"
            "<a class=\"sslk\" href=\"#dssl1\">words</a><b><sup>1</sup></b>");
  EXPECT_TRUE(st.SpanOpen);
}

}  // namespace
}  // namespace tessarine
