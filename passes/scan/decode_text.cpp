#include "passes/scan/decode_text.h"

namespace tessarine {

namespace {

// A hex digit's value; any other character counts with its own code.
int DigitValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return c;
}

bool IsSpecial(char c) { return c == '\\' || c == '\r' || c == '\n' || c == '<' || c == '>'; }

}  // namespace

void DecodeText(std::string_view s, std::string& out) {
  const size_t n = s.size();
  size_t i = 0;
  while (i < n) {
    size_t plain = i;
    while (plain < n && !IsSpecial(s[plain])) ++plain;
    out.append(s.substr(i, plain - i));
    i = plain;
    if (i >= n) break;
    const char c = s[i];
    if (c == '\\') {
      std::string_view rest = s.substr(i);
      if (rest.size() >= 2 && rest[1] == '\'') {
        if (rest.size() >= 4) {
          int value = 16 * DigitValue(static_cast<unsigned char>(rest[2])) +
                      DigitValue(static_cast<unsigned char>(rest[3]));
          out.push_back(static_cast<char>(value & 0xFF));
          i += 4;
        } else {
          i = n;  // cut off by the end of the run: nothing
        }
      } else if (rest.size() >= 5 && rest[1] == 'e' && rest[4] == 'a') {
        out.append("- ");
        i += rest.size() >= 8 ? 8 : rest.size();
      } else if (rest.substr(0, 4) == kOpenBracePlaceholder) {
        out.push_back('{');
        i += 4;
      } else if (rest.substr(0, 4) == kCloseBracePlaceholder) {
        out.push_back('}');
        i += 4;
      } else {
        out.push_back('\\');
        i += 1;
      }
    } else if (c == '\r' || c == '\n') {
      i += 1;
    } else if (c == '<') {
      out.append("&lt;");
      i += 1;
    } else {
      out.append("&gt;");
      i += 1;
    }
  }
}

}  // namespace tessarine
