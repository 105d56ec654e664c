#include "base/file_text.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace tessarine {
namespace {

using testing::TempDir;

struct LineCase {
  const char* name;
  std::string raw;
  std::string expected;
};

// Reading a file: lines end at CR or CR LF, a lone LF is part of its line, and every line,
// the last one included, is followed by CR LF.
TEST(FileTextTest, JoinLinesWithCrLf) {
  const LineCase cases[] = {
      {"empty file", "", ""},
      {"one line without end", "abc", "abc\r\n"},
      {"crlf lines", "a\r\nb\r\nc\r\n", "a\r\nb\r\nc\r\n"},
      {"last line without end", "a\r\nb", "a\r\nb\r\n"},
      {"cr only lines", "a\rb\rc", "a\r\nb\r\nc\r\n"},
      {"lf only is one line", "a\nb\nc", "a\nb\nc\r\n"},
      {"lf at end is part of the line", "a\n", "a\n\r\n"},
      {"empty lines kept", "\r\n\r\n", "\r\n\r\n"},
      {"cr cr lf is two lines", "a\r\r\nb", "a\r\n\r\nb\r\n"},
      {"lone cr at end", "\r", "\r\n"},
      {"lf cr", "a\n\rb", "a\n\r\nb\r\n"},
      {"cp1251 bytes untouched", "\xCF\xF0\xE8\xE2\xE5\xF2\r\n\x98\xFF",
       "\xCF\xF0\xE8\xE2\xE5\xF2\r\n\x98\xFF\r\n"},
      {"nul byte kept", std::string("a\0b", 3), std::string("a\0b\r\n", 5)},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(JoinLinesWithCrLf(c.raw), c.expected) << c.name;
    // Handing over the buffer gives the same text, copied or not.
    EXPECT_EQ(JoinLinesWithCrLf(std::string(c.raw)), c.expected) << c.name << " (buffer handed over)";
    // A document keeps its bytes beside that text, moved or not.
    DocumentBytes document(c.raw);
    const DocumentBytes moved = std::move(document);
    EXPECT_EQ(moved.bytes(), c.raw) << c.name;
    EXPECT_EQ(moved.text(), c.expected) << c.name;
  }
}

// Saving a page: every line break (CR LF, lone CR, lone LF) is written as CR LF.
TEST(FileTextTest, WithCrLfLineBreaks) {
  const LineCase cases[] = {
      {"empty", "", ""},
      {"no break", "abc", "abc"},
      {"crlf stays", "a\r\nb\r\n", "a\r\nb\r\n"},
      {"lone cr", "a\rb\r", "a\r\nb\r\n"},
      {"lone lf", "a\nb\n", "a\r\nb\r\n"},
      {"mixed", "a\r\nb\rc\nd", "a\r\nb\r\nc\r\nd"},
      {"lf cr is two breaks", "a\n\rb", "a\r\n\r\nb"},
      {"cr cr lf is two breaks", "a\r\r\nb", "a\r\n\r\nb"},
      {"no final break added", "</html>", "</html>"},
      {"lf first", "\na\r\n", "\r\na\r\n"},
      {"cr last", "a\r\nb\r", "a\r\nb\r\n"},
      {"cr alone in a crlf line", "a\rb\r\n", "a\r\nb\r\n"},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(WithCrLfLineBreaks(c.raw), c.expected) << c.name;
    // Pages already in CR LF are saved as they are.
    EXPECT_EQ(HasOnlyCrLfLineBreaks(c.raw), c.raw == c.expected) << c.name;
  }
}

TEST(FileTextTest, ReadFileTextAppliesTheLineRuleAndKeepsBytes) {
  TempDir dir;
  std::string raw = "{\\rtf1 \xE0\xE1\xE2\rline\nsame line\r\nlast";
  dir.Write("doc.rtf", raw);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(dir / "doc.rtf", &bytes).ok());
  EXPECT_EQ(bytes, raw);
  std::string text;
  ASSERT_TRUE(ReadFileText(dir / "doc.rtf", &text).ok());
  EXPECT_EQ(text, "{\\rtf1 \xE0\xE1\xE2\r\nline\nsame line\r\nlast\r\n");
}

TEST(FileTextTest, ReadsALargeFileWhole) {
  TempDir dir;
  std::string raw(300000, 'x');
  for (size_t i = 0; i < raw.size(); i += 1000) raw[i] = static_cast<char>(i % 251);
  dir.Write("big", raw);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(dir / "big", &bytes).ok());
  EXPECT_EQ(bytes, raw);
}

// Small files are read, large ones mapped: either way the document holds the file's bytes and
// its text by the line rule, whatever the file's size against the system's pages.
TEST(FileTextTest, ReadDocumentFileGivesBytesAndText) {
  struct Case {
    const char* name;
    size_t size;
    std::string_view end;
  };
  const size_t mapped = size_t{1} << 20;
  const Case cases[] = {
      {"small, no last line end", 100, "x"},
      {"small, lone cr", 100, "a\rb"},
      {"mapped, ends with crlf", mapped, "\r\n"},
      {"mapped, no last line end", mapped + 100, "x"},
      {"mapped, line end beyond the last page", mapped + 4095, "x"},
      {"mapped, a whole number of pages", mapped + 4096, "x"},
      {"mapped, lone cr", mapped + 7, "a\rb"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    std::string raw(c.size - c.end.size(), 'x');
    for (size_t i = 0; i < raw.size(); i += 997) raw[i] = static_cast<char>(0x80 + i % 128);
    raw.append(c.end);
    dir.Write("doc.rtf", raw);
    DocumentBytes document;
    ASSERT_TRUE(ReadDocumentFile(dir / "doc.rtf", &document).ok()) << c.name;
    const DocumentBytes moved = std::move(document);
    EXPECT_EQ(moved.bytes(), raw) << c.name;
    EXPECT_EQ(moved.text(), JoinLinesWithCrLf(raw)) << c.name;
  }
  DocumentBytes document;
  EXPECT_FALSE(ReadDocumentFile(dir / "missing.rtf", &document).ok());
  EXPECT_FALSE(ReadDocumentFile(dir.path(), &document).ok());  // a folder
}

TEST(FileTextTest, SavePageTextWritesCrLfBreaks) {
  TempDir dir;
  ASSERT_TRUE(SavePageText(dir / "page.htm", "<p>a\rb\nc</p>\r\n</html>").ok());
  EXPECT_EQ(dir.Read("page.htm"), "<p>a\r\nb\r\nc</p>\r\n</html>");
  // Replacing a longer file leaves nothing of it behind.
  ASSERT_TRUE(SavePageText(dir / "page.htm", "x").ok());
  EXPECT_EQ(dir.Read("page.htm"), "x");
}

TEST(FileTextTest, FailuresCarryTheSystemReason) {
  TempDir dir;
  std::string bytes = "stale";
  Status missing = ReadFileBytes(dir / "missing.rtf", &bytes);
  EXPECT_FALSE(missing.ok());
  EXPECT_FALSE(missing.message().empty());
  EXPECT_EQ(bytes, "");

  std::string text = "stale";
  EXPECT_FALSE(ReadFileText(dir.path(), &text).ok());  // a folder
  EXPECT_EQ(text, "");

  EXPECT_FALSE(WriteFileBytes(dir / "no-such-folder" / "a.htm", "x").ok());
  EXPECT_FALSE(WriteFileBytes(dir.path(), "x").ok());
}

TEST(FileTextTest, IsExistingFileRejectsFoldersAndMissingPaths) {
  TempDir dir;
  dir.Write("a.png", "not really a picture");
  EXPECT_TRUE(IsExistingFile(dir / "a.png"));
  EXPECT_FALSE(IsExistingFile(dir.path()));
  EXPECT_FALSE(IsExistingFile(dir / "b.png"));
  EXPECT_FALSE(IsExistingFile(""));
}

}  // namespace
}  // namespace tessarine
