#include "model_page/text_encoding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// What the front of a text needs, byte by byte, for the run writer below: bit 0, a byte copied
// as it is under the escaping (printable ASCII but its markup characters); bits 1 and 2, the
// first byte of a letter U+0410 to U+044F (D0, D1); bits 3 and 4, a second byte of one (90 to
// BF after D0, 80 to 8F after D1).
enum : uint8_t { kPlain = 1, kLeadD0 = 2, kLeadD1 = 4, kSecondD0 = 8, kSecondD1 = 16 };

constexpr std::array<uint8_t, 256> MakeRunClasses(const std::array<uint8_t, 256>& classes) {
  std::array<uint8_t, 256> run{};
  for (int b = 0; b < 0x80; ++b) run[b] = classes[b] == kCopy ? kPlain : 0;
  run[0xD0] = kLeadD0;
  run[0xD1] = kLeadD1;
  for (int b = 0x90; b <= 0xBF; ++b) run[b] = kSecondD0;
  for (int b = 0x80; b <= 0x8F; ++b) run[b] = kSecondD1;
  return run;
}

constexpr std::array<uint8_t, 256> kTextRun = MakeRunClasses(kTextClasses);
constexpr std::array<uint8_t, 256> kAttributeRun = MakeRunClasses(kAttributeClasses);
constexpr std::array<uint8_t, 256> kMarkupRun = MakeRunClasses(kMarkupClasses);
constexpr std::array<uint8_t, 256> kPassRun = MakeRunClasses(kPassClasses);

const std::array<uint8_t, 256>& RunClassesOf(const std::array<uint8_t, 256>& classes) {
  if (&classes == &kAttributeClasses) return kAttributeRun;
  if (&classes == &kMarkupClasses) return kMarkupRun;
  if (&classes == &kPassClasses) return kPassRun;
  return kTextRun;
}

// Writes the plain bytes and letters U+0410 to U+044F at the front of the eight bytes at `p` to
// `o` (room for eight): how many input bytes that took (0 when the first needs more), `*o`
// moved past the output. The bytes' classes are looked up each on its own and their checks done
// for all eight at once, so the work does not wait on what each byte turned out to be.
inline size_t PutWindow(const std::array<uint8_t, 256>& run, const unsigned char* p, char*& o) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  uint64_t classes = 0;
#pragma GCC unroll 8
  for (int i = 0; i < 8; ++i) classes |= uint64_t{run[p[i]]} << (8 * i);
  const uint64_t plain = classes & kOnes;
  const uint64_t lead_d0 = (classes >> 1) & kOnes;
  const uint64_t lead_d1 = (classes >> 2) & kOnes;
  const uint64_t second_d0 = (classes >> 3) & kOnes;
  const uint64_t second_d1 = (classes >> 4) & kOnes;
  // A second byte after its first, and a first byte before its second (a first byte at the end
  // waits for the next window).
  const uint64_t seconds = (second_d0 & (lead_d0 << 8)) | (second_d1 & (lead_d1 << 8));
  const uint64_t leads = (lead_d0 & (second_d0 >> 8)) | (lead_d1 & (second_d1 >> 8));
  const uint64_t bad = ~(plain | seconds | leads) & kOnes;
  const size_t taken = bad == 0 ? 8 : static_cast<size_t>(std::countr_zero(bad) / 8);
  if (taken == 0) return 0;
  // D0 90..BF are bytes C0..EF, D1 80..8F bytes F0..FF: no byte carries into the next.
  uint64_t v;
  std::memcpy(&v, p, 8);
  v += (second_d0 & (lead_d0 << 8)) * 0x30 + (second_d1 & (lead_d1 << 8)) * 0x70;
  // Every byte is stored, each after the last one kept: the room is there, and a byte not kept
  // (a first byte of a letter, or one past `taken`) is written over by the next.
  const uint64_t kept = (~leads & kOnes) & (taken == 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * taken)) - 1);
  char* out = o;
#pragma GCC unroll 8
  for (int i = 0; i < 8; ++i) {
    *out = static_cast<char>(v >> (8 * i));
    out += (kept >> (8 * i)) & 1;
  }
  o = out;
  return taken;
}

#if defined(__SSE2__)
// The markup characters that are no plain bytes under each escaping, padded with bytes that are
// none either.
struct MarkupBytes {
  char bytes[4];
};

const MarkupBytes& MarkupOf(const std::array<uint8_t, 256>& classes) {
  static constexpr MarkupBytes kText{{'&', '<', '>', '\0'}};
  static constexpr MarkupBytes kAttribute{{'&', '<', '>', '"'}};
  static constexpr MarkupBytes kMarkup{{'<', '>', '"', '\0'}};
  static constexpr MarkupBytes kPass{{'\0', '\0', '\0', '\0'}};
  if (&classes == &kAttributeClasses) return kAttribute;
  if (&classes == &kMarkupClasses) return kMarkup;
  if (&classes == &kPassClasses) return kPass;
  return kText;
}

// PutWindow for sixteen bytes at once, with the processor's 16-byte compares.
inline size_t PutWindow16(const MarkupBytes& markup, const unsigned char* p, char*& o) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // Bytes from `low` to `low + span`, unsigned.
  auto in_range = [&v](int low, int span) {
    const __m128i x = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(low)));
    return _mm_cmpeq_epi8(_mm_min_epu8(x, _mm_set1_epi8(static_cast<char>(span))), x);
  };
  __m128i marks = _mm_cmpeq_epi8(v, _mm_set1_epi8(markup.bytes[0]));
  for (int i = 1; i < 4; ++i) marks = _mm_or_si128(marks, _mm_cmpeq_epi8(v, _mm_set1_epi8(markup.bytes[i])));
  const __m128i plain_bytes = _mm_andnot_si128(marks, in_range(0x20, 0x7E - 0x20));
  const __m128i lead_d0 = _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0xD0)));
  const __m128i lead_d1 = _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0xD1)));
  // Second bytes right after their first (the vector moved one byte up).
  const __m128i second_d0 = _mm_and_si128(in_range(0x90, 0xBF - 0x90), _mm_slli_si128(lead_d0, 1));
  const __m128i second_d1 = _mm_and_si128(in_range(0x80, 0x8F - 0x80), _mm_slli_si128(lead_d1, 1));
  const auto mask = [](__m128i m) { return static_cast<unsigned>(_mm_movemask_epi8(m)); };
  const unsigned seconds_d0 = mask(second_d0), seconds_d1 = mask(second_d1);
  const unsigned leads = (mask(lead_d0) & (seconds_d0 >> 1)) | (mask(lead_d1) & (seconds_d1 >> 1));
  const unsigned bad = ~(mask(plain_bytes) | seconds_d0 | seconds_d1 | leads) & 0xFFFFu;
  const auto taken = static_cast<unsigned>(std::countr_zero(bad | 0x10000u));
  if (taken == 0) return 0;
  const __m128i bytes = _mm_add_epi8(v, _mm_or_si128(_mm_and_si128(second_d0, _mm_set1_epi8(0x30)),
                                                     _mm_and_si128(second_d1, _mm_set1_epi8(0x70))));
  const unsigned kept = ~leads & ((1u << taken) - 1);
  if (kept == 0xFFFFu) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), bytes);
    o += 16;
    return 16;
  }
  alignas(16) char out[16];
  _mm_store_si128(reinterpret_cast<__m128i*>(out), bytes);
  char* w = o;
#pragma GCC unroll 16
  for (int i = 0; i < 16; ++i) {
    *w = out[i];
    w += (kept >> i) & 1;
  }
  o = w;
  return taken;
}
#endif

// Writes the plain bytes (class kCopy) and the letters U+0410 to U+044F, most of the documents'
// text, at the front of [p, end), as many as fit in the buffer; returns the new front, at the
// first character that needs more. Eight bytes at a time, then one character at a time near
// the end of the text or of the buffer.
inline const unsigned char* PutRun(BufferedOut& w, const std::array<uint8_t, 256>& classes,
                                   const unsigned char* p, const unsigned char* end) {
  const std::array<uint8_t, 256>& run = RunClassesOf(classes);
  char* o = w.position();
  char* const stop = o + w.Free();
#if defined(__SSE2__)
  const MarkupBytes& markup = MarkupOf(classes);
#endif
  for (;;) {
#if defined(__SSE2__)
    while (end - p >= 16 && stop - o >= 16) {
      const size_t taken = PutWindow16(markup, p, o);
      if (taken == 0) break;
      p += taken;
    }
#endif
    while (end - p >= 8 && stop - o >= 8) {
      const size_t taken = PutWindow(run, p, o);
      if (taken == 0) break;
      p += taken;
    }
    if (p == end || o == stop) break;
    const uint8_t first = run[*p];
    if (first & kPlain) {
      *o++ = static_cast<char>(*p++);
    } else if (end - p >= 2 && (((first & kLeadD0) && (run[p[1]] & kSecondD0)) ||
                                ((first & kLeadD1) && (run[p[1]] & kSecondD1)))) {
      *o++ = static_cast<char>(p[1] + ((first & kLeadD0) ? 0x30 : 0x70));
      p += 2;
    } else {
      break;
    }
  }
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
