// Link targets every page writer must refuse.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessarine {

// Whether a browser would take `target` as a script or inline data: it begins with
// "javascript:", "vbscript:", "livescript:" or "data:" in any letter case, once "&lt;", "&gt;",
// "&amp;" and numeric character references are read as their characters, leading spaces and
// control characters are skipped, and tabs and line breaks anywhere in it are left out.
bool IsScriptTarget(std::string_view target);

// The length of the numeric character reference ("&#N;" or "&#xH;", at most U+10FFFF's digits)
// at the front of `s`, with its character in `value`; 0 when none stands there.
size_t NumericReferenceLength(std::string_view s, unsigned long& value);

}  // namespace tessarine
