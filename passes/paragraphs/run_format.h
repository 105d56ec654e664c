// Run formats: the font, size, colour, bold, italic and underline of one run of RTF, and the
// alignment word of a paragraph.
#pragma once

#include <string>
#include <string_view>

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

struct RunFormat {
  std::string FontName;   // from the font table, without a " Cyr" suffix
  std::string FontSize;   // whole points less `umrazm`, never below "8"; empty for 8 pt or less
  std::string Colour;     // "#RRGGBB" from ColourList
  std::string Bold;       // "bold" or ""
  std::string Italic;     // "italic" or ""
  std::string Underline;  // "underline" or ""
};

// 1-based position in `s` of the first occurrence of `word` directly followed by a digit
// "0"-"9"; -1 when there is none (so "\f" skips "\fs24" and "\fcharset204").
long FindNumberedWord(std::string_view s, std::string_view word);

// Whether the flag word `word` (a backslash and its letters, as "\b" or "\ulnone") occurs in `s`
// followed by a backslash, a space or the end of `s` ("\b\", "\b " and a final "\b"; not "\b0"
// or "\bin"). Before a space or the end, a word whose backslash is the second of an escaped
// "\\" is text and does not count.
bool HasFlagWord(std::string_view s, std::string_view word);

// The words that turn bold, italic and underline off ("\b0", "\i0", "\ulnone"), each as
// HasFlagWord finds it, in one walk over `s`.
struct OffWords {
  bool bold = false;
  bool italic = false;
  bool underline = false;
};
OffWords FindOffWords(std::string_view s);

// The CSS alignment word ("center", "justify", "left", "right") for the letter after "\q" ('c',
// 'j', 'l', 'r'); empty for any other character.
std::string_view AlignmentFor(char c);

// Reads the run format of the RTF text `s` (all searches over the whole of `s`, the first
// match wins). Bold, italic and underline are the flag words "\b", "\i" and "\ul" as
// HasFlagWord finds them. A font number not in the font table and a colour number beyond ColourList give
// empty values.
RunFormat ParseRunFormat(std::string_view s, const ConversionState& st);

// Appends the font name `name`, as the font table keeps it (escapes as written), as the value of
// a style's "font-family:": its hex escapes and marked references read (one the table cut at its
// ";" at the end of the name too), and only the characters a font name needs kept
// (IsFontNameCharacter), so no name can end the declaration or the attribute.
void AppendFontFamily(std::string& out, std::string_view name);

// Turns the font-table group into FontTableText and its index.
void ApplyFontTable(ConversionState& st, std::string_view group);

}  // namespace tessarine
