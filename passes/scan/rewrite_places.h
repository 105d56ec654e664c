// Where the escape rewrite (unicode_escapes.h) may change a document, so that it can pass over
// the stretches between those places instead of walking every character of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessarine {

// Whether the rewrite of `document` (read in code page 1251) may pass over stretches: it holds
// no "\uc" (every group's fallback is one character), no "\bin" (no data to pass over), no "\\",
// no hex escape with a backslash for a digit and no kReferenceMark. Then every backslash starts a
// piece of the walk (a control word or symbol, a hex escape), and nothing but the places
// NextRewritePlace finds can change.
bool RewriteMayPassOver(std::string_view document);

// The first place at or after `from` where the rewrite of such a document may change something,
// npos when there is none: a backslash that starts "\~", "\_", "\-", "\u" and a digit or "-",
// "\lq", "\ld", "\rq", "\rd" or "\bu"; a hex escape after a letter, a digit, "-" or a brace, but
// not right after another whole one; a CR or LF after a letter, a digit or "-" (the end of a
// control word's number or name). Blocks of sixteen characters are looked at together.
size_t NextRewritePlace(std::string_view document, size_t from);

#if defined(__SSE2__)
namespace rewrite_detail {

inline __m128i Is(__m128i block, char c) {
  return _mm_cmpeq_epi8(block, _mm_set1_epi8(c));
}

// The bytes from `low` to `high` (both below 0x80) of a block.
inline __m128i InRange(__m128i block, char low, char high) {
  return _mm_and_si128(_mm_cmpgt_epi8(block, _mm_set1_epi8(static_cast<char>(low - 1))),
                       _mm_cmplt_epi8(block, _mm_set1_epi8(static_cast<char>(high + 1))));
}

// Of the sixteen bytes before those from `at`: a letter, a digit or "-" (what a control word's
// name or number ends with).
inline __m128i EndsWordBefore(const char* at) {
  const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1));
  return _mm_or_si128(_mm_or_si128(InRange(before, '0', '9'), Is(before, '-')),
                      InRange(_mm_or_si128(before, _mm_set1_epi8(0x20)), 'a', 'z'));
}

}  // namespace rewrite_detail

// Of the sixteen places from `at`, those of NextRewritePlace that are backslashes, as a mask
// (bit k: at + k); `ends_word_before` is rewrite_detail::EndsWordBefore(at). The text from at - 4
// to at + 17 must be readable.
inline __m128i BackslashRewritePlaces(const char* at, __m128i ends_word_before) {
  using rewrite_detail::InRange;
  using rewrite_detail::Is;
  const auto load = [&](int k) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + k)); };
  const __m128i first = load(1), second = load(2), before = load(-1);
  // Most hex escapes follow another one, which no control word can end.
  const __m128i after_escape = _mm_andnot_si128(_mm_or_si128(Is(load(-2), '\\'), Is(before, '\\')),
                                                _mm_and_si128(Is(load(-4), '\\'), Is(load(-3), '\'')));
  const __m128i escape = _mm_andnot_si128(
      after_escape,
      _mm_and_si128(Is(first, '\''),
                    _mm_or_si128(ends_word_before, _mm_or_si128(Is(before, '{'), Is(before, '}')))));
  const __m128i symbol = _mm_or_si128(Is(first, '~'), _mm_or_si128(Is(first, '_'), Is(first, '-')));
  const __m128i unicode =
      _mm_and_si128(Is(first, 'u'), _mm_or_si128(InRange(second, '0', '9'), Is(second, '-')));
  const __m128i quote = _mm_and_si128(_mm_or_si128(Is(first, 'l'), Is(first, 'r')),
                                      _mm_or_si128(Is(second, 'q'), Is(second, 'd')));
  const __m128i bullet = _mm_and_si128(Is(first, 'b'), Is(second, 'u'));
  const __m128i after_backslash =
      _mm_or_si128(_mm_or_si128(escape, symbol), _mm_or_si128(unicode, _mm_or_si128(quote, bullet)));
  return _mm_and_si128(Is(load(0), '\\'), after_backslash);
}
#endif

}  // namespace tessarine
