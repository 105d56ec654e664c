// Links and anchors: targets that cannot leave their attribute, script targets as plain text,
// bookmarks and local links named the same way on both sides.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model_page/links.h"
#include "page/link_target.h"
#include "tests/model_page/document_builder.h"

namespace tessarine {
namespace {

using namespace testing;

struct Case {
  const char* name;
  std::vector<model::Inline> inlines;
  std::string body;
};

TEST(ModelLinksTest, LinksAndBookmarks) {
  const Case cases[] = {
      {"external link",
       {Text("See "), LinkStart("http://example.com/?a=1&b=2"), Text("the site"), LinkEnd(), Text(".")},
       "<p>See <a href=\"http://example.com/?a=1&amp;b=2\">the site</a>.</p>\r\n"},
      {"quoted target with switches after it",
       {LinkStart(" \"page2.htm\" \\o \"tip\""), Text("next"), LinkEnd()},
       "<p><a href=\"page2.htm\">next</a></p>\r\n"},
      {"a target cannot leave its attribute",
       {LinkStart("http://x/\"><script>alert(1)</script><a b=\""), Text("x"), LinkEnd()},
       "<p><a href=\"http://x/&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;&lt;a b=&quot;\">x</a></p>\r\n"},
      {"non-1251 characters in a target",
       {LinkStart("http://пример.рф/中"), Text("x"), LinkEnd()},
       Cp1251("<p><a href=\"http://пример.рф/&#20013;\">x</a></p>\r\n")},
      {"local link and bookmark",
       {Bookmark("Top"), Text("top "), LinkStart("Top", true), Text("up"), LinkEnd()},
       "<p><a name=\"Top\"></a>top <a href=\"#Top\">up</a></p>\r\n"},
      {"a target starting with # is local",
       {LinkStart("#Top"), Text("up"), LinkEnd()},
       "<p><a href=\"#Top\">up</a></p>\r\n"},
      {"bookmark names are sanitised the same way on both sides",
       {Bookmark("Раздел 1"), LinkStart("Раздел 1", true), Text("x"), LinkEnd()},
       "<p><a name=\"_D0_A0_D0_B0_D0_B7_D0_B4_D0_B5_D0_BB_201\"></a><a "
       "href=\"#_D0_A0_D0_B0_D0_B7_D0_B4_D0_B5_D0_BB_201\">x</a></p>\r\n"},
      {"hostile bookmark names",
       {Bookmark("a\"b<c>"), LinkStart("a\"b<c>", true), Text("x"), LinkEnd()},
       "<p><a name=\"a_22b_3Cc_3E\"></a><a href=\"#a_22b_3Cc_3E\">x</a></p>\r\n"},
      {"a bookmark cannot take a note's anchor",
       {Bookmark("hts1"), Bookmark("dssl2"), Bookmark("hts")},
       "<p><a name=\"_hts1\"></a><a name=\"_dssl2\"></a><a name=\"hts\"></a>&nbsp;</p>\r\n"},
      {"a bookmark written twice has one anchor",
       {Bookmark("b"), Text("x"), Bookmark("b")},
       "<p><a name=\"b\"></a>x</p>\r\n"},
      {"a bookmark inside a link splits it",
       {LinkStart("http://x/"), Text("a"), Bookmark("m"), Text("b"), LinkEnd()},
       "<p><a href=\"http://x/\">a</a><a name=\"m\"></a><a href=\"http://x/\">b</a></p>\r\n"},
      {"formatting stays inside the link",
       {Text("a", Format().Bold()), LinkStart("http://x/"), Text("b", Format().Bold()), LinkEnd(),
        Text("c", Format().Bold())},
       "<p><b>a</b><a href=\"http://x/\"><b>b</b></a><b>c</b></p>\r\n"},
      {"a link that is not ended ends with its paragraph",
       {LinkStart("http://x/"), Text("open")},
       "<p><a href=\"http://x/\">open</a></p>\r\n"},
      {"an end without a start", {Text("a"), LinkEnd(), Text("b")}, "<p>ab</p>\r\n"},
      {"a link without a target is plain text", {LinkStart("  "), Text("x"), LinkEnd()}, "<p>x</p>\r\n"},
      {"a second start replaces the first",
       {LinkStart("http://a/"), Text("a"), LinkStart("http://b/"), Text("b")},
       "<p><a href=\"http://a/\">a</a><a href=\"http://b/\">b</a></p>\r\n"},
  };
  for (const Case& c : cases) {
    const std::string body = BodyOfDocument(Document({Para(c.inlines)}));
    EXPECT_EQ(body, c.body) << c.name;
    EXPECT_EQ(CheckWellFormed(body), "") << c.name;
  }
}

TEST(ModelLinksTest, ScriptTargetsAreWrittenAsPlainText) {
  using namespace std::string_literals;
  const std::string hostile[] = {
      "javascript:alert(1)",
      "JavaScript:alert(1)",
      "  javascript:alert(1)",
      "\x01\x02javascript:x",
      "java\tscript:x",
      "java\r\nscript:x",
      "vbscript:msgbox(1)",
      "VBScript:x",
      "data:text/html,<script>alert(1)</script>",
      "DATA:image/png;base64,AAAA",
      "livescript:x",
      "\"javascript:alert(1)\"",
      // Control characters the page leaves out, C1 ones (U+0085) included.
      "java\0script:x"s,
      "\x0bjava\x0cscript:x",
      "java\xC2\x85script:x",
      "java\x7fscript:x",
  };
  for (const std::string& target : hostile) {
    const std::string body = BodyOfDocument(Document({Para({LinkStart(target), Text("click"), LinkEnd()})}));
    EXPECT_EQ(body, "<p>click</p>\r\n") << target;
  }
  for (const char* safe : {"http://x/javascript:y", "javascript.htm", "mailto:a@b.c", "page.htm#data:x"}) {
    EXPECT_FALSE(IsScriptTarget(safe)) << safe;
  }
}

}  // namespace
}  // namespace tessarine
