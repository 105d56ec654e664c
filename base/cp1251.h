// Code page 1251 and Unicode: the byte table of the documents' code page.
#pragma once

#include <string>

namespace tessarine {

// The character of byte `b`. Every byte has one: 0x98, which the code page leaves undefined,
// is U+0098, so that text goes from bytes to Unicode and back without loss.
char32_t Cp1251ToUnicode(unsigned char b);

// The byte of character `c`, or -1 when code page 1251 cannot hold it. The exact inverse of
// Cp1251ToUnicode.
int UnicodeToCp1251(char32_t c);

// Appends `c` to `out` as UTF-8. Values that are no character (surrogates, beyond U+10FFFF)
// are written as U+FFFD.
void AppendUtf8(std::string& out, char32_t c);

}  // namespace tessarine
