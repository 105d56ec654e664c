#include "reader/text_decoder.h"

#include <cstring>

#include "base/cp1251.h"
#include "reader/tokens.h"

namespace tessarine::reader {

namespace {

// A character as its UTF-8 bytes (up to three, low byte first) and their count in the top byte;
// 0 for no character.
using Packed = uint32_t;

Packed Pack(char32_t c) {
  if (c < 0x20 || c == 0x7F) return c == '\t' ? Pack(' ') : 0;
  if (c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
  if (c < 0x80) return (1u << 24) | c;
  if (c < 0x800) return (2u << 24) | (0xC0 | (c >> 6)) | ((0x80 | (c & 0x3F)) << 8);
  return (3u << 24) | (0xE0 | (c >> 12)) | ((0x80 | ((c >> 6) & 0x3F)) << 8) | ((0x80 | (c & 0x3F)) << 16);
}

// Writes the bytes of `packed` at `dst` (three bytes, whatever its count: room for them is the
// caller's) and returns the position after its own.
inline char* Store(Packed packed, char* dst) {
  dst[0] = static_cast<char>(packed);
  dst[1] = static_cast<char>(packed >> 8);
  dst[2] = static_cast<char>(packed >> 16);
  return dst + (packed >> 24);
}

// The characters of single bytes: 0 for bytes that are no character alone. A single-byte code
// page has them in the table it built when opened; a double-byte one asks iconv for each byte.
std::array<char32_t, 256> SingleBytes(const CodePage& code_page) {
  std::array<char32_t, 256> out{};
  if (!code_page.double_byte()) {
    std::string bytes(256, '\0');
    for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
    const std::vector<CodePage::Character> chars = code_page.Decode(bytes);
    for (int b = 0; b < 256; ++b) out[b] = chars[b].value.value_or(0);
    return out;
  }
  std::vector<std::string> bytes;
  for (int b = 0; b < 256; ++b) bytes.emplace_back(1, static_cast<char>(b));
  std::vector<std::optional<char32_t>> chars = code_page.DecodeEach(bytes);
  for (int b = 0; b < 256; ++b) out[b] = chars[b].value_or(0);
  return out;
}

}  // namespace

size_t RawUtf8At(const char* p, const char* end, char bytes[4], size_t* length) {
  const auto first = static_cast<unsigned char>(*p);
  const size_t n = first >= 0xC2 && first <= 0xDF   ? 2
                   : first >= 0xE0 && first <= 0xEF ? 3
                   : first >= 0xF0 && first <= 0xF4 ? 4
                                                    : 0;
  if (n == 0) return 0;
  bytes[0] = static_cast<char>(first);
  char32_t value = first & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
  const char* q = p + 1;
  for (size_t k = 1; k < n; ++k) {
    while (q < end && (*q == '\r' || *q == '\n')) ++q;
    if (q >= end || (static_cast<unsigned char>(*q) & 0xC0) != 0x80) return 0;
    bytes[k] = *q;
    value = (value << 6) | (static_cast<unsigned char>(*q) & 0x3F);
    ++q;
  }
  // Overlong forms, surrogates and values past U+10FFFF are no characters.
  if ((n == 3 && value < 0x800) || (n == 4 && (value < 0x10000 || value > 0x10FFFF)) ||
      (value >= 0xD800 && value <= 0xDFFF)) {
    return 0;
  }
  *length = n;
  return static_cast<size_t>(q - p);
}

bool RawBytesAreUtf8(std::string_view rtf) {
  const char* p = rtf.data();
  const char* const end = p + rtf.size();
  bool any = false;
  while (p < end) {
    // Thirty-two ASCII bytes at a time, then eight.
    while (end - p >= 32) {
      uint64_t words[4];
      std::memcpy(words, p, sizeof words);
      if ((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ull) break;
      p += 32;
    }
    while (end - p >= 8) {
      uint64_t word;
      std::memcpy(&word, p, 8);
      if (word & 0x8080808080808080ull) break;
      p += 8;
    }
    if (p >= end) break;
    if (static_cast<unsigned char>(*p) < 0x80) {
      ++p;
      continue;
    }
    char bytes[4];
    size_t length = 0;
    const size_t taken = RawUtf8At(p, end, bytes, &length);
    if (taken == 0) return false;
    any = true;
    p += taken;
  }
  return any;
}

struct TextDecoder::Page {
  enum class Kind { kSingleByte, kDoubleByte, kUtf8 };
  int32_t number = 0;
  Kind kind = Kind::kSingleByte;
  std::array<Packed, 256> single{};  // every byte of a single-byte page; the non-lead bytes else
  // Double-byte pages: the lead bytes, and for each one used so far its trail bytes' characters.
  std::array<bool, 256> lead{};
  std::array<std::unique_ptr<std::array<char32_t, 256>>, 256> trails;
  std::optional<CodePage> code_page;
};

TextDecoder::TextDecoder() = default;
TextDecoder::~TextDecoder() = default;

void TextDecoder::SetDocumentPage(int32_t page) {
  if (page > 0) document_page_ = ReadablePage(page);
}

TextDecoder::Page& TextDecoder::Find(int32_t page) {
  if (page == kDocumentPage) page = document_page_;
  if (last_ != nullptr && last_->number == page) return *last_;
  for (const auto& known : pages_) {
    if (known->number == page) return *(last_ = known.get());
  }
  return *(last_ = &Build(page));
}

TextDecoder::Page& TextDecoder::Build(int32_t number) {
  auto page = std::make_unique<Page>();
  page->number = number;
  if (number == 65001) {
    page->kind = Page::Kind::kUtf8;
  } else if (number == 1251) {
    for (int b = 0; b < 256; ++b) page->single[b] = Pack(Cp1251ToUnicode(static_cast<unsigned char>(b)));
  } else if (IsSymbolPage(number)) {
    for (int b = 0; b < 256; ++b)
      page->single[b] = Pack(SymbolCharacter(number, static_cast<unsigned char>(b)));
  } else {
    // A code page iconv does not know is read as 1252, and failing that as Latin-1.
    page->code_page = CodePage::Open(number);
    if (!page->code_page) page->code_page = CodePage::Open(1252);
    std::array<char32_t, 256> chars{};
    if (page->code_page) {
      chars = SingleBytes(*page->code_page);
    } else {
      for (int b = 0; b < 256; ++b) chars[b] = static_cast<char32_t>(b);
    }
    const bool double_byte = IsDoubleBytePage(number) && page->code_page;
    if (double_byte) page->kind = Page::Kind::kDoubleByte;
    for (int b = 0; b < 256; ++b) {
      if (double_byte && b >= 0x81 && chars[b] == 0) page->lead[b] = true;
      page->single[b] = b >= 0x20 && chars[b] == 0 ? Pack(0xFFFD) : Pack(chars[b]);
    }
  }
  pages_.push_back(std::move(page));
  return *pages_.back();
}

void TextDecoder::Append(std::string_view text, int32_t page_number, std::string& out) {
  if (text.empty()) return;
  Page& page = Find(page_number);
  if (page.kind == Page::Kind::kDoubleByte) return AppendDoubleByte(page, text, out, raw_utf8());
  if (page.kind == Page::Kind::kUtf8) return AppendUtf8Bytes(text, out);
  // At most three bytes of UTF-8 for each byte of the text, and one more for the last store.
  if (scratch_.size() < 3 * text.size() + 1) scratch_.resize(3 * text.size() + 1);
  char* dst = scratch_.data();
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    auto c = static_cast<unsigned char>(*p);
    if (c == '\\' && end - p >= 4) {
      c = static_cast<unsigned char>(kHexValues[static_cast<unsigned char>(p[2])] * 16 +
                                     kHexValues[static_cast<unsigned char>(p[3])]);
      p += 4;
    } else if (c >= 0x80 && raw_utf8()) {
      size_t length = 0;
      const size_t taken = RawUtf8At(p, end, dst, &length);
      if (taken > 0) {
        p += taken;
        dst += length;
        continue;
      }
      ++p;
    } else {
      ++p;
    }
    dst = Store(page.single[c], dst);
  }
  out.append(scratch_.data(), static_cast<size_t>(dst - scratch_.data()));
}

size_t TextDecoder::AppendTextAt(std::string_view input, int32_t page_number, std::string& out) {
  Page& page = Find(page_number);
  if (page.kind != Page::Kind::kSingleByte) {
    const size_t length = TextLength(input);
    Append(input.substr(0, length), page_number, out);
    return length;
  }
  // Characters go through a buffer on the stack, appended whenever it fills.
  constexpr size_t kBuffer = 1024;
  char buffer[kBuffer];
  char* dst = buffer;
  bool measured = false;
  const char* const start = input.data();
  const char* const end = start + input.size();
  const char* p = start;
  while (p < end) {
    auto c = static_cast<unsigned char>(*p);
    if (c == '\\') {
      if (end - p < 4 || p[1] != '\'') break;
      const uint8_t high = kHexValues[static_cast<unsigned char>(p[2])];
      const uint8_t low = kHexValues[static_cast<unsigned char>(p[3])];
      if ((high | low) & kNotHex) break;
      c = static_cast<unsigned char>(high * 16 + low);
      p += 4;
    } else if (c == '{' || c == '}') {
      break;
    } else {
      size_t length = 0;
      const size_t taken = c >= 0x80 && raw_utf8() ? RawUtf8At(p, end, dst, &length) : 0;
      if (taken > 0) {
        p += taken;
        dst += length;
      } else {
        ++p;
        dst = Store(page.single[c], dst);
      }
      c = 0;  // stored
    }
    if (c != 0) dst = Store(page.single[c], dst);
    if (dst > buffer + kBuffer - 4) {
      if (!measured) {
        // A long text: room for the rest at once (as many bytes as it has), instead of the
        // string doubling and holding its old copy beside the new one.
        measured = true;
        const size_t rest = TextLength(std::string_view(p, static_cast<size_t>(end - p)));
        out.reserve(out.size() + static_cast<size_t>(dst - buffer) + rest);
      }
      out.append(buffer, static_cast<size_t>(dst - buffer));
      dst = buffer;
    }
  }
  out.append(buffer, static_cast<size_t>(dst - buffer));
  return static_cast<size_t>(p - start);
}

void TextDecoder::AppendDoubleByte(Page& page, std::string_view text, std::string& out, bool raw_utf8) {
  int lead = -1;
  if (raw_utf8) {
    // Plain UTF-8 characters between the code page's: each read on its own.
    const char* p = text.data();
    const char* const end = p + text.size();
    const char* run = p;
    while (p < end) {
      char bytes[4];
      size_t length = 0;
      const size_t taken = static_cast<unsigned char>(*p) >= 0x80 ? RawUtf8At(p, end, bytes, &length) : 0;
      if (taken == 0) {
        p += *p == '\\' && end - p >= 4 ? 4 : 1;
        continue;
      }
      AppendDoubleByte(page, std::string_view(run, static_cast<size_t>(p - run)), out, false);
      out.append(bytes, length);
      p += taken;
      run = p;
    }
    return AppendDoubleByte(page, std::string_view(run, static_cast<size_t>(end - run)), out, false);
  }
  TextUnits(text, [&](unsigned char b) {
    if (lead >= 0) {
      auto& trails = page.trails[lead];
      if (!trails) {
        std::vector<std::string> pairs;
        for (int t = 0; t < 256; ++t) pairs.push_back({static_cast<char>(lead), static_cast<char>(t)});
        std::vector<std::optional<char32_t>> chars = page.code_page->DecodeEach(pairs);
        trails = std::make_unique<std::array<char32_t, 256>>();
        for (int t = 0; t < 256; ++t) (*trails)[t] = chars[t].value_or(0xFFFD);
      }
      AppendCharacter((*trails)[b], page.number, out);
      lead = -1;
    } else if (page.lead[b]) {
      lead = b;
    } else {
      char bytes[3];
      out.append(bytes, static_cast<size_t>(Store(page.single[b], bytes) - bytes));
    }
  });
}

void TextDecoder::AppendUtf8Bytes(std::string_view text, std::string& out) {
  std::string bytes;
  TextUnits(text, [&bytes](unsigned char b) { bytes.push_back(static_cast<char>(b)); });
  size_t i = 0;
  while (i < bytes.size()) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    const size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    char32_t value = length == 1 ? c : length == 2 ? (c & 0x1F) : length == 3 ? (c & 0x0F) : (c & 0x07);
    bool valid = length > 0 && i + length <= bytes.size();
    for (size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      valid = (next & 0xC0) == 0x80;
      value = (value << 6) | (next & 0x3F);
    }
    const bool shortest = length <= 1 || (length == 2 && value >= 0x80) || (length == 3 && value >= 0x800) ||
                          (length == 4 && value >= 0x10000);
    if (valid && shortest) {
      AppendCharacter(value, 65001, out);
      i += length;
    } else {
      AppendCharacter(0xFFFD, 65001, out);
      ++i;
    }
  }
}

void TextDecoder::AppendCharacter(char32_t c, int32_t page, std::string& out) {
  if (IsSymbolPage(page) && c >= 0xF020 && c <= 0xF0FF)
    c = SymbolCharacter(page, static_cast<unsigned char>(c - 0xF000));
  if (c == '\t') c = ' ';
  if (c < 0x20 || c == 0x7F) return;
  AppendUtf8(out, c);
}

}  // namespace tessarine::reader
