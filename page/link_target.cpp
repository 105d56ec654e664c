#include "page/link_target.h"

#include <string>

namespace tessarine {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The length of the entity or numeric reference at the start of `s`, with the character it
// stands for in `value`; 0 when none starts there.
size_t Reference(std::string_view s, unsigned long& value) {
  for (const auto& [entity, c] : {std::pair{std::string_view("&lt;"), '<'}, {"&gt;", '>'}, {"&amp;", '&'}}) {
    if (s.starts_with(entity)) {
      value = static_cast<unsigned char>(c);
      return entity.size();
    }
  }
  return NumericReferenceLength(s, value);
}

}  // namespace

size_t NumericReferenceLength(std::string_view s, unsigned long& value) {
  if (!s.starts_with("&#")) return 0;
  const bool hex = s.size() > 2 && (s[2] == 'x' || s[2] == 'X');
  const size_t first = hex ? 3 : 2;
  const size_t most = hex ? 6 : 7;  // beyond U+10FFFF no character is meant
  size_t end = first;
  value = 0;
  while (end < s.size() && end - first < most) {
    const char c = LowerAscii(s[end]);
    if (IsDigit(c)) {
      value = value * (hex ? 16 : 10) + static_cast<unsigned long>(c - '0');
    } else if (hex && c >= 'a' && c <= 'f') {
      value = value * 16 + static_cast<unsigned long>(c - 'a' + 10);
    } else {
      break;
    }
    ++end;
  }
  if (end == first || end >= s.size() || s[end] != ';') return 0;
  return end + 1;
}

bool IsScriptTarget(std::string_view target) {
  // The scheme as a browser reads it; no scheme looked for is longer than "livescript:".
  std::string scheme;
  size_t i = 0;
  while (i < target.size() && scheme.size() < 11) {
    unsigned long value = static_cast<unsigned char>(target[i]);
    const size_t length = Reference(target.substr(i), value);
    i += length > 0 ? length : 1;
    if (value == '\t' || value == '\n' || value == '\r' || (scheme.empty() && value <= ' ')) continue;
    scheme += value < 0x80 ? LowerAscii(static_cast<char>(value)) : '\x80';
  }
  for (std::string_view script : {"javascript:", "vbscript:", "livescript:", "data:"}) {
    if (std::string_view(scheme).starts_with(script)) return true;
  }
  return false;
}

}  // namespace tessarine
