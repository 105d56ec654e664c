// Substring searches tuned for RTF text. Control words make a backslash stand every few
// characters, so a search that stops at every occurrence of a pattern's first character (as
// std::string_view::find does) spends its time in calls; these search whole blocks instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessarine {

// 0-based offset of the first occurrence of `pattern` in `text` at or after `from`, exact case;
// npos when there is none (an empty pattern is found at `from`).
size_t FindExact(std::string_view text, std::string_view pattern, size_t from = 0);

// The same with ASCII letters compared without regard to their case.
size_t FindFolded(std::string_view text, std::string_view pattern, size_t from = 0);

// The same within text[from, to) (a `to` beyond the text counts as its end); an empty pattern
// is not found there.
size_t FindFolded(std::string_view text, std::string_view pattern, size_t from, size_t to);

// 0-based offset of the first character at or after `from` that is `a` or `b`; npos if none.
size_t FindEither(std::string_view text, char a, char b, size_t from = 0);

// 0-based offset of the first control character (below 0x20) other than tab, CR and LF at or
// after `from`; npos if none.
size_t FindControlCharacter(std::string_view text, size_t from = 0);

// Offers `accept` every offset from `from` on where the text holds `a` or `b`, in order, until
// it returns true; that offset, or npos when it accepts none. One scan in blocks however often
// the characters stand.
template <typename Accept>
size_t FindEitherWhere(std::string_view text, char a, char b, size_t from, Accept accept);

// The same for the characters `a`, `b` and `c`.
template <typename Accept>
size_t FindAnyOfThreeWhere(std::string_view text, char a, char b, char c, size_t from, Accept accept);

// Offers `accept` the offset of every backslash at or after `from` that no apostrophe follows
// (hex escapes "\'hh" left out), in order, until it returns true; that offset, or npos.
template <typename Accept>
size_t FindControlWhere(std::string_view text, size_t from, Accept accept);

// The same, offering the braces "{" and "}" too.
template <typename Accept>
size_t FindControlOrBraceWhere(std::string_view text, size_t from, Accept accept);

// Offers `accept` the offset of every backslash at or after `from` that one of the characters
// of `next` (at most eight) follows, in order, until it returns true; that offset, or npos.
template <typename Accept>
size_t FindBackslashBeforeWhere(std::string_view text, std::string_view next, size_t from, Accept accept);

namespace search_detail {
template <bool kBraces, typename Accept>
size_t ScanControls(std::string_view text, size_t from, Accept accept);
}  // namespace search_detail

namespace search_detail {

// Offers `accept` the offsets `base` + k for each bit k of `mask`, lowest first: the first it
// accepts, npos when it accepts none.
template <typename Accept>
size_t OfferHits(uint32_t mask, size_t base, Accept& accept) {
  for (; mask != 0; mask &= mask - 1) {
    const size_t at = base + static_cast<size_t>(__builtin_ctz(mask));
    if (accept(at)) return at;
  }
  return std::string_view::npos;
}

// Offsets from `from` to `last` (inclusive) where the byte is `a`, `b` or `c`, tried in order
// with `try_at`; the first offset it accepts is returned, npos when none is accepted.
template <typename Try>
size_t ScanBytes(const char* data, size_t from, size_t last, char a, char b, char c, Try try_at) {
  size_t i = from;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(a);
  const __m128i vb = _mm_set1_epi8(b);
  const __m128i vc = _mm_set1_epi8(c);
  while (i + 16 <= last + 1) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const auto mask = static_cast<uint32_t>(_mm_movemask_epi8(_mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(block, va), _mm_cmpeq_epi8(block, vb)), _mm_cmpeq_epi8(block, vc))));
    if (const size_t at = OfferHits(mask, i, try_at); at != std::string_view::npos) return at;
    i += 16;
  }
#endif
  for (; i <= last; ++i) {
    if ((data[i] == a || data[i] == b || data[i] == c) && try_at(i)) return i;
  }
  return std::string_view::npos;
}

}  // namespace search_detail

template <typename Accept>
size_t FindEitherWhere(std::string_view text, char a, char b, size_t from, Accept accept) {
  if (from >= text.size()) return std::string_view::npos;
  return search_detail::ScanBytes(text.data(), from, text.size() - 1, a, b, b, accept);
}

template <typename Accept>
size_t FindAnyOfThreeWhere(std::string_view text, char a, char b, char c, size_t from, Accept accept) {
  if (from >= text.size()) return std::string_view::npos;
  return search_detail::ScanBytes(text.data(), from, text.size() - 1, a, b, c, accept);
}

template <typename Accept>
size_t FindControlWhere(std::string_view text, size_t from, Accept accept) {
  return search_detail::ScanControls<false>(text, from, accept);
}

template <typename Accept>
size_t FindControlOrBraceWhere(std::string_view text, size_t from, Accept accept) {
  return search_detail::ScanControls<true>(text, from, accept);
}

template <typename Accept>
size_t FindBackslashBeforeWhere(std::string_view text, std::string_view next, size_t from, Accept accept) {
  const char* data = text.data();
  const size_t n = text.size();
  size_t i = from;
  const auto offered = [&](size_t at) {
    return at + 1 < n && data[at] == '\\' && next.find(data[at + 1]) != std::string_view::npos && accept(at);
  };
#if defined(__SSE2__)
  __m128i wanted[8];
  const size_t kinds = next.size() < 8 ? next.size() : 8;
  for (size_t k = 0; k < kinds; ++k) wanted[k] = _mm_set1_epi8(next[k]);
  const __m128i backslash = _mm_set1_epi8('\\');
  while (i + 17 <= n) {
    const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
    __m128i followed = _mm_setzero_si128();
    for (size_t k = 0; k < kinds; ++k) followed = _mm_or_si128(followed, _mm_cmpeq_epi8(after, wanted[k]));
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const auto mask =
        static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(here, backslash), followed)));
    if (const size_t at = search_detail::OfferHits(mask, i, accept); at != std::string_view::npos) return at;
    i += 16;
  }
#endif
  for (; i < n; ++i) {
    if (offered(i)) return i;
  }
  return std::string_view::npos;
}

namespace search_detail {

// The scan of FindControlWhere, with the braces too when `kBraces`.
template <bool kBraces, typename Accept>
size_t ScanControls(std::string_view text, size_t from, Accept accept) {
  const char* data = text.data();
  const size_t n = text.size();
  size_t i = from;
#if defined(__SSE2__)
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i apostrophe = _mm_set1_epi8('\'');
  const __m128i open = _mm_set1_epi8('{');
  const __m128i close = _mm_set1_epi8('}');
  while (i + 17 <= n) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
    __m128i hits = _mm_andnot_si128(_mm_cmpeq_epi8(next, apostrophe), _mm_cmpeq_epi8(here, backslash));
    if constexpr (kBraces) {
      hits = _mm_or_si128(hits, _mm_or_si128(_mm_cmpeq_epi8(here, open), _mm_cmpeq_epi8(here, close)));
    }
    const auto mask = static_cast<uint32_t>(_mm_movemask_epi8(hits));
    if (const size_t at = OfferHits(mask, i, accept); at != std::string_view::npos) return at;
    i += 16;
  }
#endif
  for (; i < n; ++i) {
    const bool hit = (data[i] == '\\' && (i + 1 == n || data[i + 1] != '\'')) ||
                     (kBraces && (data[i] == '{' || data[i] == '}'));
    if (hit && accept(i)) return i;
  }
  return std::string_view::npos;
}

}  // namespace search_detail

}  // namespace tessarine
