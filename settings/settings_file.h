// The settings file: a fixed 20-line text written at close and searched by key at start-up.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "base/status.h"
#include "settings/settings.h"

namespace tessarine {

// The value of `key` in the settings text: the key is found only at the start of a line (the
// start of the text or after CR LF) and only when the character after it is not a letter; that
// character is skipped whatever it is, and the value runs to the next CR LF. Not found, or no
// CR LF after it: "".
std::string ReadIniValue(std::string_view key, std::string_view text);

// True when the line of `key` (found as ReadIniValue finds it) contains "true" anywhere.
bool ReadIniFlag(std::string_view key, std::string_view text);

// Reports whether a picture file exists (a folder does not count).
using FileExistsFn = std::function<bool(const std::string& path)>;

// Settings from the settings text (already joined with CR LF): every saved field that is read
// (a missing key gives "", `fixed` false, `rtfengine` "auto"), then the fixed fields. A `bgimage` for which
// `file_exists` is false (or null) becomes "".
Settings SettingsFromText(std::string_view text, const FileExistsFn& file_exists);

// The 20 lines of the settings file, each ending with CR LF.
std::string SettingsFileText(const Settings& settings);

// Reads a settings file with the file text rule. A file that cannot be read gives an empty
// settings text, that is empty values; the status says why.
Status LoadSettingsFile(const std::filesystem::path& path, Settings* settings);

// Writes the settings file, replacing an older one.
Status SaveSettingsFile(const std::filesystem::path& path, const Settings& settings);

}  // namespace tessarine
