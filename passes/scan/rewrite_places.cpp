#include "passes/scan/rewrite_places.h"

#include <cstdint>

#include "passes/scan/decode_text.h"
#include "passes/scan/number.h"

namespace tessarine {

namespace {

// A letter, a digit or "-": what a control word's name or number ends with.
bool EndsWord(char c) {
  return IsLetter(c) || IsDigit(c) || c == '-';
}

bool IsRewritePlace(std::string_view s, size_t x) {
  const size_t n = s.size();
  const char c = s[x];
  if (c == '\r' || c == '\n') return x > 0 && EndsWord(s[x - 1]);
  if (c != '\\' || x + 1 >= n) return false;
  const char next = s[x + 1];
  if (next == '~' || next == '_' || next == '-') return true;
  if (next == '\'') {
    if (x == 0) return false;
    if (x >= 4 && s[x - 4] == '\\' && s[x - 3] == '\'' && s[x - 2] != '\\' && s[x - 1] != '\\') return false;
    return EndsWord(s[x - 1]) || s[x - 1] == '{' || s[x - 1] == '}';
  }
  if (x + 2 >= n) return false;
  const char second = s[x + 2];
  if (next == 'u') return IsDigit(second) || second == '-';
  if (next == 'l' || next == 'r') return second == 'q' || second == 'd';
  return next == 'b' && second == 'u';
}

#if defined(__SSE2__)
// IsRewritePlace for the sixteen places from `at` (4 <= at, at + 18 <= the size), as a mask.
uint32_t RewritePlaces(const char* at) {
  using rewrite_detail::Is;
  const __m128i ends_word = rewrite_detail::EndsWordBefore(at);
  const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  const __m128i line_break = _mm_and_si128(_mm_or_si128(Is(here, '\r'), Is(here, '\n')), ends_word);
  return static_cast<uint32_t>(
      _mm_movemask_epi8(_mm_or_si128(BackslashRewritePlaces(at, ends_word), line_break)));
}
#endif

}  // namespace

bool RewriteMayPassOver(std::string_view document) {
  // "\\uc", "\\bin", "\\\\", a hex escape with a backslash for a digit, a reference mark.
  const auto hazard_at = [&](size_t i) {
    const char c = document[i];
    if (c == kReferenceMark) return true;
    if (c != '\\') return false;
    const std::string_view rest = document.substr(i + 1);
    if (rest.starts_with("uc") || rest.starts_with("bin") || rest.starts_with('\\')) return true;
    return rest.starts_with('\'') &&
           ((rest.size() > 1 && rest[1] == '\\') || (rest.size() > 2 && rest[2] == '\\'));
  };
  const size_t n = document.size();
  size_t i = 0;
#if defined(__SSE2__)
  using rewrite_detail::Is;
  while (i + 20 <= n) {
    const auto load = [&](size_t k) {
      return _mm_loadu_si128(reinterpret_cast<const __m128i*>(document.data() + i + k));
    };
    const __m128i first = load(1), second = load(2), third = load(3);
    const __m128i backslash_digit =
        _mm_and_si128(Is(first, '\''), _mm_or_si128(Is(second, '\\'), Is(third, '\\')));
    const __m128i word =
        _mm_or_si128(_mm_and_si128(Is(first, 'u'), Is(second, 'c')),
                     _mm_and_si128(_mm_and_si128(Is(first, 'b'), Is(second, 'i')), Is(third, 'n')));
    const __m128i after_backslash = _mm_or_si128(_mm_or_si128(Is(first, '\\'), backslash_digit), word);
    const __m128i here = load(0);
    const __m128i hazard =
        _mm_or_si128(_mm_and_si128(Is(here, '\\'), after_backslash), Is(here, kReferenceMark));
    if (_mm_movemask_epi8(hazard) != 0) return false;
    i += 16;
  }
#endif
  for (; i < n; ++i) {
    if (hazard_at(i)) return false;
  }
  return true;
}

size_t NextRewritePlace(std::string_view document, size_t from) {
  const size_t n = document.size();
  size_t x = from;
#if defined(__SSE2__)
  for (; x < 4 && x < n; ++x) {
    if (IsRewritePlace(document, x)) return x;
  }
  while (x + 18 <= n) {
    const uint32_t mask = RewritePlaces(document.data() + x);
    if (mask != 0) return x + static_cast<size_t>(__builtin_ctz(mask));
    x += 16;
  }
#endif
  for (; x < n; ++x) {
    if (IsRewritePlace(document, x)) return x;
  }
  return std::string_view::npos;
}

}  // namespace tessarine
