// Which characters make words, and letters compared without case, for telling whether a page
// shows the text of a document.
//
// A word is a longest run of word characters: ASCII letters and digits, and every character
// from U+0080 up except spaces, punctuation and symbols (the Latin-1 signs U+0080 to U+00BF but
// the letters ª and º, × and ÷, the general punctuation block U+2000 to U+206F, U+FFFD and
// the byte order mark). So "Привет," holds the word "Привет"; "e-mail" is two words.
#pragma once

#include <array>

namespace tessarine {

// ASCII letters and digits, by their code.
inline constexpr std::array<bool, 0x80> kAsciiWordCharacters = [] {
  std::array<bool, 0x80> word{};
  for (char32_t c = 0; c < 0x80; ++c) word[c] = (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
  return word;
}();

inline bool IsWordCharacter(char32_t c) {
  if (c < 0x80) return kAsciiWordCharacters[c];
  if (c <= 0xBF) return c == 0xAA || c == 0xBA;
  if (c == 0xD7 || c == 0xF7) return false;
  if (c >= 0x2000 && c <= 0x206F) return false;
  return c != 0xFFFD && c != 0xFEFF;
}

// `c` with ASCII and Cyrillic capitals made small, and Ё, ё as е: "Привет" and "привет" are one
// word. Other characters are returned as they are.
inline char32_t FoldLetter(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c < 0x400 || c > 0x45F) return c;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c == 0x401 || c == 0x451) return 0x435;
  if (c <= 0x40F) return c + 0x50;
  return c;
}

}  // namespace tessarine
