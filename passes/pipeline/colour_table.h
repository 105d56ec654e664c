// The document's colour table, as the list of HTML colours that "\cf" numbers select.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessarine {

// Parses the semicolon-separated definitions that follow the automatic entry of a colour
// table ("\red255\green0\blue0;..."). The list gets "#000000", one "#RRGGBB" text per
// definition (a component missing from a definition is taken from a later one; a component
// above 255 has three digits and shifts every later entry, the list being cut into 7-character
// slices) and a last empty entry. The walk ends after a definition not followed by ";".
std::vector<std::string> ParseColourTable(std::string_view text);

}  // namespace tessarine
