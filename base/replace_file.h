// Replacing a file so that a failure or a kill in the middle never leaves it cut short: the new
// bytes go to a temporary file beside it, reach the disk, and only then take the file's place.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "base/status.h"

namespace tessarine {

// The system calls ReplaceFile makes for the data, so that tests can make one of them fail or
// stop midway. Each behaves as its POSIX namesake.
struct FileCalls {
  ssize_t (*write)(int fd, const void* data, size_t size) = nullptr;  // null: ::write
  int (*fsync)(int fd) = nullptr;                                     // null: ::fsync
  int (*rename)(const char* from, const char* to) = nullptr;          // null: ::rename
};

// Makes the file at `path` hold exactly `bytes`. The bytes are written to a new temporary file in
// the same folder (".NAME.XXXXXXXXXXXXXXXX.tmp"), flushed to the disk (fsync), renamed over `path`,
// and the folder is flushed. On any failure the temporary file is removed, `path` is left as it
// was, and the message is the system's reason. The file keeps its permissions; a new file gets
// 0666 less the umask. A symbolic link is followed (the file it names is replaced). A folder is
// refused (EISDIR), as is an existing file that may not be written. A path naming something other
// than a regular file (a device, a pipe) is written in place.
Status ReplaceFile(const std::filesystem::path& path, std::string_view bytes, const FileCalls& calls = {});

}  // namespace tessarine
