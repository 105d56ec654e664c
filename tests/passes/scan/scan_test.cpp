#include "passes/scan/scan.h"

#include <string>

#include <gtest/gtest.h>

#include "passes/scan/decode_text.h"

namespace tessarine {
namespace {

struct ExtractCase {
  std::string text;
  bool found;
  std::string group;
  int opens;
  std::string rest;
};

TEST(ExtractGroupTest, CutsTheFirstGroupOffTheFront) {
  const ExtractCase cases[] = {
      {"{\\f1 Hello}{\\b x}", true, "{\\f1 Hello}", 1, "{\\b x}"},
      {"{a{b}c}d", true, "{a{b}c}", 2, ""},        // a single character after the group goes too
      {"{a{b}c}de", true, "{a{b}c}", 2, "de"},
      {"ab{c}de", true, "ab{c}", 1, "de"},         // text before the "{" belongs to the group
      {"x}y{z}", false, "x}", 0, ""},              // a "}" before any "{"
      {"{a{b}c", false, "{a{b}", 2, ""},           // never closes
      {"no braces", false, "", 0, ""},
      {"", false, "", 0, ""},
  };
  for (const ExtractCase& c : cases) {
    std::string_view text = c.text, group;
    int opens = -1;
    EXPECT_EQ(ExtractGroup(text, group, opens), c.found) << c.text;
    EXPECT_EQ(group, c.group) << c.text;
    EXPECT_EQ(opens, c.opens) << c.text;
    EXPECT_EQ(text, c.rest) << c.text;
  }
}

TEST(ScanTest, FindTextStartSkipsControlWordsSeparatedBySpaces) {
  const std::pair<std::string, long> cases[] = {
      {"\\f1\\fs20 Hello", 10}, {"\\b \\i text", 7},   {"\\b {\\i x}", -1}, {"\\fs20", -1},
      {"\\b ", -1},             {"\\b \\'e0x", 4},      {"{\\b x", -1},      {"\\b }", -1},
      {"\\b x{", 4},            {"\\b \\i {x} y", -1},
  };
  for (const auto& [s, expected] : cases) {
    EXPECT_EQ(FindTextStart(s), expected) << s;
    TextStartMemo memo;
    EXPECT_EQ(FindTextStart(s, &memo), expected) << s;
  }
}

TEST(ScanTest, FindTextEndStopsAtControlWordsAndBraces) {
  const std::pair<std::string, long> cases[] = {
      {"Hello}", 6}, {"ab\\'e0cd\\par", 9}, {"Hello", 6}, {"", 1}, {"ab\\'e", 3}, {"a{b", 2},
      {"x\\\\y", 2}, {"x\\\\yz", 6},
  };
  for (const auto& [s, expected] : cases) EXPECT_EQ(FindTextEnd(s), expected) << s;
}

TEST(ScanTest, LastIndexOfAllowsOverlaps) {
  EXPECT_EQ(LastIndexOf("abcabc", "bc"), 5);
  EXPECT_EQ(LastIndexOf("aaa", "aa"), 2);
  EXPECT_EQ(LastIndexOf("abc", "x"), -1);
}

TEST(ScanTest, CopyHelpersClampTheirArguments) {
  EXPECT_EQ(CopyLeft("abc", 0), "");
  EXPECT_EQ(CopyLeft("abc", 5), "abc");
  EXPECT_EQ(CopyFrom("abc", 0), "abc");
  EXPECT_EQ(CopyFrom("abc", 3), "c");
  EXPECT_EQ(CopyFrom("abc", 4), "");
  EXPECT_EQ(Pos("b", "abc"), 2);
  EXPECT_EQ(Pos("x", "abc"), -1);
}

TEST(DecodeTextTest, DecodesEscapesPlaceholdersAndMarkupCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\\'e0<b>", "a\xE0&lt;b&gt;"},
      {"x\\\"\"\"y\\^^^", "x{y}"},
      {"\\emdash x", "- x"},
      {"\\endash", "- "},
      {"a\r\nb", "ab"},
      {"\\'E9\\'zz", "\xE9\x1A"},  // "z" counts with its own code: 16*122+122 mod 256
      {"tail\\'", "tail"},         // cut off by the end: nothing
      {"tail\\'e", "tail"},
      {"&\"\\par", "&\"\\par"},
      // Every markup character is text, whatever its spelling.
      {"\\'3cscript\\'3e\\'3C/script\\'3E", "&lt;script&gt;&lt;/script&gt;"},
      {"\\'22\\'26\\'27 \\'26", "\"&' &"},
      // "&" where a browser would start a reference there: "&amp;", in any spelling.
      {"&copy 2024 &lt; &#60; a&b &1", "&amp;copy 2024 &amp;lt; &amp;#60; a&amp;b &amp;1"},
      {"\\'26copy \\'26\\'23 &\\'41 &\r\nz &\\'3c", "&amp;copy &amp;# &amp;A &amp;z &&lt;"},
      {"AT&T & co &; &", "AT&amp;T & co &; &"},
      // A reference the escape rewrite marked stays a reference; unmarked, it is text.
      {"\x01&#19990;x \x01&#1 \\&#60;", "&#19990;x \x01&amp;#1 \\&amp;#60;"},
  };
  for (const auto& [s, expected] : cases) {
    std::string out;
    DecodeText(s, out);
    EXPECT_EQ(out, expected) << s;
  }
}

}  // namespace
}  // namespace tessarine
