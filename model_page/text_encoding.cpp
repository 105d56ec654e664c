#include "model_page/text_encoding.h"

#include <array>
#include <cstring>

#include "base/cp1251.h"

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

// Collects small writes in a buffer on the stack and hands them to the page in large appends.
class BufferedOut {
 public:
  explicit BufferedOut(std::string& out) : out_(out) {}
  ~BufferedOut() { Flush(); }
  BufferedOut(const BufferedOut&) = delete;
  BufferedOut& operator=(const BufferedOut&) = delete;

  void Put(char c) {
    if (used_ == kSize) Flush();
    buffer_[used_++] = c;
  }
  void Append(const char* data, size_t size) {
    if (size > kSize - used_) {
      Flush();
      if (size > kSize / 2) {
        out_.append(data, size);
        return;
      }
    }
    std::memcpy(buffer_ + used_, data, size);
    used_ += size;
  }
  void Append(std::string_view text) { Append(text.data(), text.size()); }
  void Reference(char32_t c) {
    char digits[16];
    size_t n = 0;
    uint32_t v = c;
    do {
      digits[n++] = static_cast<char>('0' + v % 10);
      v /= 10;
    } while (v != 0);
    Append("&#", 2);
    while (n > 0) Put(digits[--n]);
    Put(';');
  }
  void Flush() {
    out_.append(buffer_, used_);
    used_ = 0;
  }

 private:
  static constexpr size_t kSize = 1024;
  std::string& out_;
  size_t used_ = 0;
  char buffer_[kSize];
};

// Writes one character that is not ASCII: its code page 1251 byte, or a reference. C1 control
// characters are left out.
void PutCharacter(BufferedOut& w, char32_t c) {
  if (c >= 0x80 && c < 0xA0) return;
  int byte = UnicodeToCp1251(c);
  if (byte >= 0) {
    w.Put(static_cast<char>(byte));
  } else {
    w.Reference(c);
  }
}

// Takes a non-ASCII character off the front of [p, end) and writes it; returns the new front.
// The Cyrillic letters U+0410 to U+044F, most of the documents' text, are mapped directly.
const unsigned char* PutNonAscii(BufferedOut& w, const unsigned char* p, const unsigned char* end) {
  if (p + 1 < end) {
    unsigned char lead = p[0], next = p[1];
    if (lead == 0xD0 && next >= 0x90 && next <= 0xBF) {  // U+0410 to U+043F: bytes C0 to EF
      w.Put(static_cast<char>(next + 0x30));
      return p + 2;
    }
    if (lead == 0xD1 && next >= 0x80 && next <= 0x8F) {  // U+0440 to U+044F: bytes F0 to FF
      w.Put(static_cast<char>(next + 0x70));
      return p + 2;
    }
  }
  size_t size = 1;
  char32_t c =
      DecodeUtf8(std::string_view(reinterpret_cast<const char*>(p), static_cast<size_t>(end - p)), size);
  PutCharacter(w, c);
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

void AppendHtmlText(std::string& out, std::string_view utf8, Escape escape) {
  const auto& classes = escape == Escape::kAttribute ? kAttributeClasses : kTextClasses;
  BufferedOut w(out);
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  while (p < end) {
    const unsigned char* run = p;
    while (p < end && classes[*p] == kCopy) ++p;
    if (p != run) w.Append(reinterpret_cast<const char*>(run), static_cast<size_t>(p - run));
    if (p == end) break;
    switch (*p) {
      case '&':
        w.Append("&amp;", 5);
        break;
      case '<':
        w.Append("&lt;", 4);
        break;
      case '>':
        w.Append("&gt;", 4);
        break;
      case '"':
        w.Append("&quot;", 6);
        break;
      default:
        if (*p >= 0x80) {
          p = PutNonAscii(w, p, end);
          continue;
        }
        break;  // a control character (or DEL): left out
    }
    ++p;
  }
}

void AppendConvertedHtml(std::string& out, std::string_view utf8, bool escape_markup) {
  const auto& classes = escape_markup ? kMarkupClasses : kPassClasses;
  BufferedOut w(out);
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  while (p < end) {
    const unsigned char* run = p;
    while (p < end && classes[*p] == kCopy) ++p;
    if (p != run) w.Append(reinterpret_cast<const char*>(run), static_cast<size_t>(p - run));
    if (p == end) break;
    switch (*p) {
      case '<':
        w.Append("&lt;", 4);
        break;
      case '>':
        w.Append("&gt;", 4);
        break;
      case '"':
        w.Append("&quot;", 6);
        break;
      case '\t':
        w.Put('\t');
        break;
      case '\r':
        if (p + 1 < end && p[1] == '\n') ++p;
        w.Append("\r\n", 2);
        break;
      case '\n':
        w.Append("\r\n", 2);
        break;
      default:
        if (*p >= 0x80) {
          p = PutNonAscii(w, p, end);
          continue;
        }
        break;
    }
    ++p;
  }
}

void AppendNumber(std::string& out, int64_t value) {
  char digits[24];
  size_t n = 0;
  uint64_t v = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    digits[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  if (value < 0) out.push_back('-');
  while (n > 0) out.push_back(digits[--n]);
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
