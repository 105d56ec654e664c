// Turning the characters of a text run into HTML text.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// Appends the HTML text of the run `s` to `out`: "\'hh" becomes the byte hh, "\e..a" words (as
// "\endash") become "- ", the brace placeholders become "{" and "}", CR and LF vanish, "<" and
// ">" become "&lt;" and "&gt;"; everything else passes unchanged. A hex escape cut off by the
// end of `s` gives nothing.
void DecodeText(std::string_view s, std::string& out);

// The escaped-brace placeholders written into the source before the brace scans run.
inline constexpr std::string_view kOpenBracePlaceholder = "\\\"\"\"";
inline constexpr std::string_view kCloseBracePlaceholder = "\\^^^";

}  // namespace tessarine
