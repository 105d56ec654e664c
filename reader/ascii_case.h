// ASCII words of RTF (font, style and field names) compared without regard to letter case.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessarine::reader {

// True when `text` starts with `prefix` (written in lower case), the ASCII capitals of `text`
// taken as small letters; every other byte must match exactly.
constexpr bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != prefix[i]) return false;
  }
  return true;
}

// True when `text` is `word` (written in lower case), compared as StartsWithIgnoringCase does.
constexpr bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
  return text.size() == word.size() && StartsWithIgnoringCase(text, word);
}

}  // namespace tessarine::reader
