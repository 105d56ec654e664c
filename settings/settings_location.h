// Where the settings file and the preview file live: the program's folder when it can be
// written, otherwise $XDG_CONFIG_HOME/tessarine/ (default ~/.config/tessarine/).
#pragma once

#include <filesystem>
#include <optional>

namespace tessarine {

inline constexpr const char* kSettingsFileName = "qavrel.ini";
inline constexpr const char* kPreviewFileName = "mytempfile.htm";
inline constexpr const char* kHelpFileName = "lumbrel.chm";

// The folder of the running program (from /proc/self/exe); the current folder when unknown.
std::filesystem::path ProgramFolder();

// The per-user folder: $XDG_CONFIG_HOME/tessarine when that is an absolute path, else
// $HOME/.config/tessarine (the home folder of the password database when HOME is unset); empty
// when no home folder is known.
std::filesystem::path UserConfigFolder();

// The settings file to read: the program folder's, else the user folder's; none when neither
// exists. When the program folder cannot be written (settings are then saved to the user
// folder), the user folder's file comes first.
std::optional<std::filesystem::path> SettingsFileToRead(const std::filesystem::path& program_folder);

// Where a file named `name` is written: the program folder when it is writable, else the user
// folder (created when missing; the program folder when there is no user folder).
std::filesystem::path WritablePathFor(const std::filesystem::path& program_folder, const char* name);

}  // namespace tessarine
