// Where the page of a converted source is written, and the file-name tests that choose it.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// The source path with the extension of its file name replaced by "htm": everything after
// the last "." of the file's own name (not of a folder) is replaced, so "a.b.txt" gives
// "a.b.htm". A file name without "." gets ".htm" appended to the whole path.
std::string OutputNameFor(std::string_view source_path);

// True when `name` ends with `ending` (lower case ASCII), the letters of `name` compared
// without regard to their case: ".txt" matches "a.TXT".
bool EndsWithIgnoringCase(std::string_view name, std::string_view ending);

}  // namespace tessarine
