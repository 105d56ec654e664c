// Escape normalisation: the rewrites that run over the source before any brace is counted.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// Rewrites, in this order and each over the whole text: "\endash" (any letter case) to "-",
// an escaped backslash before "{" or "}" to the pair, a space and the brace, and the escaped
// braces "\{" and "\}" to their placeholders (which text decoding turns back into braces).
// A pattern that stands at the very front of the text stops its rewrite: that pass changes
// nothing at all. Returns whether anything was rewritten; only then does `out` receive the
// rewritten text.
bool NormaliseEscapes(std::string_view text, std::string& out);

}  // namespace tessarine
