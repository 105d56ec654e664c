#include "passes/pipeline/convert_rtf.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "page/page_head.h"
#include "passes/pipeline/conversion_state.h"

namespace tessarine {
namespace {

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}
bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A page with every part: title and author, all rule groups, a fixed background picture, an
// open span closing the body, and footnotes under their rule.
TEST(FinishPageTest, FullPageByteForByte) {
  Settings s;
  s.titul = "\xCF\xF0\xE8\xEC\xE5\xF0";  // "Пример" in code page 1251
  s.titulautor = "Ivanov";
  s.bgimage = "bg.gif";
  s.fixed = true;
  s.bgcolor = "#ffffff";
  s.colorhr = "#000080";
  ConversionState st(s, {});
  st.OutputText = "<p>Text<span style=\"color:red\">red";
  st.SpanOpen = true;
  st.HasSections = true;
  st.HasHyperlinks = true;
  st.HasFootnotes = true;
  st.FootnotesText = "<p>1 note</p>\r\n";
  std::string page;
  FinishPage(st, page);
  EXPECT_EQ(page,
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n"
            "<HTML>\r\n"
            "<HEAD>\r\n"
            "<TITLE>\xCF\xF0\xE8\xEC\xE5\xF0</TITLE>\r\n"
            "<META http-equiv=Content-Type content=\"text/html; charset=windows-1251\">\r\n"
            "<META NAME=\"Description\" CONTENT=\"\">\r\n"
            "<META NAME=\"keywords\" content=\"\">\r\n"
            "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; Charset=Windows-1251\">\r\n"
            "<META NAME=\"author\" content=\"Ivanov\">\r\n"
            "<STYLE TYPE=\"text/css\">\r\n"
            "p {font-size:10pt;\r\n"
            "   font-family:Arial;\r\n"
            "   margin-left:10pt;\r\n"
            "   margin-right:10pt;\r\n"
            "   text-indent:10pt}\r\n"
            "td {vertical-align:top;\r\n"
            "    padding:5pt}\r\n"
            "td p {text-indent:0pt;\r\n"
            "      margin-left:5pt;\r\n"
            "      margin-right:5pt}\r\n"
            "A:link {COLOR:blue;font-weight: bold}\r\n"
            "A:visited {COLOR:blue;font-weight: bold}\r\n"
            "A:active {COLOR:green;font-weight: bold}\r\n"
            "A:hover {COLOR:red;font-weight: bold}\r\n"
            "A.sslk:link {COLOR:#dc143c;text-decoration:none}\r\n"
            "A.sslk:visited {COLOR:#dc143c;text-decoration:none}\r\n"
            "A.sslk:active {COLOR:#dc143c;text-decoration:none}\r\n"
            "A.sslk:hover {COLOR:#dc143c;text-decoration:none}\r\n"
            "A.ht:link {COLOR:#a0522d;text-decoration:none}\r\n"
            "A.ht:visited {COLOR:#a0522d;text-decoration:none}\r\n"
            "A.ht:active {COLOR:#a0522d;text-decoration:none}\r\n"
            "A.ht:hover {COLOR:#a0522d;text-decoration:none}\r\n"
            "body {background-image:url(bg.gif);\r\n"
            "      background-attachment:fixed}\r\n"
            "</STYLE>\r\n"
            "</HEAD>\r\n"
            "<body bgcolor=\"#ffffff\">\r\n"
            "<p>Text<span style=\"color:red\">red</span></p>\r\n"
            "<hr color=#000080 width=70%><p>1 note</p>\r\n"
            "</body>\r\n"
            "</html>");
}

TEST(FinishPageTest, ClosesTheLastParagraphAndAddsNoRuleWithoutFootnotes) {
  Settings s;
  ConversionState st(s, {});
  st.OutputText = "<p>Text";
  st.BoldOpen = true;  // open b, i and u elements are left as they are
  std::string page;
  FinishPage(st, page);
  EXPECT_TRUE(EndsWith(page, "<body bgcolor=\"#e0e0e0\">\r\n<p>Text</p>\r\n</body>\r\n</html>")) << page;
  EXPECT_EQ(page.find("<hr"), std::string::npos);
  EXPECT_EQ(page.find("td {"), std::string::npos);
}

// An empty page takes the body over; a page with text in front keeps it and gets the same page
// after it.
TEST(FinishPageTest, EmptyAndStartedPagesGetTheSamePage) {
  Settings s;
  std::string pages[2];
  const std::string starts[2] = {"", "before"};
  for (int i = 0; i < 2; ++i) {
    ConversionState st(s, {});
    st.OutputText = "<p>Text";
    st.FootnotesText = "<p>1 note</p>\r\n";
    pages[i] = starts[i];
    FinishPage(st, pages[i]);
  }
  EXPECT_EQ("before" + pages[0], pages[1]);
  EXPECT_TRUE(
      EndsWith(pages[0], "<p>Text</p>\r\n<hr color=#dc143c width=70%><p>1 note</p>\r\n</body>\r\n</html>"))
      << pages[0];
}

TEST(FinishPageTest, ResetsTheProgressToZero) {
  std::vector<int> positions;
  Settings s;
  ConversionState st(s, [&positions](int p) { positions.push_back(p); });
  st.progress.Set(17);
  std::string page;
  FinishPage(st, page);
  EXPECT_EQ(positions, (std::vector<int>{17, 0}));
}

TEST(ConvertRtfTest, PageHasTheHeadAndTheClosing) {
  Settings s;
  s.titul = "T";
  Conversion c = ConvertRtf("{\\rtf1\\ansi\r\n}\\pard\\plain Hello\\par\r\n}\r\n", s);
  EXPECT_TRUE(StartsWith(c.page, std::string(kHeadOpen) + "T" + std::string(kHeadMeta)));
  EXPECT_TRUE(EndsWith(c.page, "</body>\r\n</html>"));
  EXPECT_EQ(c.refusal, Refusal::kNone);
}

// Control characters of the document (NUL after the last brace, bytes in the text, in a cell, in
// a footnote) never reach the page; tab, CR and LF stay where the page has them.
TEST(ConvertRtfTest, ControlCharactersNeverReachThePage) {
  const std::string documents[] = {
      std::string(
          "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Calibri;}}\r\n\\pard\\f0 text\\par\r\n}\r\n") +
          '\0',
      "{\\rtf1\\ansi\\ansicpg1251 Hello\x01World \x07"
      "bell\x1b\\par}",
      "{\\rtf1\\ansi\r\n}\\pard\\plain a\x02\\par\\trowd\\cellx1000 b\x0c\\cell\\row\r\n}\r\n",
      "{\\rtf1\\ansi\r\n}\\pard\\plain x{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} "
      "note\x1f\\par}\\par\r\n}",
  };
  for (const std::string& document : documents) {
    const std::string page = ConvertRtf(document, Settings{}).page;
    for (char c : page) {
      const auto byte = static_cast<unsigned char>(c);
      EXPECT_TRUE(byte >= 0x20 || c == '\t' || c == '\r' || c == '\n') << int{byte} << " in\n" << page;
    }
  }
  EXPECT_NE(ConvertRtf(documents[1], Settings{}).page.find("HelloWorld bell"), std::string::npos);
}

// Every run starts from a fresh state: a page never depends on what was converted before it.
TEST(ConvertRtfTest, RunsAreIndependentAndRepeatable) {
  const std::string with_tables =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\r\n"
      "}\\pard\\plain\\f0\\cf1 a\\par\\trowd\\cellx1000 b\\cell\\row\r\n}\r\n";
  const std::string plain = "{\\rtf1\\ansi\r\n}\\pard\\plain\\cf1 Hello\\par\r\n}\r\n";
  Settings s;
  const std::string alone = ConvertRtf(plain, s).page;
  (void)ConvertRtf(with_tables, s);
  EXPECT_EQ(ConvertRtf(plain, s).page, alone);
  EXPECT_EQ(ConvertRtf(plain, s).page, alone);
}

TEST(ConvertRtfTest, ProgressEndsAtZeroAndStaysInRange) {
  for (const std::string& doc :
       {std::string(""), std::string("{\\rtf1}"), std::string("{\\rtf1 ") + std::string(5000, 'x') + "}"}) {
    std::vector<int> positions;
    Settings s;
    Conversion c = ConvertRtf(doc, s, [&positions](int p) { positions.push_back(p); });
    ASSERT_FALSE(positions.empty()) << doc.size();
    EXPECT_EQ(positions.back(), 0);
    for (int p : positions) {
      EXPECT_GE(p, 0);
      EXPECT_LE(p, 25);
    }
    EXPECT_TRUE(EndsWith(c.page, "</body>\r\n</html>"));
  }
}

TEST(ProgressTest, ZeroStepNeverDividesAndPositionsStayInRange) {
  std::vector<int> positions;
  Progress p([&positions](int position) { positions.push_back(position); });
  p.SetFromRemaining(100, 0);  // a source shorter than 25 characters: the bar stays
  EXPECT_TRUE(positions.empty());
  p.SetFromRemaining(1000, 10);  // 100 steps left: below the bar's range
  p.SetFromRemaining(250, 10);   // 25 left: 1
  p.SetFromRemaining(10, 10);    // 1 left: 25
  p.SetFromRemaining(5, 10);     // 0 left: unchanged
  p.Set(40);
  p.Set(-3);
  EXPECT_EQ(positions, (std::vector<int>{0, 1, 25, 0}));
}

}  // namespace
}  // namespace tessarine
