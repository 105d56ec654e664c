// Replacing a file safely: a failure or a kill in the middle of the write leaves the old file.
#include "base/replace_file.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "tests/support/temp_dir.h"

namespace tessarine {
namespace {

using testing::TempDir;

constexpr char kOldPage[] = "<html>the page that was there</html>\r\n";

// The names in the folder, sorted.
std::vector<std::string> Names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Injected failures: each stands for a disk that fills up, a flush or a rename that fails.
ssize_t FailingWrite(int, const void*, size_t) {
  errno = ENOSPC;
  return -1;
}

// Writes a few bytes, then fails: the temporary file is cut when the error comes.
ssize_t WriteSomeThenFail(int fd, const void* data, size_t size) {
  if (size > 8) return ::write(fd, data, 8);
  errno = EIO;
  return -1;
}

int FailingFsync(int) {
  errno = EIO;
  return -1;
}

int FailingRename(const char*, const char*) {
  errno = EXDEV;
  return -1;
}

// Writes the first megabyte, then stops the process in the middle of the write.
ssize_t WriteThenStop(int fd, const void* data, size_t size) {
  const ssize_t put = ::write(fd, data, size < (1u << 20) ? size : (1u << 20));
  ::raise(SIGSTOP);
  return put;
}

TEST(ReplaceFileTest, ReplacesTheFileAndLeavesNothingBeside) {
  TempDir dir;
  dir.Write("page.htm", std::string(5000, 'x'));
  ASSERT_TRUE(ReplaceFile(dir / "page.htm", "short").ok());
  EXPECT_EQ(dir.Read("page.htm"), "short");
  ASSERT_TRUE(ReplaceFile(dir / "new.htm", "").ok());
  EXPECT_TRUE(std::filesystem::exists(dir / "new.htm"));
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"new.htm", "page.htm"}));
}

TEST(ReplaceFileTest, AFailedWriteLeavesTheOldFileWhole) {
  struct Case {
    const char* name;
    FileCalls calls;
  };
  const Case cases[] = {
      {"disk full", {FailingWrite, nullptr, nullptr}},
      {"error after part of the page", {WriteSomeThenFail, nullptr, nullptr}},
      {"flush to the disk fails", {nullptr, FailingFsync, nullptr}},
      {"rename fails", {nullptr, nullptr, FailingRename}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    dir.Write("page.htm", kOldPage);
    Status status = ReplaceFile(dir / "page.htm", std::string(100000, 'n'), c.calls);
    EXPECT_FALSE(status.ok()) << c.name;
    EXPECT_FALSE(status.message().empty()) << c.name;
    EXPECT_EQ(dir.Read("page.htm"), kOldPage) << c.name;
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"page.htm"}) << c.name;

    // A page that was not there is not there after a failure either.
    status = ReplaceFile(dir / "other.htm", "new", c.calls);
    EXPECT_FALSE(status.ok()) << c.name;
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"page.htm"}) << c.name;
  }
}

// A process killed in the middle of writing a large page leaves the old page as it was.
TEST(ReplaceFileTest, AKillDuringALargeWriteLeavesTheOldFileWhole) {
  TempDir dir;
  dir.Write("page.htm", kOldPage);
  const std::string large(64u << 20, 'n');
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const Status status = ReplaceFile(dir / "page.htm", large, FileCalls{WriteThenStop, nullptr, nullptr});
    ::_exit(status.ok() ? 0 : 1);
  }
  int wait_status = 0;
  ASSERT_EQ(::waitpid(child, &wait_status, WUNTRACED), child);
  ASSERT_TRUE(WIFSTOPPED(wait_status));  // stopped with part of the page written
  ::kill(child, SIGKILL);
  ASSERT_EQ(::waitpid(child, &wait_status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(wait_status));
  EXPECT_EQ(dir.Read("page.htm"), kOldPage);
  // What the kill cut short is a hidden temporary file beside the page, never the page.
  const std::vector<std::string> names = Names(dir.path());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_TRUE(names[0].starts_with(".page.htm.") && names[0].ends_with(".tmp")) << names[0];
  EXPECT_EQ(std::filesystem::file_size(dir / names[0]), 1u << 20);
}

TEST(ReplaceFileTest, KeepsPermissionsAndFollowsLinks) {
  TempDir dir;
  dir.Write("page.htm", kOldPage);
  std::filesystem::permissions(dir / "page.htm", std::filesystem::perms(0640));
  ASSERT_TRUE(ReplaceFile(dir / "page.htm", "new").ok());
  EXPECT_EQ(std::filesystem::status(dir / "page.htm").permissions(), std::filesystem::perms(0640));

  // A new file gets what the umask leaves of 0666.
  const mode_t mask = ::umask(022);
  ::umask(mask);
  ASSERT_TRUE(ReplaceFile(dir / "fresh.htm", "new").ok());
  EXPECT_EQ(std::filesystem::status(dir / "fresh.htm").permissions(), std::filesystem::perms(0666 & ~mask));

  // Through a symbolic link the file it names is replaced; the link stays.
  std::filesystem::create_symlink("page.htm", dir / "link.htm");
  ASSERT_TRUE(ReplaceFile(dir / "link.htm", "through the link").ok());
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.htm"));
  EXPECT_EQ(dir.Read("page.htm"), "through the link");
}

TEST(ReplaceFileTest, FoldersAreRefusedAndDevicesWrittenInPlace) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder.htm");
  const Status status = ReplaceFile(dir / "folder.htm", "x");
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.message(), std::strerror(EISDIR));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.htm"));

  ASSERT_TRUE(ReplaceFile("/dev/null", "x").ok());
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

}  // namespace
}  // namespace tessarine
