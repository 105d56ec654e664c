#include "page/page_head.h"

#include <string>

#include <gtest/gtest.h>

namespace tessarine {
namespace {

TEST(PageHeadTest, TheFivePiecesByteForByte) {
  EXPECT_EQ(kHeadOpen,
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n"
            "<HTML>\r\n"
            "<HEAD>\r\n"
            "<TITLE>");
  EXPECT_EQ(kHeadMeta,
            "</TITLE>\r\n"
            "<META http-equiv=Content-Type content=\"text/html; charset=windows-1251\">\r\n"
            "<META NAME=\"Description\" CONTENT=\"\">\r\n"
            "<META NAME=\"keywords\" content=\"\">\r\n"
            "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; Charset=Windows-1251\">\r\n"
            "<META NAME=\"author\" content=\"");
  EXPECT_EQ(kHeadStyleOpen, "\">\r\n<STYLE TYPE=\"text/css\">\r\n");
  EXPECT_EQ(kHeadBodyOpen, "</STYLE>\r\n</HEAD>\r\n<body");
  EXPECT_EQ(kPageClose, "</body>\r\n</html>");
}

TEST(PageHeadTest, TitleAndAuthorAreInsertedAsTheyAre) {
  std::string head;
  AppendHead(head, "A \"quoted\" <title> & \xD2\xE5\xEA\xF1\xF2", "<b>\"Author\"");
  EXPECT_EQ(head, std::string(kHeadOpen) + "A \"quoted\" <title> & \xD2\xE5\xEA\xF1\xF2" +
                      std::string(kHeadMeta) + "<b>\"Author\"" + std::string(kHeadStyleOpen));
  std::string empty;
  AppendHead(empty, "", "");
  EXPECT_NE(empty.find("<TITLE></TITLE>"), std::string::npos);
  EXPECT_NE(empty.find("<META NAME=\"author\" content=\"\">"), std::string::npos);
}

const std::string kParagraphRule =
    "p {font-size:10pt;\r\n"
    "   font-family:Arial;\r\n"
    "   margin-left:10pt;\r\n"
    "   margin-right:10pt;\r\n"
    "   text-indent:10pt}\r\n";
const std::string kCellRules =
    "td {vertical-align:top;\r\n"
    "    padding:5pt}\r\n"
    "td p {text-indent:0pt;\r\n"
    "      margin-left:5pt;\r\n"
    "      margin-right:5pt}\r\n";
const std::string kLinkRules =
    "A:link {COLOR:blue;font-weight: bold}\r\n"
    "A:visited {COLOR:blue;font-weight: bold}\r\n"
    "A:active {COLOR:green;font-weight: bold}\r\n"
    "A:hover {COLOR:red;font-weight: bold}\r\n";
const std::string kFootnoteRules =
    "A.sslk:link {COLOR:#dc143c;text-decoration:none}\r\n"
    "A.sslk:visited {COLOR:#dc143c;text-decoration:none}\r\n"
    "A.sslk:active {COLOR:#dc143c;text-decoration:none}\r\n"
    "A.sslk:hover {COLOR:#dc143c;text-decoration:none}\r\n"
    "A.ht:link {COLOR:#a0522d;text-decoration:none}\r\n"
    "A.ht:visited {COLOR:#a0522d;text-decoration:none}\r\n"
    "A.ht:active {COLOR:#a0522d;text-decoration:none}\r\n"
    "A.ht:hover {COLOR:#a0522d;text-decoration:none}\r\n";
const std::string kBackgroundScrolling = "body {background-image:url(bg.jpg)}\r\n";
const std::string kBackgroundFixed =
    "body {background-image:url(bg.jpg);\r\n"
    "      background-attachment:fixed}\r\n";
const std::string kBodyOpen = "</STYLE>\r\n</HEAD>\r\n<body bgcolor=\"#e0e0e0\">\r\n";

TEST(PageHeadTest, DefaultStylesheetIsTheParagraphRuleOnly) {
  std::string css;
  AppendRtfStylesheet(css, Settings{}, StylesheetFlags{});
  EXPECT_EQ(css, kParagraphRule + kBodyOpen);
}

// Every combination of the four flags, with no picture, a scrolling picture, a fixed picture,
// and `fixed` set without a picture (no rule at all). The groups keep their fixed order.
TEST(PageHeadTest, StylesheetForEveryFlagCombination) {
  enum class Background { kNone, kScrolling, kFixed, kFixedWithoutPicture };
  for (int bits = 0; bits < 16; ++bits) {
    const StylesheetFlags flags{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
    for (Background bg :
         {Background::kNone, Background::kScrolling, Background::kFixed, Background::kFixedWithoutPicture}) {
      Settings s;
      s.bgimage = (bg == Background::kScrolling || bg == Background::kFixed) ? "bg.jpg" : "";
      s.fixed = bg == Background::kFixed || bg == Background::kFixedWithoutPicture;
      std::string expected = kParagraphRule;
      if (flags.has_tables || flags.has_sections) expected += kCellRules;
      if (flags.has_hyperlinks) expected += kLinkRules;
      if (flags.has_footnotes) expected += kFootnoteRules;
      if (bg == Background::kScrolling) expected += kBackgroundScrolling;
      if (bg == Background::kFixed) expected += kBackgroundFixed;
      expected += kBodyOpen;

      std::string css = "before";
      AppendRtfStylesheet(css, s, flags);
      EXPECT_EQ(css, "before" + expected) << "flags " << bits << " background " << static_cast<int>(bg);
    }
  }
}

TEST(PageHeadTest, SettingsArePastedVerbatim) {
  Settings s;
  s.fontsize = "12";
  s.fontname = "Times New Roman";
  s.marginleft = "";
  s.marginright = "x\"y";
  s.textindent = "-5";
  s.bgcolor = "red";
  s.colorssl = "#111111";
  s.colorslssl = "#222222";
  s.bgimage = "C:\\pics\\a b.png";
  std::string css;
  AppendRtfStylesheet(css, s, StylesheetFlags{.has_footnotes = true});
  EXPECT_EQ(css,
            "p {font-size:12pt;\r\n"
            "   font-family:Times New Roman;\r\n"
            "   margin-left:pt;\r\n"
            "   margin-right:x\"ypt;\r\n"
            "   text-indent:-5pt}\r\n"
            "A.sslk:link {COLOR:#222222;text-decoration:none}\r\n"
            "A.sslk:visited {COLOR:#222222;text-decoration:none}\r\n"
            "A.sslk:active {COLOR:#222222;text-decoration:none}\r\n"
            "A.sslk:hover {COLOR:#222222;text-decoration:none}\r\n"
            "A.ht:link {COLOR:#111111;text-decoration:none}\r\n"
            "A.ht:visited {COLOR:#111111;text-decoration:none}\r\n"
            "A.ht:active {COLOR:#111111;text-decoration:none}\r\n"
            "A.ht:hover {COLOR:#111111;text-decoration:none}\r\n"
            "body {background-image:url(C:\\pics\\a b.png)}\r\n"
            "</STYLE>\r\n</HEAD>\r\n<body bgcolor=\"red\">\r\n");
}

}  // namespace
}  // namespace tessarine
