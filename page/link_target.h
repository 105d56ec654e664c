// Link targets every page writer must refuse.
#pragma once

#include <string_view>

namespace tessarine {

// Whether a browser would take `target` as a script or inline data: it begins with
// "javascript:", "vbscript:", "livescript:" or "data:" in any letter case, once "&lt;", "&gt;",
// "&amp;" and numeric character references are read as their characters, leading spaces and
// control characters are skipped, and tabs and line breaks anywhere in it are left out.
bool IsScriptTarget(std::string_view target);

}  // namespace tessarine
