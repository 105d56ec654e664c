#include "page/font_name.h"

#include "base/cp1251.h"

namespace tessarine {

bool IsFontNameCharacter(char32_t c) {
  if (c < 0x80) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' ||
           c == '-' || c == '_' || c == '.';
  }
  // The blocks of punctuation, symbols, spaces and specials; everything else is taken for a
  // letter of some script.
  struct Range {
    char32_t first, last;
  };
  static constexpr Range kNotLetters[] = {
      {0x80, 0xA9},     {0xAB, 0xB4},     {0xB6, 0xB9},     {0xBB, 0xBF},       {0xD7, 0xD7},
      {0xF7, 0xF7},     {0x2000, 0x2BFF}, {0x2E00, 0x2E7F}, {0x3000, 0x303F},   {0xD800, 0xF8FF},
      {0xFD3E, 0xFD3F}, {0xFE00, 0xFE6F}, {0xFEFF, 0xFEFF}, {0xFF00, 0xFF0F},   {0xFF1A, 0xFF20},
      {0xFF3B, 0xFF40}, {0xFF5B, 0xFF65}, {0xFFF0, 0xFFFF}, {0x1F000, 0x1FBFF}, {0xE0000, 0x10FFFF},
  };
  for (const Range& range : kNotLetters) {
    if (c >= range.first && c <= range.last) return false;
  }
  return c <= 0x10FFFF;
}

void AppendFontName(std::string& out, std::string_view name) {
  for (char c : name) {
    if (IsFontNameCharacter(Cp1251ToUnicode(static_cast<unsigned char>(c)))) out.push_back(c);
  }
}

}  // namespace tessarine
