#include "settings/settings_location.h"

#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace tessarine {
namespace {

using testing::ScopedEnv;
using testing::TempDir;

TEST(SettingsLocationTest, UserConfigFolder) {
  TempDir home;
  ScopedEnv set_home("HOME", home.path().string());
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(UserConfigFolder(), std::filesystem::path("/cfg/tessarine"));
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "relative/cfg");  // not absolute: ignored
    EXPECT_EQ(UserConfigFolder(), home.path() / ".config" / "tessarine");
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(UserConfigFolder(), home.path() / ".config" / "tessarine");
  }
}

TEST(SettingsLocationTest, ProgramFolderIsTheFolderOfTheRunningProgram) {
  std::filesystem::path folder = ProgramFolder();
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_TRUE(std::filesystem::exists(folder / "settings_tests"));
}

class SettingsFileToReadTest : public ::testing::Test {
 protected:
  TempDir program_;
  TempDir config_;
  ScopedEnv xdg_{"XDG_CONFIG_HOME", config_.path().string()};
  std::filesystem::path user_file_ = config_.path() / "tessarine" / "qavrel.ini";

  void WriteUserFile() {
    std::filesystem::create_directories(user_file_.parent_path());
    (void)WriteFileBytes(user_file_, "user");
  }
};

TEST_F(SettingsFileToReadTest, NoFileAnywhere) {
  EXPECT_EQ(SettingsFileToRead(program_.path()), std::nullopt);
}

TEST_F(SettingsFileToReadTest, ProgramFolderFirst) {
  program_.Write("qavrel.ini", "program");
  WriteUserFile();
  EXPECT_EQ(SettingsFileToRead(program_.path()), program_.path() / "qavrel.ini");
}

TEST_F(SettingsFileToReadTest, UserFolderWhenTheProgramFolderHasNone) {
  WriteUserFile();
  EXPECT_EQ(SettingsFileToRead(program_.path()), user_file_);
}

TEST_F(SettingsFileToReadTest, AFolderNamedLikeTheFileDoesNotCount) {
  std::filesystem::create_directory(program_.path() / "qavrel.ini");
  EXPECT_EQ(SettingsFileToRead(program_.path()), std::nullopt);
}

TEST_F(SettingsFileToReadTest, WritesGoToTheProgramFolderWhenItIsWritable) {
  EXPECT_EQ(WritablePathFor(program_.path(), kSettingsFileName), program_.path() / "qavrel.ini");
  EXPECT_EQ(WritablePathFor(program_.path(), kPreviewFileName), program_.path() / "mytempfile.htm");
}

TEST_F(SettingsFileToReadTest, ProgramFolderThatCannotBeWrittenUsesTheUserFolder) {
  std::filesystem::path gone = program_.path() / "gone";
  EXPECT_EQ(WritablePathFor(gone, kSettingsFileName), user_file_);
  EXPECT_TRUE(std::filesystem::is_directory(user_file_.parent_path()));
  WriteUserFile();
  EXPECT_EQ(SettingsFileToRead(gone), user_file_);
}

TEST_F(SettingsFileToReadTest, ReadOnlyProgramFolderUsesTheUserFolder) {
  program_.Write("qavrel.ini", "shipped");
  std::filesystem::permissions(program_.path(),
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const bool writable = ::access(program_.path().c_str(), W_OK) == 0;
  if (writable) {
    std::filesystem::permissions(program_.path(), std::filesystem::perms::owner_all);
    GTEST_SKIP() << "running with rights that write into read-only folders";
  }
  // Writes go to the user folder, which is created.
  EXPECT_EQ(WritablePathFor(program_.path(), kSettingsFileName), user_file_);
  EXPECT_TRUE(std::filesystem::is_directory(user_file_.parent_path()));
  // Before anything was saved there, the shipped file is read; afterwards the user's own.
  EXPECT_EQ(SettingsFileToRead(program_.path()), program_.path() / "qavrel.ini");
  WriteUserFile();
  EXPECT_EQ(SettingsFileToRead(program_.path()), user_file_);
  std::filesystem::permissions(program_.path(), std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace tessarine
