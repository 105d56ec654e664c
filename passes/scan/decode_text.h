// Turning the characters of a text run into HTML text.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// Appends the HTML text of the run `s` to `out`: "\'hh" becomes the character of byte hh, "\e..a"
// words (as "\endash") become "- ", the brace placeholders become "{" and "}", a marked reference
// (ReferenceMarkLength) becomes the numeric reference it holds, CR and LF vanish. Every character is written
// as text whatever its spelling: "<" and ">" as "&lt;" and
// "&gt;", "&" as "&amp;" when a letter, a digit or "#" follows it in the run (where a browser
// would read a reference) and as it stands otherwise. A hex escape cut off by the end of `s`
// gives nothing.
void DecodeText(std::string_view s, std::string& out);

// Appends character `c` of document text as page text, `next` being the character written after
// it (0 when none or unknown): the markup characters as DecodeText writes them, the rest as it is.
void AppendTextCharacter(char c, char next, std::string& out);

// The byte of the hex escape "\'hh" at the front of `s` (at least four characters): 16 times the
// first digit's value plus the second's, modulo 256; a character that is no hex digit counts
// with its own code.
inline char HexEscapeByte(std::string_view s);

// The length of the marked reference at the front of `s` (kReferenceMark, "&#", up to seven decimal
// digits, ";"), 0 when none stands there; the reference itself is all of it but the mark.
size_t ReferenceMarkLength(std::string_view s);

// The escaped-brace placeholders written into the source before the brace scans run.
inline constexpr std::string_view kOpenBracePlaceholder = "\\\"\"\"";
inline constexpr std::string_view kCloseBracePlaceholder = "\\^^^";
// Stands before "&#N;" where the escape rewrite writes a character code page 1251 lacks, so that
// it stays a reference while the same text spelt by the document itself is text. A control
// character: the rewrite leaves out those the document holds, and no page keeps any.
inline constexpr char kReferenceMark = '\x01';

namespace decode_detail {

// A hex digit's value; any other character counts with its own code.
struct DigitTable {
  int of[256] = {};
  constexpr DigitTable() {
    for (int c = 0; c < 256; ++c) {
      of[c] = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c;
    }
  }
};
inline constexpr DigitTable kDigitValue;

}  // namespace decode_detail

inline char HexEscapeByte(std::string_view s) {
  const int value = 16 * decode_detail::kDigitValue.of[static_cast<unsigned char>(s[2])] +
                    decode_detail::kDigitValue.of[static_cast<unsigned char>(s[3])];
  return static_cast<char>(value & 0xFF);
}

}  // namespace tessarine
