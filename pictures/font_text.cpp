#include "pictures/font_text.h"

#include <optional>

#include "base/code_page.h"
#include "base/cp1251.h"

namespace tessarine::pictures {

namespace {

constexpr uint8_t kSymbolCharset = 2;

// The Symbol font's characters 0x20-0xFF as Unicode (0: none).
constexpr char16_t kSymbol[224] = {
    // 0x20
    0x20,
    0x21,
    0x2200,
    0x23,
    0x2203,
    0x25,
    0x26,
    0x220B,
    0x28,
    0x29,
    0x2217,
    0x2B,
    0x2C,
    0x2212,
    0x2E,
    0x2F,
    0x30,
    0x31,
    0x32,
    0x33,
    0x34,
    0x35,
    0x36,
    0x37,
    0x38,
    0x39,
    0x3A,
    0x3B,
    0x3C,
    0x3D,
    0x3E,
    0x3F,
    // 0x40
    0x2245,
    0x391,
    0x392,
    0x3A7,
    0x394,
    0x395,
    0x3A6,
    0x393,
    0x397,
    0x399,
    0x3D1,
    0x39A,
    0x39B,
    0x39C,
    0x39D,
    0x39F,
    0x3A0,
    0x398,
    0x3A1,
    0x3A3,
    0x3A4,
    0x3A5,
    0x3C2,
    0x3A9,
    0x39E,
    0x3A8,
    0x396,
    0x5B,
    0x2234,
    0x5D,
    0x22A5,
    0x5F,
    // 0x60
    0x203E,
    0x3B1,
    0x3B2,
    0x3C7,
    0x3B4,
    0x3B5,
    0x3C6,
    0x3B3,
    0x3B7,
    0x3B9,
    0x3D5,
    0x3BA,
    0x3BB,
    0x3BC,
    0x3BD,
    0x3BF,
    0x3C0,
    0x3B8,
    0x3C1,
    0x3C3,
    0x3C4,
    0x3C5,
    0x3D6,
    0x3C9,
    0x3BE,
    0x3C8,
    0x3B6,
    0x7B,
    0x7C,
    0x7D,
    0x223C,
    0,
    // 0x80
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    // 0xA0
    0x20AC,
    0x3D2,
    0x2032,
    0x2264,
    0x2044,
    0x221E,
    0x192,
    0x2663,
    0x2666,
    0x2665,
    0x2660,
    0x2194,
    0x2190,
    0x2191,
    0x2192,
    0x2193,
    0xB0,
    0xB1,
    0x2033,
    0x2265,
    0xD7,
    0x221D,
    0x2202,
    0x2022,
    0xF7,
    0x2260,
    0x2261,
    0x2248,
    0x2026,
    0x23D0,
    0x23AF,
    0x21B5,
    // 0xC0
    0x2135,
    0x2111,
    0x211C,
    0x2118,
    0x2297,
    0x2295,
    0x2205,
    0x2229,
    0x222A,
    0x2283,
    0x2287,
    0x2284,
    0x2282,
    0x2286,
    0x2208,
    0x2209,
    0x2220,
    0x2207,
    0xAE,
    0xA9,
    0x2122,
    0x220F,
    0x221A,
    0x22C5,
    0xAC,
    0x2227,
    0x2228,
    0x21D4,
    0x21D0,
    0x21D1,
    0x21D2,
    0x21D3,
    // 0xE0
    0x25CA,
    0x2329,
    0xAE,
    0xA9,
    0x2122,
    0x2211,
    0x239B,
    0x239C,
    0x239D,
    0x23A1,
    0x23A2,
    0x23A3,
    0x23A7,
    0x23A8,
    0x23A9,
    0x23AA,
    0,
    0x232A,
    0x222B,
    0x2320,
    0x23AE,
    0x2321,
    0x239E,
    0x239F,
    0x23A0,
    0x23A4,
    0x23A5,
    0x23A6,
    0x23AB,
    0x23AC,
    0x23AD,
    0,
};

long CodePageOfCharset(uint8_t charset) {
  switch (charset) {
    case 0:
      return 1252;
    case 77:
      return 10000;
    case 128:
      return 932;
    case 129:
      return 949;
    case 134:
      return 936;
    case 136:
      return 950;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 255:
      return 866;
    default:  // DEFAULT_CHARSET, RUSSIAN_CHARSET and the rest
      return 1251;
  }
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

struct CodePages::Opened {
  long number;
  std::optional<CodePage> page;
};

CodePages::CodePages() = default;
CodePages::~CodePages() = default;

std::u32string CodePages::Decode(long number, std::string_view bytes) {
  if (number == 1251) {  // the documents' own code page: no table to open
    std::u32string text;
    text.reserve(bytes.size());
    for (char b : bytes) text.push_back(Cp1251ToUnicode(static_cast<unsigned char>(b)));
    return text;
  }
  Opened* found = nullptr;
  for (const std::unique_ptr<Opened>& o : opened_) {
    if (o->number == number) found = o.get();
  }
  if (found == nullptr) {
    opened_.push_back(std::make_unique<Opened>(Opened{number, CodePage::Open(number)}));
    found = opened_.back().get();
  }
  std::u32string text;
  if (!found->page) return text;
  for (const CodePage::Character& c : found->page->Decode(bytes)) {
    if (c.value) text.push_back(*c.value);
  }
  return text;
}

char32_t SymbolCharacter(unsigned char c) {
  return c >= 0x20 ? kSymbol[c - 0x20] : 0;
}

bool IsSymbolFace(std::string_view face) {
  constexpr std::string_view kSymbolFace = "symbol";
  if (face.size() != kSymbolFace.size()) return false;
  for (size_t i = 0; i < face.size(); ++i) {
    if (AsciiLower(face[i]) != kSymbolFace[i]) return false;
  }
  return true;
}

std::u32string DecodeFontText(std::string_view bytes, uint8_t charset, std::string_view face,
                              CodePages& code_pages) {
  if (IsSymbolFace(face)) {
    std::u32string text;
    for (char b : bytes) {
      if (const char32_t c = SymbolCharacter(static_cast<unsigned char>(b)); c != 0) text.push_back(c);
    }
    return text;
  }
  if (charset == kSymbolCharset) return {};
  return code_pages.Decode(CodePageOfCharset(charset), bytes);
}

std::string FontFamily(std::string_view face, uint8_t charset) {
  std::string name;
  if (!IsSymbolFace(face) && charset != kSymbolCharset) {
    for (char c : face) {
      if (c == '\0') break;
      const bool keep =
          (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '-';
      if (keep) name.push_back(c);
    }
  }
  while (!name.empty() && name.back() == ' ') name.pop_back();
  while (!name.empty() && name.front() == ' ') name.erase(0, 1);
  if (name.empty()) return "serif";
  return "'" + name + "', serif";
}

}  // namespace tessarine::pictures
