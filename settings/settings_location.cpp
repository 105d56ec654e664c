#include "settings/settings_location.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "base/file_text.h"

namespace tessarine {

std::filesystem::path ProgramFolder() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return std::filesystem::current_path(ec);
  return exe.parent_path();
}

std::filesystem::path UserConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') return std::filesystem::path(xdg) / "tessarine";
  const char* home = std::getenv("HOME");
  std::filesystem::path base = (home != nullptr && home[0] != '\0') ? home : "/tmp";
  return base / ".config" / "tessarine";
}

std::optional<std::filesystem::path> SettingsFileToRead(const std::filesystem::path& program_folder) {
  std::filesystem::path local = program_folder / kSettingsFileName;
  if (IsExistingFile(local)) return local;
  std::filesystem::path user = UserConfigFolder() / kSettingsFileName;
  if (IsExistingFile(user)) return user;
  return std::nullopt;
}

std::filesystem::path WritablePathFor(const std::filesystem::path& program_folder, const char* name) {
  if (::access(program_folder.c_str(), W_OK) == 0) return program_folder / name;
  std::filesystem::path user = UserConfigFolder();
  std::error_code ec;
  std::filesystem::create_directories(user, ec);
  return user / name;
}

}  // namespace tessarine
