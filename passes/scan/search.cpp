#include "passes/scan/search.h"

#include <string.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "passes/scan/number.h"

namespace tessarine {

namespace {

// Longer patterns are searched by memmem, whose time does not grow with the pattern's length.
constexpr size_t kLongPattern = 32;

constexpr char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// How often a character stands in RTF text, roughly: braces are rarest, then letters seldom
// used in control words, then the rest; hex digits, digits, spaces and backslashes most often.
constexpr int CommonnessOf(char c) {
  if (c == '{' || c == '}') return 0;
  switch (Lower(c)) {
    case 'w':
    case 'k':
    case 'j':
    case 'q':
    case 'z':
    case 'x':
    case 'y':
    case 'v':
      return 1;
    case 'h':
    case 'g':
    case 'm':
    case 'o':
    case 'u':
    case 'p':
    case 'b':
      return 2;
    case 'a':
    case 'c':
    case 'd':
    case 'e':
    case 'f':
      return 4;
    default:
      break;
  }
  if (IsLetter(c)) return 3;
  if (c == '\\' || c == ' ' || IsDigit(c)) return 5;
  return 3;
}

struct CommonnessTable {
  unsigned char of[256] = {};
  constexpr CommonnessTable() {
    for (int i = 0; i < 256; ++i) of[i] = static_cast<unsigned char>(CommonnessOf(static_cast<char>(i)));
  }
};
constexpr CommonnessTable kCommonness;

inline int Commonness(char c) {
  return kCommonness.of[static_cast<unsigned char>(c)];
}

// The offset in `pattern` (not empty) of its rarest character, the first of equally rare ones.
inline size_t RarestAt(std::string_view pattern) {
  size_t anchor = 0;
  for (size_t i = 1; i < pattern.size(); ++i) {
    if (Commonness(pattern[i]) < Commonness(pattern[anchor])) anchor = i;
  }
  return anchor;
}

// Whether `pattern` stands at `at` (the text holds at least pattern.size() characters there).
inline bool MatchesFolded(const char* at, std::string_view pattern) {
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (Lower(at[i]) != Lower(pattern[i])) return false;
  }
  return true;
}

}  // namespace

size_t FindEither(std::string_view text, char a, char b, size_t from) {
  if (from >= text.size()) return std::string_view::npos;
  return search_detail::ScanBytes(text.data(), from, text.size() - 1, a, b, b, [](size_t) { return true; });
}

size_t FindExact(std::string_view text, std::string_view pattern, size_t from) {
  if (from > text.size()) return std::string_view::npos;
  if (pattern.empty()) return from;
  if (text.size() - from < pattern.size()) return std::string_view::npos;
  const char* data = text.data();
  if (pattern.size() == 1) {
    const void* found = std::memchr(data + from, pattern[0], text.size() - from);
    return found == nullptr ? std::string_view::npos : static_cast<size_t>(static_cast<const char*>(found) - data);
  }
  if (pattern.size() > kLongPattern) {
    const void* hit = memmem(data + from, text.size() - from, pattern.data(), pattern.size());
    return hit == nullptr ? std::string_view::npos : static_cast<size_t>(static_cast<const char*>(hit) - data);
  }
  // Candidates are the places where the pattern's rarest character and its last (or first)
  // character both stand, sixteen places at a time; each is checked in full. memmem would set
  // up its tables for every call, and its candidates are found by the leading backslash.
  const size_t m = pattern.size();
  const size_t a = RarestAt(pattern);
  const size_t b = a == m - 1 ? 0 : m - 1;
  const size_t last = text.size() - m;  // the last place the pattern can start
  size_t i = from;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(pattern[a]);
  const __m128i vb = _mm_set1_epi8(pattern[b]);
  while (i + 15 <= last) {
    const __m128i at_a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + a));
    const __m128i at_b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + b));
    auto mask = static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(at_a, va), _mm_cmpeq_epi8(at_b, vb))));
    while (mask != 0) {
      const size_t at = i + static_cast<size_t>(__builtin_ctz(mask));
      if (std::memcmp(data + at, pattern.data(), m) == 0) return at;
      mask &= mask - 1;
    }
    i += 16;
  }
#endif
  for (; i <= last; ++i) {
    if (data[i + a] == pattern[a] && data[i + b] == pattern[b] && std::memcmp(data + i, pattern.data(), m) == 0) {
      return i;
    }
  }
  return std::string_view::npos;
}

size_t FindFolded(std::string_view text, std::string_view pattern, size_t from) {
  if (from > text.size()) return std::string_view::npos;
  if (pattern.empty()) return from;
  if (text.size() - from < pattern.size()) return std::string_view::npos;
  // Candidates are the places where the pattern's rarest character and its last (or first)
  // character both stand, in either case, sixteen places at a time; each is checked in full.
  const size_t m = pattern.size();
  const size_t anchor = RarestAt(pattern);
  const size_t other = anchor == m - 1 ? 0 : m - 1;
  const auto lower = [](char c) { return IsLetter(c) ? Lower(c) : c; };
  const auto upper = [](char c) { return IsLetter(c) ? static_cast<char>(Lower(c) - 'a' + 'A') : c; };
  const char* data = text.data();
  const size_t last = text.size() - m;  // the last place the pattern can start
  size_t i = from;
#if defined(__SSE2__)
  const __m128i anchor_lower = _mm_set1_epi8(lower(pattern[anchor]));
  const __m128i anchor_upper = _mm_set1_epi8(upper(pattern[anchor]));
  const __m128i other_lower = _mm_set1_epi8(lower(pattern[other]));
  const __m128i other_upper = _mm_set1_epi8(upper(pattern[other]));
  while (i + 15 <= last) {
    const __m128i at_anchor = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + anchor));
    const __m128i at_other = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + other));
    const __m128i anchor_hits =
        _mm_or_si128(_mm_cmpeq_epi8(at_anchor, anchor_lower), _mm_cmpeq_epi8(at_anchor, anchor_upper));
    const __m128i other_hits =
        _mm_or_si128(_mm_cmpeq_epi8(at_other, other_lower), _mm_cmpeq_epi8(at_other, other_upper));
    auto mask = static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(anchor_hits, other_hits)));
    while (mask != 0) {
      const size_t at = i + static_cast<size_t>(__builtin_ctz(mask));
      if (MatchesFolded(data + at, pattern)) return at;
      mask &= mask - 1;
    }
    i += 16;
  }
#endif
  for (; i <= last; ++i) {
    if (MatchesFolded(data + i, pattern)) return i;
  }
  return std::string_view::npos;
}

size_t FindFolded(std::string_view text, std::string_view pattern, size_t from, size_t to) {
  if (pattern.empty()) return std::string_view::npos;
  return FindFolded(text.substr(0, std::min(to, text.size())), pattern, from);
}

size_t FindControlCharacter(std::string_view text, size_t from) {
  const auto is_control = [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n';
  };
  const char* data = text.data();
  const size_t n = text.size();
  size_t i = from;
#if defined(__SSE2__)
  const __m128i highest = _mm_set1_epi8(0x1F);
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  while (i + 16 <= n) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const __m128i low = _mm_cmpeq_epi8(_mm_min_epu8(block, highest), block);
    const __m128i allowed =
        _mm_or_si128(_mm_cmpeq_epi8(block, tab), _mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
    const auto mask = static_cast<uint32_t>(_mm_movemask_epi8(_mm_andnot_si128(allowed, low)));
    if (mask != 0) return i + static_cast<size_t>(__builtin_ctz(mask));
    i += 16;
  }
#endif
  for (; i < n; ++i) {
    if (is_control(data[i])) return i;
  }
  return std::string_view::npos;
}

}  // namespace tessarine
