// Link targets every page writer must refuse.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessarine {

// Whether a link whose attribute value stands in the page as `written` would run a script or
// show inline data when followed. The value is read as a browser reads it: character references
// decoded (numeric ones with or without their ";", and the named ones that spell markup, spaces,
// tabs, line breaks and ":"), then every control character, space and DEL before the scheme's
// end left out; it is refused when it then begins with "javascript:", "vbscript:",
// "livescript:" or "data:" in any letter case.
bool IsScriptTarget(std::string_view written);

// The length of the numeric character reference ("&#N;" or "&#xH;", at most U+10FFFF's digits)
// at the front of `s`, with its character in `value`; 0 when none stands there.
size_t NumericReferenceLength(std::string_view s, unsigned long& value);

}  // namespace tessarine
