// A page's text for counting its words: where words end, references, code page 1251.
#include "tests/fidelity/page_text.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fidelity/words.h"

namespace tessarine::testing {
namespace {

TEST(PageTextTest, WordsEndAtLinesButNotAtFormats) {
  struct Case {
    const char* body;
    WordCounts words;
  };
  const Case cases[] = {
      {"<p>Bo<b>ld</b> <span style=\"color:red\">x</span>y</p>", {{"Bold", 1}, {"xy", 1}}},
      {"<p>10 \xEC<sup>2</sup>, K<sub>2</sub>SO<sub>4</sub></p>",
       {{"10", 1},
        {"\xD0\xBC"
         "2",
         1},
        {"K2SO4", 1}}},
      // A note's number after its link is a word of its own.
      {"<p>word <a name=\"hts1\"></a><a class=\"sslk\" href=\"#dssl1\">end</a><b><sup>1</sup></b>next</p>",
       {{"word", 1}, {"end", 1}, {"1", 1}, {"next", 1}}},
      // After an external link, or with text between, a superscript joins its word.
      {"<p><a href=\"http://x.org\">E</a><sup>2</sup> <a href=\"#b\">m</a>c<sup>3</sup></p>",
       {{"E2", 1}, {"mc3", 1}}},
      {"<p>a<br>b</p>c<table><tr><td>d</td><td>e</td></tr></table>f<img src=x>g<hr>h",
       {{"a", 1}, {"b", 1}, {"c", 1}, {"d", 1}, {"e", 1}, {"f", 1}, {"g", 1}, {"h", 1}}},
      {"<p>caf&#233; &#x41;B &amp; &lt;x&gt; a&nbsp;b <!-- hidden <p> --> \xCF\xF0\xE8</p>",
       {{"caf\xC3\xA9", 1}, {"AB", 1}, {"x", 1}, {"a", 1}, {"b", 1}, {"\xD0\x9F\xD1\x80\xD0\xB8", 1}}},
  };
  for (const Case& c : cases) {
    const std::string page =
        std::string("<html><head><title>T</title></head><body>") + c.body + "</body></html>";
    EXPECT_EQ(WordsOfPage(page), c.words) << c.body;
  }
  EXPECT_EQ(PageText("<p>no body</p>"), "");
}

TEST(PageTextTest, TagsAttributesAndReferences) {
  EXPECT_EQ(TagName("p style=\"x\""), "p");
  EXPECT_EQ(TagName("/TD"), "/td");
  EXPECT_EQ(TagName("h2"), "h2");
  EXPECT_EQ(TagName("!-- x --"), "");
  bool found = false;
  EXPECT_EQ(Attribute("a class=\"sslk\" HREF='#dssl1'", "href", &found), "#dssl1");
  EXPECT_TRUE(found);
  EXPECT_EQ(Attribute("td colspan=2 width=50%", "width", &found), "50%");
  EXPECT_EQ(Attribute("a title=\"href=x\"", "href", &found), "");
  EXPECT_FALSE(found);
  EXPECT_EQ(DecodeEntity("#1078"), U'\u0436');
  EXPECT_EQ(DecodeEntity("#x436"), U'\u0436');
  EXPECT_EQ(DecodeEntity("#12a"), 0u);
  EXPECT_EQ(DecodeEntity("nbsp"), 0xA0u);
  EXPECT_EQ(DecodeEntity("reg"), 0xAEu);
  EXPECT_EQ(DecodeEntity("yuml"), 0xFFu);
  EXPECT_EQ(DecodeEntity("mdash"), 0x2014u);
  EXPECT_EQ(DecodeEntity("trade"), 0x2122u);
  EXPECT_EQ(DecodeEntity("Reg"), 0u);
  EXPECT_EQ(DecodeEntity("unknown"), 0u);
  EXPECT_EQ(DecodeEntity("#99999999"), 0u);
}

}  // namespace
}  // namespace tessarine::testing
