#include "passes/scan/control_word.h"

#include "passes/scan/number.h"

namespace tessarine {

ControlWord ReadControlWord(std::string_view text, size_t at) {
  ControlWord w;
  size_t i = at + 1;
  while (i < text.size() && IsLetter(text[i])) ++i;
  w.name = text.substr(at + 1, i - at - 1);
  const size_t number = i;
  if (i + 1 < text.size() && text[i] == '-' && IsDigit(text[i + 1])) ++i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  w.value = ValueOf(text.substr(number, i - number));
  if (i < text.size() && text[i] == ' ') ++i;
  w.end = i;
  return w;
}

size_t SkipGroup(std::string_view text, size_t at, size_t limit) {
  if (limit > text.size()) limit = text.size();
  long depth = 0;
  for (size_t i = at; i < limit; ++i) {
    const char c = text[i];
    if (c == '\\') {
      ++i;
    } else if (c == '{') {
      ++depth;
    } else if (c == '}' && --depth == 0) {
      return i + 1;
    }
  }
  return std::string_view::npos;
}

}  // namespace tessarine
