// SourceBuffer searches repeated while the buffer is cut from the front stay linear in total.
#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "passes/scan/source_buffer.h"

namespace tessarine {
namespace {

// Paragraph boundaries found again and again, as the paragraph paths do: two patterns found at
// every cut and one that never occurs must not make each other search the whole rest again.
TEST(SourceBufferSearchTest, RepeatedSearchesOfSeveralPatternsStayLinear) {
  std::string text;
  while (text.size() < (1u << 20)) text += "\\pard x\\par\r\n";
  SourceBuffer src;
  src.Load(text);
  const auto start = std::chrono::steady_clock::now();
  long cuts = 0;
  for (;;) {
    long e = -1;
    for (const char* pattern : {"\r\\pard", " \\pard", "\\pard "}) {
      long at = src.Find(pattern, 2);
      if (at >= 0 && (e < 0 || at < e)) e = at;
    }
    if (e <= 1) break;
    src.Cut(0, e);
    ++cuts;
  }
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GT(cuts, 80000);
  // A few milliseconds when linear; minutes when every search scans the rest.
  EXPECT_LT(elapsed, std::chrono::seconds(10));
}

TEST(SourceBufferSearchTest, RemembersResultsPerPattern) {
  SourceBuffer src;
  src.Load("ab cd ab cd");
  EXPECT_EQ(src.Find("ab", 0), 0);
  EXPECT_EQ(src.Find("ab", 1), 6);
  EXPECT_EQ(src.Find("cd", 0), 3);
  EXPECT_EQ(src.Find("ab", 0), 0);
  EXPECT_EQ(src.Find("zz", 0), -1);
  src.Cut(0, 3);
  EXPECT_EQ(src.Find("ab", 0), 3);
  EXPECT_EQ(src.Find("cd", 0), 0);
  EXPECT_EQ(src.Find("zz", 0), -1);
}

}  // namespace
}  // namespace tessarine
