#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/commands/batch.h"
#include "app/commands/open_document.h"
#include "base/file_text.h"
#include "choice/convert_rtf_document.h"

namespace tessarine {
namespace {

constexpr const char* kRtf = "{\\rtf1\\ansi \\pard Text\\par}";

class CommandsTest : public ::testing::Test {
 protected:
  CommandsTest() {
    static int counter = 0;
    dir_ = std::filesystem::temp_directory_path() /
           ("tessarine-commands-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~CommandsTest() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& name, std::string_view bytes) {
    std::filesystem::path path = dir_ / name;
    EXPECT_TRUE(WriteFileBytes(path, bytes).ok());
    return path.string();
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  std::filesystem::path dir_;
};

TEST_F(CommandsTest, LoadDocumentResults) {
  struct Case {
    const char* file;
    const char* bytes;  // nullptr: no such file
    SourceKind kind;
    LoadResult result;
    const char* name;
    const char* text;
  };
  const Case cases[] = {
      {"a.rtf", "{\\rtf1 x}\n", SourceKind::kRtf, LoadResult::kLoaded, "a.htm", "{\\rtf1 x}\n\r\n"},
      {"b.rtf", "{\\rtf1}", SourceKind::kRtf, LoadResult::kNotRtf, "b.htm", "{\\rtf1}\r\n"},
      {"c.doc", "PK\x03\x04 binary {\\rtf1", SourceKind::kRtf, LoadResult::kNotRtf, "c.htm", nullptr},
      {"d.b.txt", "one\rtwo\r\n", SourceKind::kText, LoadResult::kLoaded, "d.b.htm", "one\r\ntwo\r\n"},
      {"noext", "{\\rtf1 x}", SourceKind::kText, LoadResult::kLoaded, "noext.htm", "{\\rtf1 x}\r\n"},
      {"gone.rtf", nullptr, SourceKind::kRtf, LoadResult::kMissing, "gone.htm", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    if (c.bytes != nullptr) Write(c.file, c.bytes);
    LoadedDocument loaded = LoadDocument(Path(c.file), c.kind);
    EXPECT_EQ(loaded.result, c.result);
    EXPECT_EQ(loaded.name, Path(c.name));
    if (c.text != nullptr) {
      EXPECT_EQ(loaded.document.text(), c.text);
    }
  }
}

TEST_F(CommandsTest, LoadDocumentReportsAFolder) {
  std::filesystem::create_directories(dir_ / "folder.rtf" / "x");
  EXPECT_EQ(LoadDocument(Path("folder.rtf"), SourceKind::kRtf).result, LoadResult::kMissing);
}

TEST_F(CommandsTest, BatchWritesPagesAndReportsTheRest) {
  std::vector<std::string> paths = {
      Write("one.rtf", kRtf),
      Path("missing.rtf"),
      Write("word.doc", "\xD0\xCF\x11\xE0 not rtf at all"),
      Write("page.htm", kRtf),  // its page would be the source itself
      Write("blocked.rtf", kRtf),
      Write("two.rtf", std::string(kRtf) + "\r\nmore"),
  };
  std::filesystem::create_directories(dir_ / "blocked.htm");  // the page cannot be written there
  std::vector<std::string> statuses;
  std::vector<int> positions;
  BatchReport report = RunBatch(
      paths, SourceKind::kRtf, Settings(),
      {[&](const std::string& s) { statuses.push_back(s); }, [&](int p) { positions.push_back(p); }});

  EXPECT_EQ(report.converted, 2u);
  std::string expected_page;
  ASSERT_TRUE(ReadFileBytes(dir_ / "one.htm", &expected_page).ok());
  std::string two_page;
  ASSERT_TRUE(ReadFileBytes(dir_ / "two.htm", &two_page).ok());
  EXPECT_EQ(report.last_page, two_page);
  EXPECT_EQ(expected_page, WithCrLfLineBreaks(ConvertRtfDocument(std::string(kRtf) + "\r\n", Settings()).page));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "word.htm"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "missing.htm"));
  std::string source;
  ASSERT_TRUE(ReadFileBytes(dir_ / "page.htm", &source).ok());
  EXPECT_EQ(source, kRtf);  // never overwritten

  ASSERT_EQ(report.failures.size(), 4u);
  EXPECT_EQ(report.failures[0].name, "missing.rtf");
  EXPECT_EQ(report.failures[1].name, "word.doc");
  EXPECT_EQ(report.failures[2].name, "page.htm");
  EXPECT_EQ(report.failures[3].name, "blocked.rtf");
  std::string message = BatchMessage(report);
  EXPECT_EQ(message.rfind("Обработка файлов закончена.\r\nmissing.rtf: ", 0), 0u) << message;
  EXPECT_NE(message.find("\r\nword.doc: Открываемый файл не является файлом RTF!\r\npage.htm: "),
            std::string::npos);
  EXPECT_EQ(BatchMessage(BatchReport{}), "Обработка файлов закончена.");

  const std::string size = std::to_string(std::string(kRtf).size() + 2);
  std::vector<std::string> expected_statuses = {
      "Обработка файла " + paths[0],
      "Обработка файла " + paths[0] + " размером " + size + " байт",
      "Обработка файла " + paths[1],
      "Обработка файла " + paths[2],
      "Обработка файла " + paths[3],
      "Обработка файла " + paths[3] + " размером " + size + " байт",
      "Обработка файла " + paths[4],
      "Обработка файла " + paths[4] + " размером " + size + " байт",
      "Обработка файла " + paths[5] + " размером " + std::to_string(std::string(kRtf).size() + 8) + " байт",
  };
  EXPECT_EQ(statuses, expected_statuses);
}

TEST_F(CommandsTest, TextBatchStatusesAndRefusal) {
  std::vector<std::string> paths = {Write("a.txt", "no line break"), Write("b.txt", "one line")};
  std::vector<std::string> statuses;
  BatchReport report = RunBatch(paths, SourceKind::kText, Settings(),
                                {[&](const std::string& s) { statuses.push_back(s); }, {}});
  // A text without any line break is refused and yields no page; the file text rule gives
  // every file a final CR LF, so these two are read as one line each.
  EXPECT_EQ(statuses.back(), "Загружен файл: " + paths[1] + " размером 10 байт");
  EXPECT_EQ(statuses[1], "Загружен файл: " + paths[0] + " размером 15 байт");
  EXPECT_EQ(report.converted + report.failures.size(), 2u);
  for (const BatchFailure& failure : report.failures) {
    EXPECT_FALSE(std::filesystem::exists(dir_ / (failure.name.substr(0, 1) + ".htm"))) << failure.name;
  }
}

}  // namespace
}  // namespace tessarine
