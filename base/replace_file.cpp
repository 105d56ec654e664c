#include "base/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <system_error>

namespace tessarine {

namespace {

constexpr int kNameAttempts = 100;

Status SystemError(int error) {
  return Status::Error(std::strerror(error != 0 ? error : EIO));
}

// Writes all of `bytes` to `fd`, going on after short writes and interruptions; 0 or the error.
int WriteAll(int fd, std::string_view bytes, const FileCalls& calls) {
  auto write = calls.write != nullptr ? calls.write : ::write;
  while (!bytes.empty()) {
    const ssize_t put = write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return errno != 0 ? errno : EIO;
    }
    if (put == 0) return EIO;
    bytes.remove_prefix(static_cast<size_t>(put));
  }
  return 0;
}

// Writes a path that is not a regular file (a device, a pipe) in place, as it stands.
Status WriteInPlace(const std::filesystem::path& path, std::string_view bytes, const FileCalls& calls) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return SystemError(errno);
  int error = WriteAll(fd, bytes, calls);
  if (::close(fd) != 0 && error == 0) error = errno;
  return error != 0 ? SystemError(error) : Status::Ok();
}

// Creates a temporary file beside `target` that no one else has, mode 0666 less the umask.
// Returns its descriptor (-1 with errno set when none could be made) and sets `name`.
int CreateTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& name) {
  std::random_device random;
  std::uniform_int_distribution<std::uint64_t> bits;
  const std::string base = "." + target.filename().string() + ".";
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(bits(random)));
    name = target.parent_path() / (base + suffix + ".tmp");
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Flushes the folder's entry list, so that the rename itself survives a power cut. Not every
// file system can do it; that is no failure of the write.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

// The file a write to `path` replaces: the file a symbolic link names, else `path` itself.
std::filesystem::path Target(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  std::filesystem::path resolved = std::filesystem::canonical(path, ec);
  return ec ? path : resolved;
}

}  // namespace

Status ReplaceFile(const std::filesystem::path& path, std::string_view bytes, const FileCalls& calls) {
  const std::filesystem::path target = Target(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists) {
    if (S_ISDIR(existing.st_mode)) return SystemError(EISDIR);
    if (!S_ISREG(existing.st_mode)) return WriteInPlace(target, bytes, calls);
    if (::access(target.c_str(), W_OK) != 0) return SystemError(errno);
  }

  std::filesystem::path temporary;
  const int fd = CreateTemporaryBeside(target, temporary);
  if (fd < 0) return SystemError(errno);
  int error = WriteAll(fd, bytes, calls);
  if (error == 0 && exists) {
    // The owner stays when the system allows it (it does for the owner's own group and for root).
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) errno = 0;
    if (::fchmod(fd, existing.st_mode & 07777) != 0) error = errno;
  }
  auto fsync = calls.fsync != nullptr ? calls.fsync : ::fsync;
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  auto rename = calls.rename != nullptr ? calls.rename : ::rename;
  if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return SystemError(error);
  }
  SyncFolder(target.parent_path());
  return Status::Ok();
}

}  // namespace tessarine
