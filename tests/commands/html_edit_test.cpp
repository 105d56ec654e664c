#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "app/commands/html_edit.h"

namespace tessarine {
namespace {

const std::u16string kPage =
    u"<HTML>\r\n<HEAD>\r\n<STYLE TYPE=\"text/css\">\r\np {font-size:10pt}\r\n</STYLE>\r\n</HEAD>\r\n"
    u"<body bgcolor=\"#e0e0e0\">\r\n<p>First.</p>\r\n<P>Second.</P>\r\n</body>\r\n</html>";

size_t At(std::u16string_view text, std::u16string_view what) {
  return text.find(what);
}

// Applies a background edit as the window does.
std::u16string WithBackground(std::u16string text, std::u16string_view path, size_t caret = 0) {
  BackgroundEdit edit = PlanBackground(text, caret);
  text.erase(edit.remove_from, edit.remove_count);
  text.insert(edit.insert_at, BackgroundRule(path, edit.own_style_block));
  return text;
}

size_t Count(std::u16string_view text, std::u16string_view what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::u16string_view::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(HtmlEditTest, PictureGoesBeforeTheCaretsParagraph) {
  const size_t first = At(kPage, u"<p>First");
  const size_t second = At(kPage, u"<P>Second");
  const struct {
    const char* name;
    size_t caret;
    std::optional<size_t> at;
  } cases[] = {
      {"in the head", At(kPage, u"font-size"), std::nullopt},
      {"just before the first paragraph", first - 1, std::nullopt},
      {"at the first paragraph", first, first},
      {"inside the first paragraph", first + 5, first},
      {"inside the second, capital P", second + 4, second},
      {"inside the tag's letters", second + 1, second},
      {"after the end", kPage.size() + 10, second},
  };
  for (const auto& c : cases) EXPECT_EQ(PictureInsertionPoint(kPage, c.caret), c.at) << c.name;
  EXPECT_EQ(PictureInsertionPoint(u"<html><body>no paragraphs</body></html>", 20), std::nullopt);
  EXPECT_EQ(PictureInsertionPoint(u"", 0), std::nullopt);
}

TEST(HtmlEditTest, PictureBlocks) {
  EXPECT_EQ(PictureBlock(PicturePlacement::kFloatRight, u"/p/a b.gif"),
            u"<div style=\"float:right\">\r\n<img src=\"/p/a b.gif\"></div>\r\n");
  EXPECT_EQ(PictureBlock(PicturePlacement::kFloatLeft, u"x.png"),
            u"<div style=\"float:left\">\r\n<img src=\"x.png\"></div>\r\n");
  EXPECT_EQ(PictureBlock(PicturePlacement::kNoFloat, u"фото.jpg"),
            u"<div>\r\n<img src=\"фото.jpg\"></div>\r\n");
}

TEST(HtmlEditTest, BackgroundGoesBeforeTheStyleEnd) {
  std::u16string once = WithBackground(kPage, u"/p/a.gif");
  EXPECT_NE(once.find(u"p {font-size:10pt}\r\nbody {background-image:url(/p/a.gif)}\r\n</STYLE>"),
            std::u16string::npos);
  std::u16string twice = WithBackground(once, u"/p/b.gif");
  EXPECT_EQ(Count(twice, u"background-image"), 1u);
  EXPECT_NE(twice.find(u"body {background-image:url(/p/b.gif)}\r\n\r\n</STYLE>"), std::u16string::npos);
}

TEST(HtmlEditTest, FixedBackgroundLeavesItsRemainder) {
  std::u16string page = kPage;
  page.insert(At(page, u"</STYLE>"),
              u"body {background-image:url(/p/a.gif);\r\n      background-attachment:fixed}\r\n");
  std::u16string edited = WithBackground(page, u"/p/b.gif");
  EXPECT_NE(
      edited.find(
          u"body {background-image:url(/p/b.gif)}\r\n\r\n      background-attachment:fixed}\r\n</STYLE>"),
      std::u16string::npos);
  EXPECT_EQ(Count(edited, u"background-image"), 1u);
}

TEST(HtmlEditTest, BackgroundWithoutStyleBlock) {
  std::u16string head_only = u"<html><head><title>t</title></head><body><p>x</p></body></html>";
  EXPECT_EQ(WithBackground(head_only, u"a.gif"),
            u"<html><head><title>t</title><STYLE TYPE=\"text/css\">\r\nbody {background-image:url(a.gif)}\r\n"
            u"</STYLE>\r\n</head><body><p>x</p></body></html>");
  std::u16string bare = u"just some text without a head";
  EXPECT_EQ(WithBackground(bare, u"a.gif", 5),
            u"just body {background-image:url(a.gif)}\r\nsome text without a head");
  EXPECT_EQ(WithBackground(u"", u"a.gif", 7), u"body {background-image:url(a.gif)}\r\n");
  // A declaration without its ")" is kept; the new rule goes in front of it.
  EXPECT_EQ(WithBackground(u"xbody {background-image:url(a.gif", u"b.gif"),
            u"xbody {background-image:url(b.gif)}\r\nbody {background-image:url(a.gif");
}

TEST(HtmlEditTest, HtmlTextAndSaveTargets) {
  EXPECT_TRUE(IsHtmlText(kPage));
  EXPECT_TRUE(IsHtmlText(u"x</HTML>"));
  EXPECT_FALSE(IsHtmlText(u"</html> at the very start"));
  EXPECT_FALSE(IsHtmlText(u"<html><body></body>"));
  const struct {
    const char* chosen;
    const char* target;
  } cases[] = {{"/d/page", "/d/page.htm"},
               {"/d/page.htm", "/d/page.htm"},
               {"/d/page.HTML", "/d/page.HTML"},
               {"/d/page.Htm", "/d/page.Htm"},
               {"/d/page.txt", "/d/page.txt.htm"},
               {"/d/page.htmx", "/d/page.htmx.htm"},
               {"/d/a.html/page", "/d/a.html/page.htm"}};
  for (const auto& c : cases) EXPECT_EQ(SaveTargetFor(c.chosen), c.target);
}

}  // namespace
}  // namespace tessarine
