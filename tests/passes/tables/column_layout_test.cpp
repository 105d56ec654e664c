#include "passes/tables/column_layout.h"

#include <string>

#include <gtest/gtest.h>

namespace tessarine {
namespace {

constexpr char kTableOpen[] = "<table border=0 width=90%>\r\n<tr>\r\n";
constexpr char kTableClose[] = "</tr></table>\r\n";

std::string Columns(const std::string& html, int columns) {
  std::string out = "before";
  AppendColumns(html, columns, out);
  EXPECT_EQ(out.substr(0, 6), "before");
  return out.substr(6);
}

TEST(ColumnLayoutTest, TwoColumnsCutAtTheSpaceAfterPieceSize) {
  // 1000 characters: piece size 525, so 524 go to the first column and the cut moves on to the
  // space that comes before the next "<".
  const std::string html = "<p>" + std::string(530, 'a') + " " + std::string(462, 'c') + "</p>";
  ASSERT_EQ(html.size(), 1000u);
  EXPECT_EQ(Columns(html, 2), std::string(kTableOpen) + "<td width=50%><p>" + std::string(530, 'a') +
                                  " </p>\r\n</td>\r\n<td width=50%><p>" + std::string(462, 'c') +
                                  "</p></td>\r\n" + kTableClose);
}

TEST(ColumnLayoutTest, ThreeColumnsAreEachAThirdWide) {
  std::string html;
  while (html.size() < 600) html += "<p>word word word</p>\r\n";
  const std::string out = Columns(html, 3);
  size_t cells = 0;
  for (size_t at = out.find("<td width=33%>"); at != std::string::npos;
       at = out.find("<td width=33%>", at + 1))
    ++cells;
  EXPECT_EQ(cells, 3u);
}

TEST(ColumnLayoutTest, ACutInsideASpanInsideAParagraphClosesAndReopensBoth) {
  const std::string p = "<p style=\"text-align:center\">";
  const std::string span = "<span style=\"color:#FF0000\">";
  std::string text;
  while (text.size() < 400) text += "word ";
  const std::string html = p + span + text + "</span></p>";
  const std::string out = Columns(html, 2);
  const size_t boundary = out.find("</td>\r\n<td width=50%>");
  ASSERT_NE(boundary, std::string::npos);
  EXPECT_TRUE(out.compare(boundary - 15, 15, "</span>\r\n</p>\r\n") == 0) << out;
  EXPECT_EQ(out.substr(boundary + 21, p.size() + span.size()), p + span);
}

TEST(ColumnLayoutTest, ACutInsideATagKeepsTheWholeTagInTheEarlierColumn) {
  // 200 characters: piece size 125; the 124th character lies inside the second span tag.
  const std::string tag = "<span style=\"font-family:Times New Roman\">";
  std::string html = "<p>" + std::string(100, 'x') + tag;
  const size_t ys = 200 - html.size() - 7;
  html += std::string(ys, 'y') + "</span>";
  ASSERT_EQ(html.size(), 200u);
  const std::string out = Columns(html, 2);
  EXPECT_EQ(out, std::string(kTableOpen) + "<td width=50%><p>" + std::string(100, 'x') + tag +
                     "</span>\r\n</p>\r\n</td>\r\n<td width=50%><p>" + tag + std::string(ys, 'y') +
                     "</span></td>\r\n" + kTableClose);
}

TEST(BalanceTagsAtCutTest, ClosesInnermostFirstAndReopensOutermostFirst) {
  std::string done = "<p class=a><b><i><u><span style=\"s\">abc";
  std::string rest = "def";
  BalanceTagsAtCut(done, rest);
  EXPECT_EQ(done, "<p class=a><b><i><u><span style=\"s\">abc</span>\r\n</u></i></b></p>\r\n");
  EXPECT_EQ(rest, "<p class=a><b><i><u><span style=\"s\">def");

  std::string closed = "<p><b>x</b></p>\r\n<p>y";
  std::string next = "z";
  BalanceTagsAtCut(closed, next);
  EXPECT_EQ(closed, "<p><b>x</b></p>\r\n<p>y</p>\r\n");
  EXPECT_EQ(next, "<p>z");
}

TEST(HasContentTest, TextAndTagsOfOtherKindsCount) {
  const std::pair<std::string_view, bool> cases[] = {
      {"", false},
      {"</span>\r\n", false},
      {"<p style=\"text-align:justify\"><b><i><u><span style=\"color:#FF0000\"> \r\n</u></i></b></p>\r\n",
       false},
      {"<p>x", true},
      {"<p>&nbsp;", true},
      {"<p><br>", true},
      {"<a href=\"x\"></a>", true},
      {"<table border=0>", true},
      {"<pre>", true},  // a tag that only begins like a p tag
      {"<p", true},     // a cut-off tag is shown as text
      {"</span", true},
  };
  for (const auto& [html, content] : cases) EXPECT_EQ(HasContent(html), content) << html;
}

}  // namespace
}  // namespace tessarine
