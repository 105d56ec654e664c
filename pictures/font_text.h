// The characters a metafile's text records hold, read in the charset of the font that draws
// them (the Symbol font's own encoding included), and the font's face name as an SVG family.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessarine::pictures {

// The code pages opened for one picture, so that each is opened once.
class CodePages {
 public:
  CodePages();
  ~CodePages();
  // The characters of `bytes` in code page `number` (unknown bytes and pages left out).
  std::u32string Decode(long number, std::string_view bytes);

 private:
  struct Opened;
  std::vector<std::unique_ptr<Opened>> opened_;
};

// The characters of `bytes` drawn with a font of `charset` named `face`: the charset's code page
// (DEFAULT_CHARSET as 1251), the Symbol font's encoding as the Unicode characters it shows, and
// nothing for other symbol fonts, whose glyphs no Unicode character stands for.
std::u32string DecodeFontText(std::string_view bytes, uint8_t charset, std::string_view face,
                              CodePages& code_pages);

// The SVG font family for the face: its name (ASCII letters, digits, spaces and hyphens only)
// quoted, then a generic family.
std::string FontFamily(std::string_view face, uint8_t charset);

// The Unicode character of the Symbol font's character `c`; 0 for none.
char32_t SymbolCharacter(unsigned char c);

// True for the Symbol font (any letter case), whose characters DecodeFontText maps.
bool IsSymbolFace(std::string_view face);

}  // namespace tessarine::pictures
