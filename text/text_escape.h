// The text's own characters that HTML would read as mark-up.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// Appends `text` to `out` with every "<" written as "&lt;" and every ">" as "&gt;"; all other
// bytes (code page 1251) are copied unchanged, runs without either character in one append.
void AppendEscapedText(std::string& out, std::string_view text);

}  // namespace tessarine
