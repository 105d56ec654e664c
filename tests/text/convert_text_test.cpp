#include "text/convert_text.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/text/page_parts.h"

namespace tessarine {
namespace {

using testing::SplitPage;

// Code page 1251 letters used below: lower-case Cyrillic is 0xE0 to 0xFF, with yo (0xB8) outside.
#define CYR_DA "\xE4\xE0"      // lower-case "da"
#define CYR_CAP_DA "\xC4\xE0"  // capital "Da"
#define CYR_A "\xE0"           // lowest lower-case letter
#define CYR_YA "\xFF"          // highest lower-case letter
#define CYR_CAP_YA "\xDF"      // highest capital, just below the lower-case range
#define CYR_YO "\xB8\xE6"      // lower-case "yo" + "zh", outside the 0xE0-0xFF range

struct StructureCase {
  const char* name;
  std::string text;
  std::string body;
  std::string title;
};

class StructureTest : public ::testing::TestWithParam<StructureCase> {};

TEST_P(StructureTest, BodyAndTitle) {
  const StructureCase& c = GetParam();
  Conversion conversion = ConvertText(c.text, Settings{});
  ASSERT_EQ(conversion.refusal, Refusal::kNone);
  testing::PageParts parts = SplitPage(conversion.page);
  EXPECT_EQ(parts.body, c.body);
  EXPECT_EQ(parts.title, c.title);
}

const StructureCase kStructureCases[] = {
    // Headings by isolation.
    {"IsolatedLineAfterTextClosesTheParagraph", "Some text\r\n\r\nHeading\r\n\r\nMore text\r\n",
     "<p>Some text </p>\r\n<h2>Heading</h2>\r\n<p>More text </p>", "Heading"},
    {"TwoIsolatedLinesInARowGiveTwoHeadingsWithoutClose", "Intro.\r\n\r\nOne\r\n\r\nTwo\r\n\r\nBody text\r\n",
     "<p>Intro. </p>\r\n<h2>One</h2>\r\n<h2>Two</h2>\r\n<p>Body text </p>", "One"},
    {"FirstLineBeforeAnEmptyLineIsParagraphText", "Title\r\n\r\nText.\r\n", "<p>Title Text. </p>", ""},
    {"TextOpeningWithAnEmptyLineGivesHeadingAndTitle", "\r\nTitle\r\n\r\nText.\r\n",
     "<h2>Title</h2>\r\n<p>Text. </p>", "Title"},
    {"LaterHeadingIsTheTitleWhenTheFirstLineIsNone", "A line\r\n\r\nLater\r\n\r\nEnd\r\n",
     "<p>A line </p>\r\n<h2>Later</h2>\r\n<p>End </p>", "Later"},
    {"IsolatedLineAfterATenSpaceHeadingWritesAClose", "          Ten\r\n\r\nIso\r\n\r\nx\r\n",
     "<h2>          Ten</h2>\r\n</p>\r\n<h2>Iso</h2>\r\n<p>x </p>", "Iso"},
    // Headings and paragraphs by indentation.
    {"TenLeadingSpacesMakeAHeadingThatIsNoTitle", "Start of text\r\n          Chapter\r\nmore words\r\n",
     "<p>Start of text <h2>          Chapter</h2>\r\n<p>more words </p>", ""},
    {"NineLeadingSpacesOpenAParagraph", "Start\r\n         Nine\r\n", "<p>Start <p>         Nine </p>", ""},
    {"TwoLeadingSpacesAfterASentenceEndOpenANewParagraph", "One.\r\n  Two\r\n",
     "<p>One. </p>\r\n<p>  Two </p>", ""},
    {"OneLeadingSpaceContinuesTheParagraph", "One\r\n Two\r\n", "<p>One  Two </p>", ""},
    {"ShortLineOfSpacesIsParagraphText", "Text.\r\n   \r\nMore\r\n", "<p>Text. </p>\r\n<p>    More </p>", ""},
    {"LongLineOfSpacesIsAHeading", "a\r\n            \r\nb\r\n", "<p>a <h2>            </h2>\r\n<p>b </p>",
     ""},
    // Hyphen joins.
    {"HyphenJoinsWithTheNextLine", "con-\r\ntinued\r\n", "<p>continued </p>", ""},
    {"HyphenBeforeASpaceLosesTheSpace", "word- \r\nnext\r\n", "<p>word-next </p>", ""},
    // Sentence ends.
    {"SentenceEndBeforeLowerCaseCyrillicContinues", "End.\r\n" CYR_DA "\r\n", "<p>End. " CYR_DA " </p>", ""},
    {"ColonBeforeTheLowestLowerCaseLetterContinues", "End:\r\n" CYR_A "\r\n", "<p>End: " CYR_A " </p>", ""},
    {"SentenceEndBeforeTheHighestLowerCaseLetterContinues", "End?\r\n" CYR_YA "\r\n",
     "<p>End? " CYR_YA " </p>", ""},
    {"SentenceEndBeforeLatinLowerCaseStartsAParagraph", "End.\r\nnext\r\n", "<p>End. </p>\r\n<p>next </p>",
     ""},
    {"SentenceEndBeforeCyrillicCapitalStartsAParagraph", "End!\r\n" CYR_CAP_DA "\r\n",
     "<p>End! </p>\r\n<p>" CYR_CAP_DA " </p>", ""},
    {"SentenceEndBeforeTheHighestCapitalStartsAParagraph", "End?\r\n" CYR_CAP_YA "\r\n",
     "<p>End? </p>\r\n<p>" CYR_CAP_YA " </p>", ""},
    {"SentenceEndBeforeYoStartsAParagraph", "End.\r\n" CYR_YO "\r\n", "<p>End. </p>\r\n<p>" CYR_YO " </p>",
     ""},
    {"SentenceEndBeforeAnEmptyLineStartsAParagraph", "End.\r\n\r\n" CYR_DA "\r\n",
     "<p>End. </p>\r\n<p>" CYR_DA " </p>", ""},
    {"TrailingSpacesAfterASentenceEnd", "End. \r\nNext\r\n", "<p>End.  </p>\r\n<p>Next </p>", ""},
    {"CommaContinuesTheParagraph", "End,\r\nNext\r\n", "<p>End, Next </p>", ""},
    // The final line and the end of the text.
    {"FinalLineWithoutALineBreak", "First line\r\nlast.", "<p>First line last.</p>\r\n</p>", ""},
    {"FinalLineKeepsItsHyphen", "a.\r\nend-", "<p>a. </p>\r\n<p>end-</p>\r\n</p>", ""},
    {"FinalLineAfterAHeading", "\r\nHead\r\n\r\ntail", "<h2>Head</h2>\r\n<p>tail</p>\r\n</p>", "Head"},
    {"TextEndingWithEmptyLinesAfterASentence", "Text.\r\n\r\n\r\n", "<p>Text. </p>\r\n<p></p>\r\n</p>", ""},
    {"TextEndingWithAnEmptyLineInsideAParagraph", "Text\r\n\r\n", "<p>Text </p>\r\n</p>", ""},
    {"OnlyALineBreak", "\r\n", "<p></p>\r\n</p>", ""},
    {"LoneCrAndLfStayInsideTheLine", "a\rb\nc\r\n", "<p>a\rb\nc </p>", ""},
    // The text's own mark-up characters.
    {"AngleBracketsAreWrittenAsEntities", "\r\na<b\r\n\r\nif a<b then x>y\r\nend <i>",
     "<h2>a&lt;b</h2>\r\n<p>if a&lt;b then x&gt;y end &lt;i&gt;</p>\r\n</p>", "a&lt;b"},
    {"HyphenatedLineWithAnAngleBracket", "x>-\r\ny\r\n", "<p>x&gt;y </p>", ""},
};

INSTANTIATE_TEST_SUITE_P(Text, StructureTest, ::testing::ValuesIn(kStructureCases),
                         [](const ::testing::TestParamInfo<StructureCase>& param) {
                           return param.param.name;
                         });

TEST(ConvertTextTest, TextWithoutCrLfIsRefusedAndReturnedUnchanged) {
  for (std::string text : {"", "one line", "lone\rcarriage return", "lone\nline feed", "\n\r"}) {
    int calls = 0;
    Conversion c = ConvertText(text, Settings{}, [&](int) { ++calls; });
    EXPECT_EQ(c.refusal, Refusal::kTextNotConvertible) << text;
    EXPECT_EQ(c.page, text);
    EXPECT_EQ(calls, 0);
  }
}

TEST(ConvertTextTest, StylesheetCarriesTheSettingsAsTyped) {
  Settings s;
  s.fontsize = "12";
  s.textcolor = "#101010";
  s.fontname = "Verdana";
  s.textalign = "justify";
  s.marginleft = "7";
  s.textindent = "0";
  s.bgcolor = "#ffffff";
  s.bgimage = "fon.jpg";
  s.titul = "A <b> \"title\"";
  s.titulautor = "Author <x>";
  Conversion c = ConvertText("\r\nHeading\r\n\r\n", s);
  const std::string expected =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
      "<TITLE>A <b> \"title\"</TITLE>\r\n"
      "<META http-equiv=Content-Type content=\"text/html; charset=windows-1251\">\r\n"
      "<META NAME=\"Description\" CONTENT=\"\">\r\n"
      "<META NAME=\"keywords\" content=\"\">\r\n"
      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; Charset=Windows-1251\">\r\n"
      "<META NAME=\"author\" content=\"Author <x>\">\r\n"
      "<STYLE TYPE=\"text/css\">\r\n"
      "p {font-size:12pt;\r\n"
      "   font-style:;\r\n"
      "   color:#101010;\r\n"
      "   font-family:Verdana;\r\n"
      "   text-align:justify;\r\n"
      "   margin-left:7pt;\r\n"
      "   text-indent:0pt}\r\n"
      "body {background-image:url(fon.jpg)}\r\n"
      "</STYLE>\r\n</HEAD>\r\n<body bgcolor=\"#ffffff\">\r\n"
      "<h2>Heading</h2>\r\n<p></p>\r\n</p>"
      "</body>\r\n</html>";
  EXPECT_EQ(c.page, expected);
}

TEST(ConvertTextTest, ShortTextReportsOnlyTheFinalReset) {
  std::vector<int> positions;
  Conversion c = ConvertText("a\r\nb", Settings{}, [&](int p) { positions.push_back(p); });
  EXPECT_EQ(c.refusal, Refusal::kNone);
  EXPECT_EQ(positions, std::vector<int>{0});
}

TEST(ConvertTextTest, ProgressFollowsTheOutputAndEndsAtZero) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "word word word\r\n";
  std::vector<int> positions;
  ConvertText(text, Settings{}, [&](int p) { positions.push_back(p); });
  ASSERT_GE(positions.size(), 3u);
  EXPECT_EQ(positions.back(), 0);
  // Step 32000 div 25 = 1280; after the last line the output holds the stylesheet and 2000
  // lines of 15 characters: 30000 and some, which is 23 steps.
  EXPECT_EQ(positions[positions.size() - 2], 23);
  for (size_t i = 1; i + 1 < positions.size(); ++i) EXPECT_GT(positions[i], positions[i - 1]);
}

}  // namespace
}  // namespace tessarine
