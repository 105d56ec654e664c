#include "engine/source_buffer.h"

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

}  // namespace
}  // namespace tessarine
