// Font names as a style attribute carries them: whatever a document names its font, the name
// cannot end the declaration, the attribute or the tag it stands in.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// Whether `c` may stand in a font name written into a page: letters of any script (with their
// combining marks), digits, the space, "-", "_" and ".". Punctuation, symbols, quotes, control
// and special characters may not.
bool IsFontNameCharacter(char32_t c);

// Appends the code page 1251 font name `name` keeping only the characters IsFontNameCharacter
// allows; the others are left out.
void AppendFontName(std::string& out, std::string_view name);

}  // namespace tessarine
