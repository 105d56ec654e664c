#include "model_page/text_encoding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "base/cp1251.h"
#include "base/huge_pages.h"

namespace tessarine {

namespace {

// What a byte needs: 0 is copied as it is; anything else is looked at.
enum : uint8_t { kCopy = 0, kLook = 1 };

constexpr std::array<uint8_t, 256> MakeClasses(std::string_view markup) {
  std::array<uint8_t, 256> classes{};
  for (int b = 0; b < 256; ++b) classes[b] = (b < 0x20 || b >= 0x7F) ? kLook : kCopy;
  for (char c : markup) classes[static_cast<unsigned char>(c)] = kLook;
  return classes;
}

constexpr std::array<uint8_t, 256> kTextClasses = MakeClasses("&<>");
constexpr std::array<uint8_t, 256> kAttributeClasses = MakeClasses("&<>\"");
constexpr std::array<uint8_t, 256> kMarkupClasses = MakeClasses("<>\"");
constexpr std::array<uint8_t, 256> kPassClasses = MakeClasses("");

// The byte of a character that is not ASCII, or -1: the frequent ones of Russian text at once,
// the rest from the code page's table.
int ByteOf(char32_t c) {
  if (c >= 0x0410 && c <= 0x044F) return static_cast<int>(c - 0x0410 + 0xC0);
  switch (c) {
    case 0x0401:  // Ё
      return 0xA8;
    case 0x0451:  // ё
      return 0xB8;
    case 0x00A0:  // no-break space
      return 0xA0;
    case 0x00AB:  // «
      return 0xAB;
    case 0x00BB:  // »
      return 0xBB;
    case 0x2013:  // –
      return 0x96;
    case 0x2014:  // —
      return 0x97;
    case 0x201C:  // “
      return 0x93;
    case 0x201D:  // ”
      return 0x94;
    case 0x201E:  // „
      return 0x84;
    case 0x2019:  // ’
      return 0x92;
    case 0x2026:  // …
      return 0x85;
    default:
      if (c >= 0x80 && c < 0xA0) return -2;  // C1 control characters are left out
      return UnicodeToCp1251(c);
  }
}

// Writes into a buffer on the stack and hands it to the page in large appends. Every step of
// the writers below writes at most kStep bytes before the room is checked again.
class BufferedOut {
 public:
  static constexpr size_t kStep = 16;

  explicit BufferedOut(std::string& out) : out_(out) {}
  ~BufferedOut() { Flush(); }
  BufferedOut(const BufferedOut&) = delete;
  BufferedOut& operator=(const BufferedOut&) = delete;

  // Makes room for one step.
  void Room() {
    if (w_ > buffer_ + kSize - kStep) Flush();
  }
  // Bytes that fit without a flush.
  size_t Free() const { return static_cast<size_t>(buffer_ + kSize - w_); }
  void Put(char c) { *w_++ = c; }
  char* position() { return w_; }
  void set_position(char* w) { w_ = w; }
  void Put(std::string_view text) {  // at most kStep bytes
    std::memcpy(w_, text.data(), text.size());
    w_ += text.size();
  }
  // Writes a character that is not ASCII: its byte, or a decimal reference.
  void Character(char32_t c) {
    int byte = ByteOf(c);
    if (byte >= 0) {
      Put(static_cast<char>(byte));
    } else if (byte == -1) {
      char digits[10];
      const char* end = std::to_chars(digits, digits + sizeof digits, static_cast<uint32_t>(c)).ptr;
      Put("&#");
      Put(std::string_view(digits, static_cast<size_t>(end - digits)));
      Put(';');
    }
  }
  void Flush() {
    const auto size = static_cast<size_t>(w_ - buffer_);
    ReserveOnHugePages(out_, size);
    out_.append(buffer_, size);
    w_ = buffer_;
  }

 private:
  static constexpr size_t kSize = 4096;
  std::string& out_;
  char buffer_[kSize];
  char* w_ = buffer_;
};

// Whether the eight bytes of `v` are all printable ASCII (0x20 to 0x7E) and none is '&', '<',
// '>' or '"': copied as they are whatever the escaping.
constexpr bool IsPlainWord(uint64_t v) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  if ((v & kHigh) != 0) return false;  // the frequent case in Russian text, told at once
  auto has_zero = [](uint64_t x) { return (x - kOnes) & ~x & kHigh; };
  const uint64_t below_space = (v - kOnes * 0x20) & ~v & kHigh;
  const uint64_t high_or_delete = (v | (v + kOnes)) & kHigh;
  return (below_space | high_or_delete | has_zero(v ^ (kOnes * '&')) | has_zero(v ^ (kOnes * '<')) |
          has_zero(v ^ (kOnes * '>')) | has_zero(v ^ (kOnes * '"'))) == 0;
}

// The letters U+0410 to U+044F by their two UTF-8 bytes less D0 90: D0 90 to D0 BF (0 to 2F)
// are bytes C0 to EF, D1 80 to D1 8F (F0 to FF) bytes F0 to FF; 0 for every other pair, and at
// 256 for pairs beyond.
constexpr std::array<uint8_t, 257> kLetterBytes = [] {
  std::array<uint8_t, 257> bytes{};
  for (unsigned i = 0; i < 0x30; ++i) bytes[i] = static_cast<uint8_t>(0xC0 + i);
  for (unsigned i = 0xF0; i < 0x100; ++i) bytes[i] = static_cast<uint8_t>(i);
  return bytes;
}();

// What the two bytes at the front of a text give, by the first byte times 256 plus the second,
// for bytes that are the same under every escaping (printable ASCII but '&', '<', '>' and '"')
// and the letters U+0410 to U+044F: the bytes to write (the low two bytes of the entry), how
// many of them (the third byte) and how many bytes of text that takes (the fourth). An entry
// of 0: the first byte needs more than a look-up.
constexpr uint32_t PairEntry(unsigned first, unsigned second) {
  auto plain = [](unsigned b) { return b >= 0x20 && b < 0x7F && b != '&' && b != '<' && b != '>' && b != '"'; };
  if (plain(first)) {
    return plain(second) ? first | second << 8 | 2u << 16 | 2u << 24 : first | 1u << 16 | 1u << 24;
  }
  const unsigned pair = ((first << 8) | second) - 0xD090u;
  const unsigned letter = pair < 256 ? kLetterBytes[pair] : 0;
  return letter == 0 ? 0 : letter | 1u << 16 | 2u << 24;
}

constexpr std::array<uint32_t, 65536> kPairs = [] {
  std::array<uint32_t, 65536> pairs{};
  for (unsigned first = 0; first < 256; ++first) {
    for (unsigned second = 0; second < 256; ++second) pairs[first << 8 | second] = PairEntry(first, second);
  }
  return pairs;
}();

// Writes the plain bytes (class kCopy) and the letters U+0410 to U+044F, most of the documents'
// text, at the front of [p, end), as many as fit in the buffer, in one tight loop; returns the
// new front, at the first character that needs more. Two bytes at a time are looked up in
// kPairs, without a branch on what they are, so words of Russian and the spaces between them
// do not upset the processor's guesses; two plain bytes start a run of eight at a time.
inline const unsigned char* PutRun(BufferedOut& w, const std::array<uint8_t, 256>& classes,
                                   const unsigned char* p, const unsigned char* end) {
  char* o = w.position();
  char* const stop = o + w.Free();
  while (end - p >= 2 && o < stop) {
    while (end - p >= 2 && stop - o >= 2) {
      const uint32_t entry = kPairs[static_cast<unsigned>(p[0]) << 8 | p[1]];
      if (entry == 0) break;
      // Both bytes are stored; when only one is written the next step writes over the other.
      o[0] = static_cast<char>(entry & 0xFF);
      o[1] = static_cast<char>((entry >> 8) & 0xFF);
      o += (entry >> 16) & 0xFF;
      p += entry >> 24;
      if ((entry >> 16 & 0xFF) == 2) {
        // Then eight printable ASCII bytes without markup characters at a time.
        while (end - p >= 8 && stop - o >= 8) {
          uint64_t v;
          std::memcpy(&v, p, 8);
          if (!IsPlainWord(v)) break;
          std::memcpy(o, p, 8);
          o += 8;
          p += 8;
        }
      }
    }
    if (end - p < 2 || o >= stop) break;
    // One step for what the table leaves: a byte plain under this escaping only ('"' in text).
    const unsigned b = p[0];
    if (classes[b] != kCopy) break;
    *o++ = static_cast<char>(b);
    ++p;
  }
  if (end - p == 1 && o < stop && classes[*p] == kCopy) *o++ = static_cast<char>(*p++);
  w.set_position(o);
  return p;
}

// Writes the character at the front of [p, end), which is not ASCII; returns the new front.
inline const unsigned char* PutNonAscii(BufferedOut& w, const unsigned char* p, const unsigned char* end) {
  size_t size = 1;
  char32_t c =
      DecodeUtf8(std::string_view(reinterpret_cast<const char*>(p), static_cast<size_t>(end - p)), size);
  w.Character(c);
  return p + size;
}

}  // namespace

char32_t DecodeUtf8(std::string_view text, size_t& size) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  size = 1;
  unsigned char b = p[0];
  if (b < 0x80) return b;
  size_t length;
  char32_t c;
  char32_t minimum;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2, c = b & 0x1F, minimum = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3, c = b & 0x0F, minimum = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4, c = b & 0x07, minimum = 0x10000;
  } else {
    return 0xFFFD;
  }
  if (n < length) return 0xFFFD;
  for (size_t i = 1; i < length; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (p[i] & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0xFFFD;
  size = length;
  return c;
}

namespace {

// Writes `utf8` through `classes`: plain bytes and Cyrillic letters at once, other non-ASCII
// characters as code page 1251 or references, and each other ASCII byte through
// `put_ascii(w, p, end)`, which writes what the byte stands for and returns where to go on.
template <typename PutAscii>
void Translate(std::string& out, std::string_view utf8, const std::array<uint8_t, 256>& classes,
               PutAscii put_ascii) {
  BufferedOut w(out);
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  while (p < end) {
    w.Room();
    p = PutRun(w, classes, p, end);
    if (p == end) break;
    if (classes[*p] == kCopy) continue;  // the buffer was full
    w.Room();
    p = *p >= 0x80 ? PutNonAscii(w, p, end) : put_ascii(w, p, end);
  }
}

// The markup characters as entities; true when `b` is one of them.
bool PutMarkup(BufferedOut& w, unsigned char b) {
  switch (b) {
    case '<':
      w.Put("&lt;");
      return true;
    case '>':
      w.Put("&gt;");
      return true;
    case '"':
      w.Put("&quot;");
      return true;
    default:
      return false;
  }
}

}  // namespace

void AppendHtmlText(std::string& out, std::string_view utf8, Escape escape) {
  const auto& classes = escape == Escape::kAttribute ? kAttributeClasses : kTextClasses;
  Translate(out, utf8, classes, [](BufferedOut& w, const unsigned char* p, const unsigned char*) {
    if (*p == '&') {
      w.Put("&amp;");
    } else {
      PutMarkup(w, *p);  // anything else is a control character (or DEL): left out
    }
    return p + 1;
  });
}

void AppendConvertedHtml(std::string& out, std::string_view utf8, bool escape_markup) {
  const auto& classes = escape_markup ? kMarkupClasses : kPassClasses;
  Translate(out, utf8, classes, [](BufferedOut& w, const unsigned char* p, const unsigned char* end) {
    if (PutMarkup(w, *p)) return p + 1;
    switch (*p) {
      case '\t':
        w.Put('\t');
        break;
      case '\r':
        if (p + 1 < end && p[1] == '\n') ++p;
        w.Put("\r\n");
        break;
      case '\n':
        w.Put("\r\n");
        break;
      default:
        break;  // another control character (or DEL): left out
    }
    return p + 1;
  });
}

void ReserveOnHugePages(std::string& out, size_t more) {
  if (out.capacity() - out.size() >= more) return;
  out.reserve(std::max(out.capacity() * 4, out.size() + more));
  AdviseHugePages(out.data(), out.capacity());
}

void AppendNumber(std::string& out, int64_t value) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, static_cast<size_t>(end - digits));
}

void AppendHundredths(std::string& out, int64_t hundredths) {
  if (hundredths < 0) {
    out.push_back('-');
    hundredths = -hundredths;
  }
  AppendNumber(out, hundredths / 100);
  int64_t fraction = hundredths % 100;
  if (fraction == 0) return;
  out.push_back('.');
  out.push_back(static_cast<char>('0' + fraction / 10));
  if (fraction % 10 != 0) out.push_back(static_cast<char>('0' + fraction % 10));
}

void AppendColour(std::string& out, model::Colour colour) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out.push_back('#');
  for (int shift = 20; shift >= 0; shift -= 4) out.push_back(kHex[(colour >> shift) & 0xF]);
}

}  // namespace tessarine
