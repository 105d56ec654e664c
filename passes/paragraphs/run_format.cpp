#include "passes/paragraphs/run_format.h"

#include <cstdint>

#include "page/font_name.h"
#include "passes/scan/decode_text.h"
#include "passes/scan/number.h"
#include "passes/scan/scan.h"
#include "passes/scan/search.h"

namespace tessarine {

namespace {

// Whether the backslash at `at` is the second of an escaped pair "\\" (an odd number of
// backslashes stands right before it): then it starts text, not a word.
bool IsEscapedBackslash(std::string_view s, size_t at) {
  size_t before = 0;
  while (before < at && s[at - 1 - before] == '\\') ++before;
  return before % 2 == 1;
}

// Whether the flag word whose backslash stands at `at` ends at `after`: a backslash there always
// ends it; a space, or the end of `s`, when that backslash starts a word.
bool FlagWordEndsAt(std::string_view s, size_t at, size_t after) {
  if (after < s.size() && s[after] == '\\') return true;
  if (after < s.size() && s[after] != ' ') return false;
  return !IsEscapedBackslash(s, at);
}

}  // namespace

std::string_view AlignmentFor(char c) {
  switch (c) {
    case 'c':
      return "center";
    case 'j':
      return "justify";
    case 'l':
      return "left";
    case 'r':
      return "right";
    default:
      return {};
  }
}

bool HasFlagWord(std::string_view s, std::string_view word) {
  for (size_t at = FindExact(s, word); at != std::string_view::npos; at = FindExact(s, word, at + 1)) {
    if (FlagWordEndsAt(s, at, at + word.size())) return true;
  }
  return false;
}

OffWords FindOffWords(std::string_view s) {
  OffWords off;
  FindControlWhere(s, 0, [&](size_t at) {
    const std::string_view rest = s.substr(at);
    const auto is = [&](std::string_view word) {
      return rest.starts_with(word) && FlagWordEndsAt(s, at, at + word.size());
    };
    off.bold = off.bold || is("\\b0");
    off.italic = off.italic || is("\\i0");
    off.underline = off.underline || is("\\ulnone");
    return off.bold && off.italic && off.underline;
  });
  return off;
}

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

// Where the words a run format reads first stand in a run: 1-based positions of the first "\fs",
// "\f" and "\cf" followed by a digit (-1: none), and whether the flag words "\i", "\b" and "\ul"
// occur (as HasFlagWord finds them).
// Every one of them starts with a backslash, so one walk over the backslashes finds them all.
struct RunWords {
  long fs = -1;
  long f = -1;
  long cf = -1;
  bool italic = false;
  bool bold = false;
  bool underline = false;
};

RunWords FindRunWords(std::string_view s) {
  RunWords w;
  const char* data = s.data();
  const size_t n = s.size();
  auto at = [&](size_t i) { return i < n ? data[i] : '\0'; };
  // Hex escapes, the most of the backslashes in a run, start none of these words.
  FindControlWhere(s, 0, [&](size_t i) __attribute__((always_inline)) {
    const char c1 = at(i + 1);
    const char c2 = at(i + 2);
    if (c1 == 'f') {
      if (w.f < 0 && IsDigit(c2)) w.f = static_cast<long>(i) + 1;
      if (w.fs < 0 && c2 == 's' && IsDigit(at(i + 3))) w.fs = static_cast<long>(i) + 1;
    } else if (c1 == 'c') {
      if (w.cf < 0 && c2 == 'f' && IsDigit(at(i + 3))) w.cf = static_cast<long>(i) + 1;
    } else if (c1 == 'i') {
      w.italic = w.italic || FlagWordEndsAt(s, i, i + 2);
    } else if (c1 == 'b') {
      w.bold = w.bold || FlagWordEndsAt(s, i, i + 2);
    } else if (c1 == 'u') {
      w.underline = w.underline || (c2 == 'l' && FlagWordEndsAt(s, i, i + 3));
    }
    return w.fs > 0 && w.f > 0 && w.cf > 0 && w.italic && w.bold && w.underline;
  });
  return w;
}

}  // namespace

RunFormat ParseRunFormat(std::string_view s, const ConversionState& st) {
  RunFormat f;
  const RunWords words = FindRunWords(s);
  if (words.fs > 0) {
    long points = TwoDigitsAfter(s, words.fs, 3) / 2;
    if (points > 8) {
      long v = points - ValueOf(st.settings.umrazm);
      f.FontSize = v < 8 ? "8" : std::to_string(v);
    }
  }
  if (words.f > 0) f.FontName = FontNameFor(s, words.f, st);
  if (words.cf > 0) {
    long index = TwoDigitsAfter(s, words.cf, 3);
    if (index >= 0 && static_cast<size_t>(index) < st.ColourList.size()) f.Colour = st.ColourList[index];
  }
  if (words.italic) f.Italic = "italic";
  if (words.bold) f.Bold = "bold";
  if (words.underline) f.Underline = "underline";
  return f;
}

void AppendFontFamily(std::string& out, std::string_view name) {
  for (size_t i = 0; i < name.size();) {
    if (name.substr(i, 2) == "\\'" && i + 4 <= name.size()) {
      const char byte = HexEscapeByte(name.substr(i));
      AppendFontName(out, std::string_view(&byte, 1));
      i += 4;
    } else if (name[i] == kReferenceMark && name.substr(i + 1, 2) == "&#") {
      // A marked reference; the font table ends a name at the first ";", so at the end of the
      // name it may have lost its own.
      size_t end = i + 3;
      uint32_t value = 0;
      while (end < name.size() && end < i + 10 && name[end] >= '0' && name[end] <= '9') {
        value = value * 10 + static_cast<uint32_t>(name[end++] - '0');
      }
      const bool closed = end < name.size() && name[end] == ';';
      if (end > i + 3 && (closed || end == name.size()) && IsFontNameCharacter(value)) {
        out.append(name.substr(i + 1, end - i - 1)).push_back(';');
      }
      i = closed ? end + 1 : end;
    } else {
      // The characters up to the next backslash or mark, at once.
      size_t end = i + 1;
      while (end < name.size() && name[end] != '\\' && name[end] != kReferenceMark) ++end;
      AppendFontName(out, name.substr(i, end - i));
      i = end;
    }
  }
}

void ApplyFontTable(ConversionState& st, std::string_view group) {
  st.FontTableText = ParseFontTable(group);
  st.FontLookup = FontIndex(st.FontTableText);
}

}  // namespace tessarine
