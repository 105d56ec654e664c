#include "page/link_target.h"

#include <string>
#include <utility>

namespace tessarine {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (LowerAscii(s[i]) != prefix[i]) return false;
  }
  return true;
}

// The length of the reference at the start of `s` as a browser reads it in an attribute, with
// its character in `value`; 0 when none starts there. Numeric references need no ";"; of the
// named ones only those that can change how a scheme reads are known (letter case ignored, so
// more is read as a reference than a browser would: the check only gets stricter).
size_t Reference(std::string_view s, unsigned long& value) {
  if (s.size() < 2 || s[0] != '&') return 0;
  if (s[1] == '#') {
    const bool hex = s.size() > 2 && (s[2] == 'x' || s[2] == 'X');
    size_t end = hex ? 3 : 2;
    const size_t first = end;
    value = 0;
    for (; end < s.size(); ++end) {
      const char c = LowerAscii(s[end]);
      unsigned long digit = 0;
      if (IsDigit(c)) {
        digit = static_cast<unsigned long>(c - '0');
      } else if (hex && c >= 'a' && c <= 'f') {
        digit = static_cast<unsigned long>(c - 'a' + 10);
      } else {
        break;
      }
      if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + digit;
    }
    if (end == first) return 0;
    if (value > 0x10FFFF) value = 0xFFFD;
    return end < s.size() && s[end] == ';' ? end + 1 : end;
  }
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"&lt;", '<'},   {"&gt;", '>'},   {"&amp;", '&'},      {"&quot;", '"'},  {"&apos;", '\''},
      {"&nbsp;", ' '}, {"&tab;", '\t'}, {"&newline;", '\n'}, {"&colon;", ':'}, {"&nbsp", ' '},
      {"&lt", '<'},    {"&gt", '>'},    {"&amp", '&'},       {"&quot", '"'},
  };
  for (const auto& [name, c] : kNamed) {
    if (StartsWithIgnoringCase(s, name)) {
      value = static_cast<unsigned char>(c);
      return name.size();
    }
  }
  return 0;
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

bool IsScriptTarget(std::string_view written) {
  // The scheme as a browser reads it; no scheme looked for is longer than "livescript:".
  std::string scheme;
  size_t i = 0;
  while (i < written.size() && scheme.size() < 11) {
    unsigned long value = static_cast<unsigned char>(written[i]);
    const size_t length = Reference(written.substr(i), value);
    i += length > 0 ? length : 1;
    if (value <= ' ' || value == 0x7F) continue;
    scheme += value < 0x80 ? LowerAscii(static_cast<char>(value)) : '\x80';
    if (value == ':') break;
  }
  for (std::string_view script : {"javascript:", "vbscript:", "livescript:", "data:"}) {
    if (scheme == script) return true;
  }
  return false;
}

}  // namespace tessarine
