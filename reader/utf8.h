// Walking the characters of UTF-8 text the reader made itself (valid UTF-8).
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "base/cp1251.h"

namespace tessarine::reader {

// The character at the start of `text` (not empty) and, in `*length`, how many bytes it takes.
inline char32_t FirstCharacter(std::string_view text, size_t* length) {
  const auto c = static_cast<unsigned char>(text[0]);
  const size_t n = std::min<size_t>(c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1, text.size());
  *length = n;
  if (n == 1) return c;
  char32_t value = n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
  for (size_t i = 1; i < n; ++i) value = (value << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
  return value;
}

// `text` with every character replaced by `change(character)`.
template <typename Change>
std::string MapCharacters(std::string_view text, Change&& change) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    size_t length = 1;
    const char32_t c = FirstCharacter(text, &length);
    const char32_t changed = change(c);
    if (changed == c) {
      out.append(text.substr(0, length));
    } else {
      AppendUtf8(out, changed);
    }
    text.remove_prefix(length);
  }
  return out;
}

}  // namespace tessarine::reader
