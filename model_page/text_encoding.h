// Text of the document model (UTF-8) written into a page in code page 1251: every character the
// code page cannot hold becomes a decimal numeric character reference ("&#8364;").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/document.h"

namespace tessarine {

enum class Escape : uint8_t {
  kText,       // "&", "<", ">" become references; control characters are left out
  kAttribute,  // the same, and '"' as "&quot;": the text stays inside a quoted attribute value
};

// Appends `utf8` in code page 1251. Bytes that are no UTF-8 become "&#65533;"; control
// characters (C0 and C1) are left out.
void AppendHtmlText(std::string& out, std::string_view utf8, Escape escape = Escape::kText);

// Appends `utf8` in code page 1251 without escaping markup characters, for HTML taken over as
// it is: line ends become CR LF, other control characters but tab are left out, and '"', '<'
// and '>' are written as references when `escape_markup` is set.
void AppendConvertedHtml(std::string& out, std::string_view utf8, bool escape_markup);

// Decodes the UTF-8 character at the front of `text` (not empty): its code point, and in
// `size` how many bytes it takes. A byte that starts no valid character gives U+FFFD, size 1.
char32_t DecodeUtf8(std::string_view text, size_t& size);

// Makes room in `out` for `more` bytes beyond its size, when it has not got it: at least four
// times the room it had, on huge pages (a page body far larger than its estimate grows in one or
// two large steps, each page of them one fault for each 2 MB; room never written costs no memory).
void ReserveOnHugePages(std::string& out, size_t more);

// Appends `value` in decimal.
void AppendNumber(std::string& out, int64_t value);

// Appends hundredths of a unit as a decimal number without trailing zeros: 1415 -> "14.15",
// 1500 -> "15", -50 -> "-0.5".
void AppendHundredths(std::string& out, int64_t hundredths);

// Appends "#RRGGBB" (upper-case hexadecimal) for the low 24 bits of `colour`.
void AppendColour(std::string& out, model::Colour colour);

}  // namespace tessarine
