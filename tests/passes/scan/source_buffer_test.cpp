#include "passes/scan/source_buffer.h"

#include <gtest/gtest.h>

namespace tessarine {
namespace {

TEST(SourceBufferTest, StoresEveryLineBreakAsOneCrAndCountsItAsTwo) {
  SourceBuffer b;
  b.Load("a\r\nb\rc\nd");
  EXPECT_EQ(b.Content(), "a\rb\rc\rd");
  EXPECT_EQ(b.Length(), 10);
  EXPECT_EQ(b.ReadAll(), "a\r\nb\r\nc\r\nd");
}

TEST(SourceBufferTest, FindIgnoresLetterCaseAndStartsAtFrom) {
  SourceBuffer b;
  b.Load("x\\PARD y \\pard");
  EXPECT_EQ(b.Find("\\pard", 0), 1);
  EXPECT_EQ(b.Find("\\pard", 2), 9);
  EXPECT_EQ(b.Find("\\trowd", 0), -1);
  EXPECT_EQ(b.Find("\\pard", 100), -1);
}

TEST(SourceBufferTest, CutFromTheFrontKeepsLaterSearchesRight) {
  SourceBuffer b;
  b.Load("ab\\pard cd\\pard ef");
  EXPECT_EQ(b.Find("\\pard", 0), 2);
  EXPECT_EQ(b.Cut(0, 2), "ab");
  EXPECT_EQ(b.Find("\\pard", 0), 0);
  EXPECT_EQ(b.Cut(0, 5), "\\pard");
  EXPECT_EQ(b.Find("\\pard", 0), 3);
  EXPECT_EQ(b.Find("\\sectd", 0), -1);
  EXPECT_EQ(b.Cut(0, 100), " cd\\pard ef");
  EXPECT_EQ(b.Length(), 0);
}

TEST(SourceBufferTest, CutCountsRemovedLineBreaks) {
  SourceBuffer b;
  b.Load("a\r\nb\r\nc");
  EXPECT_EQ(b.Cut(0, 2), "a\r");
  EXPECT_EQ(b.Length(), 4);
}

TEST(SourceBufferTest, ReplaceAtTheFrontAndInTheMiddle) {
  SourceBuffer b;
  b.Load("\\pard text");
  b.Replace(0, 5, "\\rd");
  EXPECT_EQ(b.Content(), "\\rd text");
  EXPECT_EQ(b.Find("\\pard", 0), -1);
  b.Replace(4, 4, "\\pard x");
  EXPECT_EQ(b.Content(), "\\rd \\pard x");
  EXPECT_EQ(b.Find("\\pard", 0), 4);
}

TEST(SourceBufferTest, PutBackGoesInFrontWithSingleCrLineBreaks) {
  SourceBuffer b;
  b.Load("0123456789rest");
  EXPECT_EQ(b.Find("rest", 0), 10);
  b.Cut(0, 10);
  b.PutBack("a\r\nb");  // fits into the cut front
  EXPECT_EQ(b.Content(), "a\rbrest");
  EXPECT_EQ(b.Length(), 8);
  EXPECT_EQ(b.Find("rest", 0), 3);
  b.PutBack("longer than what was cut\n");
  EXPECT_EQ(b.ReadAll(), "longer than what was cut\r\na\r\nbrest");
  b.Clear();
  EXPECT_EQ(b.Length(), 0);
  b.PutBack("x");
  EXPECT_EQ(b.Content(), "x");
}

TEST(SourceBufferTest, HiddenTailIsOutOfReachUntilShown) {
  SourceBuffer b;
  b.Load("ab\r\ncd\\trowd\r\nrow\\pard x");
  const long table = b.Find("\\trowd", 0);
  ASSERT_EQ(table, 5);
  b.HideFrom(table);
  EXPECT_EQ(b.Content(), "ab\rcd");
  EXPECT_EQ(b.Length(), 6);
  EXPECT_EQ(b.Find("\\pard", 0), -1);
  EXPECT_EQ(b.ReadAll(), "ab\r\ncd");
  EXPECT_EQ(b.Cut(0, 3), "ab\r");
  b.Replace(1, 1, "DD");  // a change in the middle keeps the tail apart
  EXPECT_EQ(b.Content(), "cDD");
  b.ShowHidden();  // what was left in front goes
  EXPECT_EQ(b.Content(), "\\trowd\rrow\\pard x");
  EXPECT_EQ(b.Length(), 18);
  EXPECT_EQ(b.Find("\\pard", 0), 10);
  b.HideFrom(2);
  b.Clear();
  EXPECT_EQ(b.Length(), 0);
  b.ShowHidden();
  EXPECT_EQ(b.Content(), "rowd\rrow\\pard x");
}

}  // namespace
}  // namespace tessarine

namespace tessarine {
namespace {

TEST(SourceBufferTest, LengthCountsEveryKindOfLineBreakAsTwo) {
  struct Case {
    const char* text;
    long length;
    const char* all;
  } const cases[] = {
      {"", 0, ""},
      {"abc", 3, "abc"},
      {"a\r\n", 3, "a\r\n"},
      {"a\r", 3, "a\r\n"},
      {"a\n", 3, "a\r\n"},
      {"\r\n\r\n", 4, "\r\n\r\n"},
      {"\n\r", 4, "\r\n\r\n"},
      {"a\r\r\nb", 6, "a\r\n\r\nb"},
      {"\n\nab\r\ncd\n\r\n\re", 17, "\r\n\r\nab\r\ncd\r\n\r\n\r\ne"},
  };
  for (const Case& c : cases) {
    SourceBuffer b, adopted;  // a copy, and the text in its own storage
    b.Load(c.text);
    adopted.Adopt(std::string(c.text));
    EXPECT_EQ(b.Length(), c.length) << c.text;
    EXPECT_EQ(b.ReadAll(), c.all) << c.text;
    EXPECT_EQ(b.ReadAll(), c.all) << "the content stays";
    EXPECT_EQ(adopted.Content(), b.Content()) << c.text;
    EXPECT_EQ(adopted.Length(), c.length) << c.text;
  }
}

TEST(SourceBufferTest, LoadReplacesEverythingAndForgetsSearches) {
  SourceBuffer b;
  b.Load("xx\\par");
  EXPECT_EQ(b.Find("\\par", 0), 2);
  b.Load("\\par");
  EXPECT_EQ(b.Find("\\par", 0), 0);
  EXPECT_EQ(b.Length(), 4);
  b.Load("");
  EXPECT_EQ(b.Find("\\par", 0), -1);
  EXPECT_EQ(b.Length(), 0);
}

TEST(SourceBufferTest, FindEdges) {
  SourceBuffer b;
  b.Load("ab\r\nAB");
  EXPECT_EQ(b.Find("b\rA", 0), 1);  // a line break is one CR in positions and patterns
  EXPECT_EQ(b.Find("AB", -5), 0);   // a negative start searches from the front
  EXPECT_EQ(b.Find("ab", 1), 3);
  EXPECT_EQ(b.Find("ab", 5), -1);
  EXPECT_EQ(b.Find("abc", 3), -1);  // would run past the end
  EXPECT_EQ(b.Find("", 2), 2);
}

TEST(SourceBufferTest, CutAndReplaceClampToTheContent) {
  SourceBuffer b;
  b.Load("abc");
  EXPECT_EQ(b.Cut(2, 100), "c");
  EXPECT_EQ(b.Cut(5, 1), "");
  EXPECT_EQ(b.Cut(-1, 1), "a");
  b.Replace(10, 3, "xyz");
  EXPECT_EQ(b.Content(), "bxyz");
  b.Replace(1, -4, "-");
  EXPECT_EQ(b.Content(), "b-xyz");
}

TEST(SourceBufferTest, ChangesKeepRememberedSearchesRight) {
  SourceBuffer b;
  b.Load("one \\pard two \\pard three");
  EXPECT_EQ(b.Find("\\pard", 0), 4);
  b.Replace(0, 3, "1");  // front replacement, shorter
  EXPECT_EQ(b.Find("\\pard", 0), 2);
  b.Replace(0, 1, "\\pard");  // front replacement, longer
  EXPECT_EQ(b.Find("\\pard", 0), 0);
  EXPECT_EQ(b.Find("\\pard", 1), 6);
  EXPECT_EQ(b.Cut(3, 8), "rd \\pard");  // cut in the middle
  EXPECT_EQ(b.Content(), "\\pa two \\pard three");
  EXPECT_EQ(b.Find("\\pard", 0), 8);
  EXPECT_EQ(b.Cut(0, 9), "\\pa two \\");
  EXPECT_EQ(b.Find("\\pard", 0), -1);
  EXPECT_EQ(b.Find("pard", 0), 0);
}

TEST(SourceBufferTest, ManySearchesForManyPatternsStayRight) {
  SourceBuffer b;
  std::string text;
  for (int i = 0; i < 200; ++i) text += "\\p" + std::to_string(i % 13) + " ";
  b.Load(text);
  // Consume the front while asking for more patterns than are remembered at once.
  while (b.Size() > 0) {
    std::string_view rest = b.Content();
    for (int k = 0; k < 13; ++k) {
      std::string pattern = "\\p" + std::to_string(k) + " ";
      size_t expected = rest.find(pattern);
      EXPECT_EQ(b.Find(pattern, 0), expected == std::string_view::npos ? -1 : static_cast<long>(expected));
    }
    (void)b.Cut(0, 7);
  }
}

struct ReplaceAllCase {
  const char* name;
  const char* text;
  const char* pattern;
  const char* replacement;
  long from;
  const char* content;
  long count;
};

TEST(SourceBufferTest, ReplaceAll) {
  const ReplaceAllCase cases[] = {
      {"endash in any case", "a\\endash b\\ENDASH c", "\\endash", "-", 0, "a- b- c", 2},
      {"escaped backslash before a brace", "x\\\\{y\\\\}", "\\\\{", "\\\\ {", 0, "x\\\\ {y\\\\}", 1},
      {"escaped brace placeholder", "a\\{b\\}", "\\{", "\\\"\"\"", 0, "a\\\"\"\"b\\}", 1},
      {"none", "abc", "\\{", "x", 0, "abc", 0},
      {"from skips earlier matches", "xaxa", "x", "yy", 1, "xayya", 1},
      {"match at the very end", "ab", "b", "", 0, "a", 1},
      {"replacement not searched again", "aa", "a", "aa", 0, "aaaa", 2},
      {"adjacent matches", "\\par\\par", "\\par", "P", 0, "PP", 2},
      {"line breaks in the replacement", "a;b", ";", "\r", 0, "a\rb", 1},
      {"empty pattern", "ab", "", "x", 0, "ab", 0},
  };
  for (const ReplaceAllCase& c : cases) {
    SourceBuffer b;
    b.Load(c.text);
    EXPECT_EQ(b.ReplaceAll(c.pattern, c.replacement, c.from), c.count) << c.name;
    EXPECT_EQ(b.Content(), c.content) << c.name;
  }
}

TEST(SourceBufferTest, ReplaceAllAfterCuttingKeepsLengthAndSearchesRight) {
  SourceBuffer b;
  b.Load("head\r\n\\{x\\{\r\ny");
  EXPECT_EQ(b.Find("\\{", 0), 5);
  (void)b.Cut(0, 5);
  EXPECT_EQ(b.ReplaceAll("\\{", "{{{"), 2);
  EXPECT_EQ(b.Content(), "{{{x{{{\ry");
  EXPECT_EQ(b.Length(), 10);
  EXPECT_EQ(b.Find("\\{", 0), -1);
  EXPECT_EQ(b.Find("x", 0), 3);
  EXPECT_EQ(b.ReplaceAll("\r", ""), 1);
  EXPECT_EQ(b.Length(), 8);
}

// Clearing a large text gives its storage back; the buffer then works as a fresh one, and a
// hidden tail of a large text survives the clear.
TEST(SourceBufferTest, ClearingALargeTextKeepsTheBufferWorking) {
  const std::string large = std::string(3u << 20, 'x') + "\r\n\\pard end";
  SourceBuffer b;
  b.Load(large);
  EXPECT_EQ(b.Find("\\pard", 0), static_cast<long>(3u << 20) + 1);
  b.Clear();
  EXPECT_EQ(b.Length(), 0);
  EXPECT_EQ(b.Find("\\pard", 0), -1);
  b.PutBack("a\r\n\\pard b");
  EXPECT_EQ(b.Find("\\pard", 0), 2);
  EXPECT_EQ(b.ReadAll(), "a\r\n\\pard b");

  b.Load(large);
  b.HideFrom(b.Find("\\pard", 0));
  b.Clear();
  EXPECT_EQ(b.Length(), 0);
  b.ShowHidden();
  EXPECT_EQ(b.Content(), "\\pard end");
}

}  // namespace
}  // namespace tessarine
