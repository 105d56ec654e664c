// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the test.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "base/file_text.h"

namespace tessarine::testing {

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::filesystem::path candidate = base / ("tessarine-test-" + std::to_string(random()));
      std::error_code ec;
      if (std::filesystem::create_directory(candidate, ec)) {
        path_ = candidate;
        return;
      }
    }
  }
  ~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  // Writes `bytes` to the file `name` in the folder and returns its path.
  std::filesystem::path Write(std::string_view name, std::string_view bytes) const {
    std::filesystem::path file = path_ / name;
    (void)WriteFileBytes(file, bytes);
    return file;
  }

  // The bytes of the file `name` in the folder ("" when it cannot be read).
  std::string Read(std::string_view name) const {
    std::string bytes;
    (void)ReadFileBytes(path_ / name, &bytes);
    return bytes;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace tessarine::testing
