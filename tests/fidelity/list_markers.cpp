#include "tests/fidelity/list_markers.h"

#include <algorithm>

namespace tessarine::testing {

namespace {

bool IsAsciiLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string NormalMarker(std::string_view utf8) {
  auto trim = [](std::string_view s) {
    for (;;) {
      if (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
      } else if (s.starts_with("\xC2\xA0")) {
        s.remove_prefix(2);
      } else if (!s.empty() &&
                 (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) {
        s.remove_suffix(1);
      } else if (s.ends_with("\xC2\xA0")) {
        s.remove_suffix(2);
      } else {
        return s;
      }
    }
  };
  const std::string_view s = trim(utf8);
  static constexpr std::string_view kBullets[] = {"\xE2\x80\xA2",
                                                  "\xC2\xB7",
                                                  "\xE2\x97\xA6",
                                                  "\xE2\x96\xAA",
                                                  "\xEF\x82\xB7",
                                                  "\xEF\x82\xA7",
                                                  "\xE2\x97\x8F",
                                                  "\xE2\x96\xA0",
                                                  "\xE2\x96\xA1",
                                                  "\xE2\x80\x93",
                                                  "\xE2\x80\x94",
                                                  "-",
                                                  "o",
                                                  "\xEF\x82\xA8",
                                                  "\xEF\x83\x98",
                                                  "\xE2\x9E\xA2",
                                                  "\xE2\x9C\x93",
                                                  "\xC2\xA7",
                                                  "*",
                                                  "\xEF\x82\xAE",
                                                  "\xEF\x83\xBC",
                                                  "\xE2\x88\x99",
                                                  "\xE2\x97\x8B",
                                                  "\xEF\x81\xB6"};
  for (std::string_view bullet : kBullets) {
    if (s == bullet) return "*";
  }
  return std::string(s);
}

bool StartsWithMarker(std::string_view line_start, std::string_view marker) {
  if (marker.empty()) return false;
  size_t space = line_start.find_first_of(" \t");
  const size_t nbsp = line_start.find("\xC2\xA0");
  space = std::min(space, nbsp);
  if (NormalMarker(line_start.substr(0, space)) == marker) return true;
  if (marker == "*") {
    // A bullet glued to the text: the line's first character is a bullet.
    size_t length = 1;
    const auto lead = static_cast<unsigned char>(line_start.empty() ? 0 : line_start[0]);
    if (lead >= 0xC0) length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    const std::string_view first = line_start.substr(0, length);
    return first != "o" && first != "-" && NormalMarker(first) == "*";
  }
  if (!line_start.starts_with(marker)) return false;
  // The marker stands apart from what follows: it ends in a sign ("1.", "a)"), or a sign follows.
  auto is_word_byte = [](char c) { return IsAsciiLetterOrDigit(c) || static_cast<unsigned char>(c) >= 0x80; };
  return !is_word_byte(marker.back()) || marker.size() == line_start.size() ||
         !is_word_byte(line_start[marker.size()]);
}

}  // namespace tessarine::testing
