// tessarine-convert on text files: a page beside the source, or a refusal on standard error.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

namespace fs = std::filesystem;

class TextCommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    converter_ = testing::BinDir() / "tessarine-convert";
    if (!fs::exists(converter_)) GTEST_SKIP() << "tessarine-convert is not built";
    dir_ = fs::temp_directory_path() / ("tessarine-text-cli-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    // The start settings, so that a settings file beside the program cannot change the page.
    ASSERT_TRUE(SaveSettingsFile(dir_ / "qavrel.ini", Settings{}).ok());
  }
  void TearDown() override {
    std::error_code ec;
    if (!dir_.empty()) fs::remove_all(dir_, ec);
  }

  // Runs the converter on `file`; returns its exit status and standard error.
  int Run(const fs::path& file, std::string* errors) {
    const fs::path err = dir_ / "stderr.txt";
    const std::string command = "'" + converter_.string() + "' -q --settings '" +
                                (dir_ / "qavrel.ini").string() + "' '" + file.string() + "' 2>'" +
                                err.string() + "'";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(ReadFileBytes(err, errors).ok());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path converter_;
  fs::path dir_;
};

// Reading a file ends every line with CR LF, so only an empty file reaches the converter
// without any line break.
TEST_F(TextCommandLineTest, RefusedTextIsReportedAndWritesNothing) {
  const fs::path source = dir_ / "empty text.txt";
  ASSERT_TRUE(WriteFileBytes(source, "").ok());
  std::string errors;
  EXPECT_EQ(Run(source, &errors), 1);
  EXPECT_NE(errors.find(source.string()), std::string::npos) << errors;
  EXPECT_NE(errors.find("Этот текст не годится для перевода в HTML"), std::string::npos) << errors;
  EXPECT_FALSE(fs::exists(dir_ / "empty text.htm"));
}

TEST_F(TextCommandLineTest, TextFileGivesTheExpectedPageBesideIt) {
  const fs::path source = dir_ / "lighthouse.txt";
  fs::copy_file(testing::DataDir() / "text" / "lighthouse.txt", source);
  std::string errors, page, expected;
  EXPECT_EQ(Run(source, &errors), 0) << errors;
  ASSERT_TRUE(ReadFileBytes(dir_ / "lighthouse.htm", &page).ok());
  ASSERT_TRUE(ReadFileBytes(testing::DataDir() / "text" / "lighthouse.htm", &expected).ok());
  EXPECT_EQ(page, expected);
}

}  // namespace
}  // namespace tessarine
