#include "reader/tokens.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>

#include "reader/keywords.h"

namespace tessarine::reader {

namespace {

// The bytes that end a run of text: the group braces and the backslash.
constexpr std::array<bool, 256> kEndsText = [] {
  std::array<bool, 256> ends{};
  ends['\\'] = ends['{'] = ends['}'] = true;
  return ends;
}();

constexpr std::array<bool, 256> kLetter = [] {
  std::array<bool, 256> letters{};
  for (int c = 'a'; c <= 'z'; ++c) letters[c] = letters[c - 'a' + 'A'] = true;
  return letters;
}();

inline bool IsLetter(unsigned char c) {
  return kLetter[c];
}
// The mask of the bytes of `v` that are ASCII letters: 0x80 in each of them. Lower case, then
// 'a' to 'z' (0x61 to 0x7A) among the bytes below 0x80: no step carries into the next byte.
inline uint64_t LetterBytes(uint64_t v) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  const uint64_t x = (v | (kOnes * 0x20)) & ~kHigh;
  return (x + kOnes * (0x80 - 0x61)) & (kOnes * (0x80 + 0x7A) - x) & ~v & kHigh;
}

// The eight bytes at `p`, read as one little-endian number.
inline uint64_t LoadEight(const char* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

// The mask of the bytes of `v` that are `byte` (0x80 in each), exact up to the first of them;
// bytes after it may be marked wrongly.
inline uint64_t ByteBytes(uint64_t v, char byte) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  const uint64_t x = v ^ (kOnes * static_cast<unsigned char>(byte));
  return (x - kOnes) & ~x & (kOnes * 0x80);
}

// Where the run of ASCII letters at `p` ends: eight bytes looked at together, so that words of
// every length take the same few steps.
inline const char* LettersEnd(const char* p, const char* end) {
  if constexpr (std::endian::native == std::endian::little) {
    while (end - p >= 8) {
      uint64_t v;
      std::memcpy(&v, p, 8);
      const uint64_t others = ~LetterBytes(v) & 0x8080808080808080ull;
      if (others != 0) return p + std::countr_zero(others) / 8;
      p += 8;
    }
  }
  while (p < end && IsLetter(static_cast<unsigned char>(*p))) ++p;
  return p;
}

inline bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

// The mask of the bytes of `v` that are ASCII digits: 0x80 in each of them.
inline uint64_t DigitBytes(uint64_t v) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  const uint64_t x = v & ~kHigh;
  return (x + kOnes * (0x80 - '0')) & (kOnes * (0x80 + '9') - x) & ~v & kHigh;
}

// The digits at `p`, eight bytes of which may be read, when there are at most seven: how many
// (0 to 7), with their value in `value`; 8 when there are eight or more (`value` untouched).
// Looked at and added up eight bytes at a time, so that numbers of every length take the same
// steps. Little-endian machines only.
inline size_t ShortNumberAt(const char* p, int64_t& value) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  uint64_t v;
  std::memcpy(&v, p, 8);
  const uint64_t others = ~DigitBytes(v) & kHigh;
  if (others == 0) return 8;
  const auto count = static_cast<size_t>(std::countr_zero(others) / 8);
  if (count == 0) return 0;
  // The digits' values, the first one the most significant, moved up so that zeros lead, then
  // joined in pairs, fours and eights.
  uint64_t t = (v & (kOnes * 0x0F)) << (8 * (8 - count));
  t = t * 10 + (t >> 8);
  t = (((t & 0x000000FF000000FFull) * (100 + (1000000ull << 32))) +
       (((t >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32)))) >>
      32;
  value = static_cast<int64_t>(t);
  return count;
}

// Where the run of ASCII digits at `p` ends, eight bytes at a time.
inline const char* DigitsEnd(const char* p, const char* end) {
  if constexpr (std::endian::native == std::endian::little) {
    while (end - p >= 8) {
      uint64_t v;
      std::memcpy(&v, p, 8);
      const uint64_t others = ~DigitBytes(v) & 0x8080808080808080ull;
      if (others != 0) return p + std::countr_zero(others) / 8;
      p += 8;
    }
  }
  while (p < end && IsDigit(static_cast<unsigned char>(*p))) ++p;
  return p;
}

// The packed prefix of the `size` letters at `start` (< `end`).
inline uint64_t PrefixAt(const char* start, size_t size, const char* end) {
  if (std::endian::native == std::endian::little && end - start >= 8) {
    // One load; the bytes after the word masked off.
    uint64_t prefix;
    std::memcpy(&prefix, start, sizeof prefix);
    return size >= 8 ? prefix : prefix & ((uint64_t{1} << (8 * size)) - 1);
  }
  return PackedPrefix(std::string_view(start, size));
}

// The parameter of a control word whose letters end at `p`: an optional signed number, then
// the space that delimits the word. Returns where they end; with `kRead`, gives the number in
// `*has_param` and `*param` (clamped to the range of int32_t).
template <bool kRead>
inline const char* ParameterEnd(const char* p, const char* end, bool* has_param, int32_t* param) {
  const bool negative = end - p >= 2 && *p == '-' && IsDigit(static_cast<unsigned char>(p[1]));
  if (negative) ++p;
  if (p < end && IsDigit(static_cast<unsigned char>(*p))) {
    if constexpr (kRead) {
      int64_t value = 0;
      size_t digits = 8;  // eight or more: read one by one
      if (std::endian::native == std::endian::little && end - p >= 8) digits = ShortNumberAt(p, value);
      if (digits < 8) {
        p += digits;
      } else {
        constexpr int64_t kLimit = std::numeric_limits<int32_t>::max();
        for (; p < end && IsDigit(static_cast<unsigned char>(*p)); ++p) {
          if (value <= kLimit) value = value * 10 + (*p - '0');
        }
        value = std::min(value, kLimit);
      }
      *has_param = true;
      *param = static_cast<int32_t>(negative ? -value : value);
    } else {
      p = DigitsEnd(p, end);
    }
  }
  if (p < end && *p == ' ') ++p;
  return p;
}

constexpr uint64_t kBinPrefix = PackedPrefix("bin");

}  // namespace

Token Tokenizer::Next() {
  SkipLineEnds();
  Token token;
  if (pos_ >= end_) return token;
  const char c = *pos_;
  if (c == '{' || c == '}') {
    ++pos_;
    token.kind = c == '{' ? TokenKind::kGroupOpen : TokenKind::kGroupClose;
    return token;
  }
  if (c == '\\' && !IsHexEscape(pos_, end_)) return ReadControl();
  token.kind = TokenKind::kText;
  token.text = Rest().substr(0, TextLength(Rest()));
  pos_ += token.text.size();
  return token;
}

size_t TextLength(std::string_view input) {
  const char* const start = input.data();
  const char* const end = start + input.size();
  const char* p = start;
  while (p < end) {
    const auto b = static_cast<unsigned char>(*p);
    if (!kEndsText[b]) {
      ++p;
    } else if (b == '\\' && IsHexEscape(p, end)) {
      p += 4;
    } else {
      break;
    }
  }
  return static_cast<size_t>(p - start);
}

Token Tokenizer::ReadControl() {
  // Scans with locals: stores to the members could alias the characters read.
  Token token;
  const char* p = pos_ + 1;  // after the backslash
  const char* const end = end_;
  if (p >= end) {
    pos_ = p;
    token.kind = TokenKind::kSymbol;
    return token;
  }
  const auto c = static_cast<unsigned char>(*p);
  if (!IsLetter(c)) {
    pos_ = p + 1;
    token.kind = TokenKind::kSymbol;
    token.symbol = c == '\r' ? '\n' : static_cast<char>(c);
    return token;
  }
  const char* const start = p;
  p = LettersEnd(p, end);
  token.kind = TokenKind::kWord;
  token.text = std::string_view(start, static_cast<size_t>(p - start));
  token.prefix = PrefixAt(start, token.text.size(), end);
  p = ParameterEnd<true>(p, end, &token.has_param, &token.param);
  if (token.text.size() == 3 && start[0] == 'b' && start[1] == 'i' && start[2] == 'n') {
    const int64_t count = std::min<int64_t>(std::max(token.param, 0), end - p);
    token = Token{};
    token.kind = TokenKind::kBinary;
    token.text = std::string_view(p, static_cast<size_t>(count));
    p += count;
  }
  pos_ = p;
  return token;
}

const Keyword* Tokenizer::NextKnownWord(bool* has_param, int32_t* param) {
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  const char* p = pos_;
  const char* const end = end_;
  for (;;) {
    if (p < end && (*p == '\r' || *p == '\n')) {
      ++p;
      continue;
    }
    if (end - p < 2 || *p != '\\' || !IsLetter(static_cast<unsigned char>(p[1]))) break;
    const char* const start = p + 1;
    if (std::endian::native == std::endian::little && end - start >= 16) {
      // The common word, of at most seven letters and as many digits: two loads, one probe.
      uint64_t v;
      std::memcpy(&v, start, 8);
      const uint64_t others = ~LetterBytes(v) & kHigh;
      if (others != 0) {
        const auto size = static_cast<size_t>(std::countr_zero(others) / 8);
        const uint64_t prefix = v & ((uint64_t{1} << (8 * size)) - 1);
        const Keyword* keyword = FindKeyword(start, size, KeywordKey(prefix, 0, size));
        const char* q = start + size;
        if (keyword != nullptr) {
          if (size == 3 && prefix == kBinPrefix) break;  // its data is a token of its own
          *has_param = false;
          *param = 0;
          pos_ = ParameterEnd<true>(q, end, has_param, param);
          return keyword;
        }
        // Where the next backslash is, found from the word's start alone. The word mostly ends
        // there: then the next word is read from there, without waiting for this one's letters
        // and digits to be counted; they only confirm it.
        const uint64_t first = ByteBytes(v, '\\');
        const uint64_t second = ByteBytes(LoadEight(start + 8), '\\') | (kHigh << 56);
        const auto gap = static_cast<size_t>(first != 0 ? std::countr_zero(first) / 8
                                                         : 8 + std::countr_zero(second) / 8) - size;
        const uint64_t after_digits = ~DigitBytes(LoadEight(q)) & kHigh;
        if (after_digits != 0) {
          const auto digits = static_cast<size_t>(std::countr_zero(after_digits) / 8);
          if (*q != '-' && digits + (q[digits] == ' ') == gap) {
            p = start + size + gap;
            continue;
          }
        }
      }
    }
    const char* const letters_end = LettersEnd(start, end);
    const auto size = static_cast<size_t>(letters_end - start);
    const uint64_t prefix = PrefixAt(start, size, end);
    const Keyword* keyword = FindKeyword(std::string_view(start, size), prefix);
    if (keyword != nullptr) {
      if (size == 3 && prefix == kBinPrefix) break;
      *has_param = false;
      *param = 0;
      pos_ = ParameterEnd<true>(letters_end, end, has_param, param);
      return keyword;
    }
    p = ParameterEnd<false>(letters_end, end, nullptr, nullptr);
  }
  pos_ = p;
  return nullptr;
}

void Tokenizer::SkipGroup() {
  size_t depth = 1;
  const char* p = pos_;
  while (p < end_) {
    const char c = *p;
    if (!kEndsText[static_cast<unsigned char>(c)]) {
      ++p;
      continue;
    }
    if (c == '{') {
      ++depth;
      ++p;
    } else if (c == '}') {
      ++p;
      if (--depth == 0) break;
    } else {  // a backslash: escaped characters are no braces, and "\bin" data is skipped whole
      ++p;
      if (p < end_ && !IsLetter(static_cast<unsigned char>(*p))) {
        ++p;
        continue;
      }
      pos_ = p - 1;
      const Token word = ReadControl();
      p = pos_;
      (void)word;
    }
  }
  pos_ = p;
}

void DropFallback(std::string_view* text, uint32_t* count, bool raw_utf8) {
  size_t i = 0;
  while (i < text->size() && *count > 0) {
    const auto c = static_cast<unsigned char>((*text)[i]);
    if (c == '\\') {
      i += 4;
      --*count;
    } else {
      if (c != '\r' && c != '\n') --*count;
      ++i;
      if (raw_utf8 && c >= 0xC0) {
        while (i < text->size() && (static_cast<unsigned char>((*text)[i]) & 0xC0) == 0x80) ++i;
      }
    }
  }
  text->remove_prefix(std::min(i, text->size()));
}

}  // namespace tessarine::reader
