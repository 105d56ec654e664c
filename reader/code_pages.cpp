#include "reader/code_pages.h"

#include <array>

#include "reader/ascii_case.h"

namespace tessarine::reader {

namespace {

struct CharsetPage {
  int32_t charset;
  int32_t page;
};

// "\fcharsetN" -> code page, sorted by charset. The Mac's Japanese, Korean and Chinese charsets
// are read as their Windows pages, whose characters they share.
constexpr CharsetPage kCharsets[] = {
    {0, kDocumentPage}, {1, kDocumentPage}, {2, kSymbolPage}, {77, 10000}, {78, 932},   {79, 949},
    {80, 936},          {81, 950},          {83, 10005},      {84, 10004}, {85, 10006}, {86, 10081},
    {87, 10021},        {88, 10029},        {89, 10007},      {128, 932},  {129, 949},  {130, 1361},
    {134, 936},         {136, 950},         {161, 1253},      {162, 1254}, {163, 1258}, {177, 1255},
    {178, 1256},        {186, 1257},        {204, 1251},      {222, 874},  {238, 1250}, {254, 437},
    {255, 437},
};

// The Symbol font's characters for bytes 0x20 to 0xFF (0: none; the byte then shows as
// U+F000 + byte, as in other symbol fonts).
constexpr std::array<char16_t, 224> kSymbol = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B,                          // 0x20
    0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,                          // 0x28
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,                          // 0x30
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,                          // 0x38
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,                          // 0x40
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,                          // 0x48
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,                          // 0x50
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,                          // 0x58
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,                          // 0x60
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,                          // 0x68
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,                          // 0x70
    0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0x0000,                          // 0x78
    0,      0,      0,      0,      0,      0,      0,      0,      0, 0, 0, 0, 0, 0, 0, 0,  // 0x80
    0,      0,      0,      0,      0,      0,      0,      0,      0, 0, 0, 0, 0, 0, 0, 0,  // 0x90
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,                          // 0xA0
    0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,                          // 0xA8
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,                          // 0xB0
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,                          // 0xB8
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,                          // 0xC0
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,                          // 0xC8
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,                          // 0xD0
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,                          // 0xD8
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,                          // 0xE0
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,                          // 0xE8
    0x0000, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,                          // 0xF0
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0x0000,                          // 0xF8
};

struct ByteCharacter {
  unsigned char byte;
  char16_t character;
};

// The Wingdings characters list bullets use.
constexpr ByteCharacter kWingdings[] = {
    {0x6C, 0x25CF}, {0x6E, 0x25A0}, {0x71, 0x2751}, {0x75, 0x25C6}, {0x76, 0x2756},
    {0xA7, 0x25AA}, {0xD8, 0x27A2}, {0xFB, 0x2717}, {0xFC, 0x2713},
};

}  // namespace

int32_t CodePageOfCharset(int32_t charset) {
  for (const CharsetPage& entry : kCharsets) {
    if (entry.charset == charset) return entry.page;
  }
  return kDocumentPage;
}

int32_t SymbolFontPage(std::string_view font_name) {
  if (StartsWithIgnoringCase(font_name, "symbol")) return kSymbolPage;
  if (StartsWithIgnoringCase(font_name, "wingdings")) return kWingdingsPage;
  return kPrivateUsePage;
}

char32_t SymbolCharacter(int32_t page, unsigned char byte) {
  if (byte < 0x20) return 0;
  if (page == kSymbolPage && kSymbol[byte - 0x20] != 0) return kSymbol[byte - 0x20];
  if (page == kWingdingsPage) {
    for (const ByteCharacter& entry : kWingdings) {
      if (entry.byte == byte) return entry.character;
    }
  }
  return 0xF000 + byte;
}

char32_t BulletOf(char32_t c) {
  if (c < 0xF020 || c > 0xF0FF) return c;
  const auto byte = static_cast<unsigned char>(c - 0xF000);
  if (byte == 0xB7) return 0x2022;  // Symbol's bullet
  const char32_t wingdings = SymbolCharacter(kWingdingsPage, byte);
  return wingdings != c ? wingdings : 0x2022;
}

int32_t ReadablePage(int32_t page) {
  switch (page) {
    case 10001:
      return 932;
    case 10002:
      return 950;
    case 10003:
      return 949;
    case 10008:
      return 936;
    default:
      return page;
  }
}

bool IsDoubleBytePage(int32_t page) {
  return page == 932 || page == 936 || page == 949 || page == 950 || page == 1361;
}

}  // namespace tessarine::reader
