// Reading numbers out of RTF text.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// The value of a text: an optional "+" or "-", then the decimal digits up to the first
// non-digit; no digits give 0. Values beyond the 32-bit range are held at its limit.
long ValueOf(std::string_view text);

// `value` as upper-case hexadecimal with at least two digits; a negative value is written as
// its 32-bit two's complement.
std::string HexOf(long value);

// Whether `c` is an ASCII digit "0"-"9" / an ASCII letter "A"-"Z" or "a"-"z".
constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
constexpr bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace tessarine
