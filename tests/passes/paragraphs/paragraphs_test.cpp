#include "passes/paragraphs/paragraphs.h"

#include <string>

#include <gtest/gtest.h>

#include "passes/paragraphs/run_format.h"
#include "passes/pipeline/colour_table.h"
#include "tests/support/time_bound.h"

namespace tessarine {
namespace {

class ParagraphsTest : public ::testing::Test {
 protected:
  Settings settings;
  ConversionState st{settings, {}};
  void SetUp() override {
    ApplyFontTable(st, "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}");
    st.ColourList = ParseColourTable("\\red255\\green0\\blue0;");
    st.Alignment = "left";
  }
  std::string Convert(const std::string& chunk) {
    st.OutputText.clear();
    ConvertParagraphs(chunk, st);
    return st.OutputText;
  }
};

struct ChunkCase {
  const char* what;
  std::string chunk;
  std::string html;
};

TEST_F(ParagraphsTest, ConvertsGroupedParagraphs) {
  const ChunkCase cases[] = {
      {"closing order: span, u, i, b, then the paragraph",
       "\\pard\\plain\\b\\i\\ul\\f1 {\\f1 one}{\\cf1 two}\\pard\\plain {\\f1 three}}",
       "<p style=\"font-family:Times New Roman\"><b><i><u>one<span style=\"color:#FF0000\">two</span>"
       "</u></i></b></p>\r\n<p><span style=\"font-family:Times New Roman\">three"},
      {"the first \\q of the rest of the chunk decides",
       "\\pard\\plain {left text}\\pard\\plain\\qc {centred}",
       "<p style=\"text-align:center\">left text</p>\r\n<p style=\"text-align:center\">centred"},
      {"a leading } and control characters are skipped", "}\r\n\\pard\\plain\\qr {right}{ aligned}",
       "<p style=\"text-align:right\">right aligned"},
      {"text before the first group is written with the paragraph's opening",
       "\\pard\\plain\\f1 Lead {\\b\\ bold}{ tail text}",
       "<p style=\"font-family:Times New Roman\">Lead <span style=\"font-weight:bold\">bold</span>\r\n tail "
       "text"},
      {"an ignorable group is dropped and the text after it joins the prefix",
       "\\pard\\plain {\\*\\bkmkstart x}tail text {\\b\\ more}",
       "<p>tail text <span style=\"font-weight:bold\">more"},
      {"a remainder of fewer than 10 characters is not converted", "\\pard\\plain {abc}{def}", "<p>abc"},
      {"the text after the last group is converted", "\\pard\\plain {one} closing words\\par }",
       "<p>one closing words<br>"},
      {"the text after the last group is converted even when no brace closes it",
       "\\pard\\plain {one} closing words", "<p>one closing words"},
      {"text without groups after a grouped paragraph keeps its paragraphs",
       "\\pard\\plain {one}\\par }\\pard\\plain two words\\par }\\pard\\plain three words\\par }",
       "<p>one<br></p>\r\ntwo words<br></p>\r\nthree words<br>"},
      {"a group that never closes is dropped with the rest", "\\pard\\plain {one}{\\b never closed",
       "<p>one"},
      {"a list number, two non-breaking spaces, then the item's text",
       "\\pard\\plain {\\pntext 1.\\tab}{\\f1 Item}{ more text}",
       "<p>1.&nbsp;&nbsp;<span style=\"font-family:Times New Roman\">Item</span>\r\n more text"},
      {"a list number loses its first <br>", "\\pard\\plain {\\pntext\\par 2.\\par}{Item}{ and more}",
       "<p>2.<br>&nbsp;&nbsp;Item and more"},
      {"a list number without text does not start an item",
       "\\pard\\plain {\\pntext\\tab}{\\f1 Plain}{ text here}",
       "<p><span style=\"font-family:Times New Roman\">Plain</span>\r\n text here"},
  };
  for (const ChunkCase& c : cases) {
    testing::TimeBound bound(10);
    EXPECT_EQ(Convert(c.chunk), c.html) << c.what;
  }
}

TEST_F(ParagraphsTest, EachParagraphStartsFromAResetState) {
  Convert("\\pard\\plain\\f1\\fs28 {x}\\pard\\plain {\\cf1 second}");
  EXPECT_EQ(st.ParagraphFont, "");
  EXPECT_EQ(st.ParagraphSize, "");
  EXPECT_TRUE(st.SpanOpen);
  EXPECT_EQ(st.SpanColour, "#FF0000");
  EXPECT_FALSE(st.BoldOpen);
  EXPECT_FALSE(st.InListItem);
}

TEST_F(ParagraphsTest, FirstParagraphWithoutGroupsTakesThePlainWay) {
  testing::TimeBound bound(10);
  st.Source.Load("}\r\n");
  st.OutputText.clear();
  ConvertParagraphs("\\pard\\plain Hello\\par\r\n\\pard\\plain World\\par\r\n}", st);
  // The plain way takes the chunk and what the source still holds, down to the last characters.
  EXPECT_LT(st.Source.Length(), 10);
  EXPECT_TRUE(st.PassesDone);
  EXPECT_FALSE(st.SecondPath);
}

TEST_F(ParagraphsTest, ShortChunkOfThePlainWayIsLeftToTheFallbackPath) {
  st.Source.Load("rest of the source");
  EXPECT_EQ(Convert("\\pard x"), "");
  EXPECT_TRUE(st.SecondPath);
  EXPECT_EQ(st.Source.Content(), "rest of the source");
}

TEST_F(ParagraphsTest, SimpleGroups) {
  const ChunkCase cases[] = {
      {"a span", "{\\cf1 red}", "<span style=\"color:#FF0000\">red"},
      {"an ignorable group", "{\\*\\fldinst x}", ""},
      {"an empty group", "", ""},
      {"a list-number group", "{\\pntext 3)\\tab}", "3)&nbsp;&nbsp;"},
  };
  for (const ChunkCase& c : cases) {
    st.OutputText.clear();
    st.InListItem = false;
    st.SpanOpen = false;
    ConvertSimpleGroup(c.chunk, 1, st);
    EXPECT_EQ(st.OutputText, c.html) << c.what;
  }
  EXPECT_TRUE(st.InListItem);
}

TEST_F(ParagraphsTest, ListItemText) {
  st.InListItem = true;
  st.ListPardPending = true;
  int runs = 0;
  ConvertListItemText("{\\f1 Item}", runs, st);
  EXPECT_EQ(st.OutputText, "<p style=\"text-indent:0pt;font-family:Times New Roman\">Item");
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(st.InListItem);
  EXPECT_FALSE(st.ListPardPending);

  st.OutputText.clear();
  st.InListItem = true;
  ConvertListItemText("no brace}", runs, st);
  EXPECT_EQ(st.OutputText, "");
  EXPECT_FALSE(st.InListItem);
}

TEST_F(ParagraphsTest, HostileChunksEnd) {
  const std::string chunks[] = {
      "\\pard\\plain " + std::string(5000, '}'),
      "\\pard\\plain {x}" + std::string(5000, '}'),
      "\\pard\\plain {x}" + std::string(5000, '{'),
      "\\pard\\plain {x}" + std::string(3000, '\\'),
      "\\pard\\plain {x}\\pard\\pard\\pard\\pard\\pard\\pard\\pard\\pard\\pard\\pard",
      "\\pard\\plain {x}{\\*\\a}{\\*\\b}{\\*\\c}{\\*\\d}",
      "\\pard\\plain {x}{}{}{}{}{}{}{}{}{}{}{}{}{}{}{}{}",
      "{{{{{{{{{{{{{{{{{{{{}}}}}}}}}}}}}}}}}}}}{}{}{}{}",
  };
  for (const std::string& chunk : chunks) {
    testing::TimeBound bound(10);
    Convert(chunk);
  }
}

}  // namespace
}  // namespace tessarine
