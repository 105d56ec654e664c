#include "settings/settings_location.h"

#include <pwd.h>
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
  if (home != nullptr && home[0] == '/') return std::filesystem::path(home) / ".config" / "tessarine";
  // No usable HOME (a service account, a stripped environment): the password database's.
  if (const passwd* pw = ::getpwuid(::getuid());
      pw != nullptr && pw->pw_dir != nullptr && pw->pw_dir[0] == '/') {
    return std::filesystem::path(pw->pw_dir) / ".config" / "tessarine";
  }
  return {};
}

namespace {

bool IsWritableFolder(const std::filesystem::path& folder) {
  return ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace

std::optional<std::filesystem::path> SettingsFileToRead(const std::filesystem::path& program_folder) {
  std::filesystem::path local = program_folder / kSettingsFileName;
  std::filesystem::path user_folder = UserConfigFolder();
  std::optional<std::filesystem::path> user;
  if (!user_folder.empty() && IsExistingFile(user_folder / kSettingsFileName)) {
    user = user_folder / kSettingsFileName;
  }
  // Settings are saved to the user folder when the program folder cannot be written; then the
  // user's own file comes first, or a file shipped beside the program would hide it forever.
  if (user && !IsWritableFolder(program_folder)) return user;
  if (IsExistingFile(local)) return local;
  return user;
}

std::filesystem::path WritablePathFor(const std::filesystem::path& program_folder, const char* name) {
  if (IsWritableFolder(program_folder)) return program_folder / name;
  std::filesystem::path user = UserConfigFolder();
  if (user.empty()) return program_folder / name;
  std::error_code ec;
  std::filesystem::create_directories(user, ec);
  return user / name;
}

}  // namespace tessarine
