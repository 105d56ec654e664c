// List markers as writers write them and as pages show them, in one form both sides agree on.
#pragma once

#include <string>
#include <string_view>

namespace tessarine::testing {

// A list marker in a form both sides agree on: bullets of every kind become "*", leading and
// trailing spaces, tabs and NBSPs are removed.
std::string NormalMarker(std::string_view utf8);

// True when a line that starts with `line_start` shows the (normal) list marker `marker` first:
// its first space-separated part is the marker, or it starts with the marker and the marker
// ends in (or is followed by) a character that is neither a letter nor a digit, or the marker
// is "*" and the line starts with a bullet.
bool StartsWithMarker(std::string_view line_start, std::string_view marker);

}  // namespace tessarine::testing
