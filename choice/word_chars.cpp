#include "choice/word_chars.h"

namespace tessarine {

bool IsWordCharacter(char32_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (c <= 0xBF) return c == 0xAA || c == 0xBA;
  if (c == 0xD7 || c == 0xF7) return false;
  if (c >= 0x2000 && c <= 0x206F) return false;
  return c != 0xFFFD && c != 0xFEFF;
}

char32_t FoldLetter(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c < 0x400 || c > 0x45F) return c;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c == 0x401 || c == 0x451) return 0x435;
  if (c <= 0x40F) return c + 0x50;
  return c;
}

}  // namespace tessarine
