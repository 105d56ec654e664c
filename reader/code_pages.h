// Which code page the bytes of a font are in: RTF names them by the font's "\fcharsetN" (or
// "\cpgN"), by the document's "\ansicpgN", "\ansi", "\mac", "\pc" and "\pca", and symbol fonts
// have characters of their own.
#pragma once

#include <cstdint>
#include <string_view>

namespace tessarine::reader {

// Code page numbers are Windows' (1251, 932, 10000 ...); these stand for the rest.
inline constexpr int32_t kDocumentPage = 0;     // whatever the document's code page is
inline constexpr int32_t kSymbolPage = -2;      // the Symbol font (Greek letters, maths, bullets)
inline constexpr int32_t kWingdingsPage = -3;   // Wingdings: bullets known, the rest as below
inline constexpr int32_t kPrivateUsePage = -4;  // another symbol font: byte b is U+F000 + b

// The code page of "\fcharsetN": kDocumentPage for ANSI (0) and default (1), kSymbolPage for
// symbol (2, see SymbolFontPage), 204 -> 1251, 238 -> 1250, 128 -> 932 ...; kDocumentPage for
// charsets it does not know.
int32_t CodePageOfCharset(int32_t charset);

// The page of a font with "\fcharset2", told by its name ("Symbol", "Wingdings", other).
int32_t SymbolFontPage(std::string_view font_name);

// True for the symbol pages above.
inline bool IsSymbolPage(int32_t page) {
  return page <= kSymbolPage && page >= kPrivateUsePage;
}

// The character byte `byte` shows in the symbol page `page` (IsSymbolPage). Bytes below 0x20
// give 0 (no character).
char32_t SymbolCharacter(int32_t page, unsigned char byte);

// The page whose tables read `page`: the Mac's Japanese, Korean and Chinese pages (10001, 10003,
// 10002, 10008) are read as Windows' (932, 949, 950, 936), the rest as they are.
int32_t ReadablePage(int32_t page);

// The bullet a list marker means by the private-use symbol `c` (U+F020 to U+F0FF, "\u-3913"
// of a symbol font, written by writers whatever the font): Symbol's and Wingdings' usual
// bullets, "•" for other symbols; any other character as it is.
char32_t BulletOf(char32_t c);

// True for the code pages whose characters may take two bytes (932, 936, 949, 950, 1361).
bool IsDoubleBytePage(int32_t page);

}  // namespace tessarine::reader
