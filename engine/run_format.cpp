#include "engine/run_format.h"

#include "engine/number.h"
#include "engine/scan.h"
#include "engine/search.h"

namespace tessarine {

long FindNumberedWord(std::string_view s, std::string_view word) {
  size_t at = FindExact(s, word);
  while (at != std::string_view::npos) {
    size_t next = at + word.size();
    if (next < s.size() && IsDigit(s[next])) return static_cast<long>(at) + 1;
    at = FindExact(s, word, at + 1);
  }
  return -1;
}

namespace {

// The one or two digits after the word at 1-based `p` of length `word_size`.
long TwoDigitsAfter(std::string_view s, long p, size_t word_size) {
  size_t i = static_cast<size_t>(p - 1) + word_size;
  long n = s[i] - '0';
  if (i + 1 < s.size() && IsDigit(s[i + 1])) n = n * 10 + (s[i + 1] - '0');
  return n;
}

std::string FontNameFor(std::string_view s, long p, const ConversionState& st) {
  // The key is "\f", the font number's digits and a backslash.
  size_t i = static_cast<size_t>(p - 1) + 2;
  size_t digits_end = i;
  while (digits_end < s.size() && IsDigit(s[digits_end])) ++digits_end;
  std::string key = "\\f";
  key.append(s.substr(i, digits_end - i));
  key.push_back('\\');
  size_t after = st.FontLookup.After(key);
  if (after == std::string::npos) return "";
  std::string_view r = std::string_view(st.FontTableText).substr(after);
  long e = Pos("**", r);
  // " Cyr" counts only in front of the entry's "**" (it holds no "*", so it ends there too):
  // searching only the entry keeps each lookup from reading the rest of a large table.
  long cyr = Pos(" Cyr", e < 0 ? r : r.substr(0, static_cast<size_t>(e - 1)));
  if (cyr > 0 && (e < 0 || cyr < e)) e = cyr;
  if (e <= 0) return "";
  return std::string(r.substr(0, static_cast<size_t>(e - 1)));
}

}  // namespace

RunFormat ParseRunFormat(std::string_view s, const ConversionState& st) {
  RunFormat f;
  long p = FindNumberedWord(s, "\\fs");
  if (p > 0) {
    long points = TwoDigitsAfter(s, p, 3) / 2;
    if (points > 8) {
      long v = points - ValueOf(st.settings.umrazm);
      f.FontSize = v < 8 ? "8" : std::to_string(v);
    }
  }
  p = FindNumberedWord(s, "\\f");
  if (p > 0) f.FontName = FontNameFor(s, p, st);
  p = FindNumberedWord(s, "\\cf");
  if (p > 0) {
    long index = TwoDigitsAfter(s, p, 3);
    if (index >= 0 && static_cast<size_t>(index) < st.ColourList.size()) f.Colour = st.ColourList[index];
  }
  if (FindExact(s, "\\i\\") != std::string_view::npos) f.Italic = "italic";
  if (FindExact(s, "\\b\\") != std::string_view::npos) f.Bold = "bold";
  if (FindExact(s, "\\ul\\") != std::string_view::npos) f.Underline = "underline";
  return f;
}

void ApplyFontTable(ConversionState& st, std::string_view group) {
  st.FontTableText = ParseFontTable(group);
  st.FontLookup = FontIndex(st.FontTableText);
}

}  // namespace tessarine
