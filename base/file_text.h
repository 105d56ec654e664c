// Reading documents and writing pages. Bytes are never re-encoded: code page 1251 in and out.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "base/status.h"

namespace tessarine {

// Splits `raw` into lines at CR or CR LF (a lone LF is an ordinary character) and joins them
// again with CR LF after every line, the last one included. An empty input gives "".
std::string JoinLinesWithCrLf(std::string_view raw);

// Writes every line break of `text` (CR LF, a lone CR or a lone LF) as CR LF, as saving a pane
// as plain text does.
std::string WithCrLfLineBreaks(std::string_view text);

// Reads the whole file into `bytes` unchanged. Fails when the path is missing, is a folder,
// or cannot be read.
Status ReadFileBytes(const std::filesystem::path& path, std::string* bytes);

// Reads a file with the file text rule (JoinLinesWithCrLf).
Status ReadFileText(const std::filesystem::path& path, std::string* text);

// Creates or replaces the file with exactly `bytes`.
Status WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// Saves a page as a pane is saved: every line break written as CR LF.
Status SavePageText(const std::filesystem::path& path, std::string_view text);

// True when `path` names an existing file that is not a folder.
bool IsExistingFile(const std::filesystem::path& path);

}  // namespace tessarine
