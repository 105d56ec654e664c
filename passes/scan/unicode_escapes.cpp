#include "passes/scan/unicode_escapes.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/code_page.h"
#include "base/cp1251.h"
#include "base/huge_pages.h"
#include "passes/scan/decode_text.h"
#include "passes/scan/number.h"
#include "passes/scan/rewrite_places.h"
#include "passes/scan/search.h"

namespace tessarine {

namespace {

size_t AfterLineBreaks(std::string_view s, size_t i) {
  while (i < s.size() && (s[i] == '\r' || s[i] == '\n')) ++i;
  return i;
}

bool StartsText(char c) {
  return c != '\\' && c != '{' && c != '}' && c != ' ' && c != '\r' && c != '\n';
}

bool IsHexEscapeAt(std::string_view s, size_t i) {
  return i + 1 < s.size() && s[i] == '\\' && s[i + 1] == '\'';
}

// Whether the characters before `end` are a control word ("\" letters, an optional signed
// number).
inline bool EndsControlWord(std::string_view s, size_t end) {
  size_t w = end;
  while (w > 0 && IsDigit(s[w - 1])) --w;
  if (w > 0 && s[w - 1] == '-') --w;
  const size_t letters_end = w;
  while (w > 0 && IsLetter(s[w - 1])) --w;
  return w < letters_end && w > 0 && s[w - 1] == '\\';
}

// Put before a hex escape that opens a run: "\loch" (the characters that follow are low-ANSI
// ones) means nothing to the converter.
constexpr std::string_view kNeutralWord = "\\loch ";

// Control words that stand for one character of the text. Without rewriting, the converter
// takes them for formatting and drops the character ("c\rquote est" would read "cest").
struct SymbolWord {
  std::string_view word;
  char32_t character;
};
constexpr SymbolWord kSymbolWords[] = {
    {"lquote", 0x2018}, {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022},
};

// Whether `s` holds anything the rewrite changes, but a declared code page: a "\uN" escape
// (perhaps after an escaped backslash: rewriting is harmless then), a symbol word or a control
// symbol that stands for a character ("\~" the non-breaking space, which the converter would write
// as it stands, "\_" the non-breaking hyphen, "\-" the optional hyphen), a control word directly
// before a line break that text follows, or a control word or a brace directly before a hex
// escape. One walk over the backslashes and line feeds.
// FindEitherWhere(s, '\\', '\n', 0, accept) for an `accept` that refuses every backslash but
// the places of BackslashRewritePlaces (rewrite_places.h): the others are left out sixteen places
// at a time.
template <typename Accept>
size_t FindBackslashOrLineFeedWhere(std::string_view s, Accept accept) {
  const char* data = s.data();
  const size_t n = s.size();
  size_t i = 0;
#if defined(__SSE2__)
  const auto offer_each = [&](size_t to) {
    for (; i < to; ++i) {
      if ((data[i] == '\\' || data[i] == '\n') && accept(i)) return true;
    }
    return false;
  };
  if (n >= 4 + 18 && offer_each(4)) return i;
  while (n >= 4 + 18 && i + 18 <= n) {
    const char* const at = data + i;
    const __m128i line_feed = rewrite_detail::Is(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), '\n');
    const __m128i hits =
        _mm_or_si128(BackslashRewritePlaces(at, rewrite_detail::EndsWordBefore(at)), line_feed);
    const auto mask = static_cast<uint32_t>(_mm_movemask_epi8(hits));
    if (const size_t hit = search_detail::OfferHits(mask, i, accept); hit != std::string_view::npos)
      return hit;
    i += 16;
  }
#endif
  for (; i < n; ++i) {
    if ((data[i] == '\\' || data[i] == '\n') && accept(i)) return i;
  }
  return std::string_view::npos;
}

bool HasRewritable(std::string_view s) {
  const size_t n = s.size();
  size_t line_breaks_end = 0;  // the end of the last run of line breaks looked at
  auto rewritable_at = [&](size_t i) __attribute__((always_inline)) {
    if (s[i] == '\n') {
      // Only the first "\n" of a run of line breaks can follow a word.
      if (i < line_breaks_end) return false;
      line_breaks_end = AfterLineBreaks(s, i);
      if (line_breaks_end >= n || !StartsText(s[line_breaks_end])) return false;
      size_t end = i;
      while (end > 0 && s[end - 1] == '\r') --end;
      return EndsControlWord(s, end);
    }
    if (i + 1 >= n) return false;
    const char next = s[i + 1];
    if (next == '\'') {
      // Most hex escapes follow another one, which no control word can end.
      if (i >= 4 && s[i - 3] == '\'' && s[i - 4] == '\\' && s[i - 2] != '\\' && s[i - 1] != '\\')
        return false;
      if (i == 0) return false;
      const char before = s[i - 1];
      if (before == '{' || before == '}') return true;
      return (IsDigit(before) || IsLetter(before) || before == '-') && EndsControlWord(s, i);
    }
    if (next == '~' || next == '_' || next == '-') return true;
    if (i + 2 >= n) return false;
    const char second = s[i + 2];
    if (next == 'u') return IsDigit(second) || second == '-';
    if ((next == 'l' || next == 'r') && (second == 'q' || second == 'd')) {
      const std::string_view word = s.substr(i + 1);
      return word.starts_with(next == 'l' ? "lquote" : "rquote") ||
             word.starts_with(next == 'l' ? "ldblquote" : "rdblquote");
    }
    return next == 'b' && second == 'u' && s.substr(i + 1).starts_with("bullet");
  };
  return FindBackslashOrLineFeedWhere(s, rewritable_at) != std::string_view::npos;
}

// The code page the header declares with "\ansicpgN", when it is not 1251.
std::optional<CodePage> DeclaredCodePage(std::string_view s) {
  size_t at = FindExact(s, "\\ansicpg");
  if (at == std::string_view::npos) return std::nullopt;
  long number = ValueOf(s.substr(at + 8));
  if (number == 1251 || number <= 0) return std::nullopt;
  return CodePage::Open(number);
}

void AppendHexEscape(unsigned char byte, std::string& out) {
  static const char kDigits[] = "0123456789abcdef";
  out += "\\'";
  out.push_back(kDigits[byte >> 4]);
  out.push_back(kDigits[byte & 15]);
}

// Writes character `c` as text the converter decodes back to it: one it could take for a control
// word or a brace as a hex escape, one code page 1251 lacks as a marked reference.
void AppendCharacter(char32_t c, std::string& out) {
  if (c < 0x80 && c >= 0x20 && c != '{' && c != '}' && c != '\\') {
    out.push_back(static_cast<char>(c));
  } else if (int byte = UnicodeToCp1251(c); byte >= 0) {
    AppendHexEscape(static_cast<unsigned char>(byte), out);
  } else {
    out += kReferenceMark;
    out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
  }
}

// Walks the document once; what stays as it stands is copied a stretch at a time (from copied_
// to i_), and only the characters that change are written one by one.
class Rewriter {
 public:
  Rewriter(std::string_view s, std::string& out, const std::optional<CodePage>& page)
      : s_(s), out_(out), page_(page) {}

  // The whole walk; `pass_over`: over the stretches that cannot change, where the document
  // allows it.
  void Run(bool pass_over) {
    out_.reserve(s_.size() + s_.size() / 8);
    AdviseHugePages(out_.data(), out_.capacity());
    if (pass_over && !page_ && RewriteMayPassOver(s_)) {
      RunPassingOver();
    } else {
      while (i_ < s_.size()) Step();
    }
    Flush();
  }

 private:
  // One piece of the walk from i_: a brace, an escape, a reference mark or a run of text.
  void Step() {
    const char c = s_[i_];
    if (c == '{') {
      uc_stack_.push_back(uc_);
      ++i_;
      MarkTextStart();
    } else if (c == '}') {
      if (!uc_stack_.empty()) {
        uc_ = uc_stack_.back();
        uc_stack_.pop_back();
      }
      ++i_;
      MarkTextStart();
    } else if (c == '\\' && i_ + 1 < s_.size()) {
      Escape();
    } else if (c == kReferenceMark) {
      Flush();
      ++i_;  // the mark is the rewrite's own
      copied_ = i_;
    } else {
      SkipPlainRun();
    }
  }

  // The walk of a document RewriteMayPassOver allows: from each place that may change on, it
  // resumes at the last backslash before it (where the control word starts whose end a line break
  // or a hex escape may follow; every backslash starts a piece there), or where it stands, and
  // goes on piece by piece past the place. What it passes over stays as it stands.
  void RunPassingOver() {
    while (i_ < s_.size()) {
      const size_t place = NextRewritePlace(s_, i_);
      if (place == std::string_view::npos) {
        i_ = s_.size();
        return;
      }
      const size_t backslash = s_.substr(i_, place - i_).rfind('\\');
      if (backslash != std::string_view::npos) i_ += backslash;
      while (i_ <= place && i_ < s_.size()) Step();
    }
  }

  // Writes what stands between copied_ and i_, as it stands.
  void Flush() {
    out_.append(s_.substr(copied_, i_ - copied_));
    copied_ = i_;
  }

  void Escape() {
    const char next = s_[i_ + 1];
    if (next == '\'') {
      HexEscapes();
    } else if (IsLetter(next)) {
      ControlWord();
    } else if (next == '~' || next == '_' || next == '-') {
      Flush();
      if (next == '~') AppendCharacter(0xA0, out_);
      if (next == '_') out_.push_back('-');
      i_ += 2;
      copied_ = i_;
    } else {
      i_ += 2;  // "\\", "\{", "\}" and other control symbols stay
    }
  }

  // Passes over the characters from i_ up to the next brace, backslash or reference mark (or
  // the end).
  void SkipPlainRun() {
    ++i_;
    while (i_ < s_.size() && !IsRunEnd(s_[i_])) ++i_;
  }

  static bool IsRunEnd(char c) { return c == '{' || c == '}' || c == '\\' || c == kReferenceMark; }

  // A run of "\'xx" escapes: read in the declared code page, or kept as written.
  void HexEscapes() {
    if (!page_) {
      do {
        i_ += std::min<size_t>(4, s_.size() - i_);
      } while (IsHexEscapeAt(s_, i_));
      return;
    }
    std::string bytes;
    std::vector<size_t> starts;
    size_t j = i_;
    while (j + 3 < s_.size() && s_[j] == '\\' && s_[j + 1] == '\'' && IsHex(s_[j + 2]) && IsHex(s_[j + 3])) {
      starts.push_back(j);
      bytes.push_back(static_cast<char>(HexValue(s_[j + 2]) * 16 + HexValue(s_[j + 3])));
      j += 4;
    }
    if (bytes.empty()) {  // not a well-formed escape: keep it
      i_ += std::min<size_t>(4, s_.size() - i_);
      return;
    }
    Flush();
    size_t k = 0;
    for (const CodePage::Character& ch : page_->Decode(bytes)) {
      if (ch.value && (*ch.value >= 0x80 || static_cast<unsigned char>(bytes[k]) >= 0x80)) {
        AppendCharacter(*ch.value, out_);
      } else {
        out_.append(s_.substr(starts[k], 4 * ch.bytes));
      }
      k += ch.bytes;
    }
    i_ = j;
    copied_ = i_;
  }

  void ControlWord() {
    size_t j = i_ + 1;
    while (j < s_.size() && IsLetter(s_[j])) ++j;
    std::string_view word = s_.substr(i_ + 1, j - i_ - 1);
    size_t param_start = j;
    if (j < s_.size() && s_[j] == '-') ++j;
    size_t digits_start = j;
    while (j < s_.size() && IsDigit(s_[j])) ++j;
    const bool has_param = j > digits_start;
    // Only "\u", "\uc" and "\bin" read their number.
    const bool reads_param = has_param && (word == "u" || word == "uc" || word == "bin");
    const long param = reads_param ? ValueOf(s_.substr(param_start, j - param_start)) : 0;

    if (word == "u" && has_param) {
      Flush();
      if (j < s_.size() && s_[j] == ' ') ++j;  // the delimiter belongs to the escape
      long code = param < 0 ? param + 65536 : param;
      AppendCharacter(static_cast<char32_t>(code < 0 ? 0xFFFD : code), out_);
      i_ = j;
      SkipFallback();
      copied_ = i_;
      return;
    }
    if (!has_param && word.size() >= 6) {
      for (const SymbolWord& symbol : kSymbolWords) {
        if (word != symbol.word) continue;
        Flush();
        if (j < s_.size() && s_[j] == ' ') ++j;
        AppendCharacter(symbol.character, out_);
        i_ = j;
        copied_ = i_;
        return;
      }
    }
    if (word == "uc" && has_param) uc_ = param < 0 ? 0 : param;
    if (word == "bin" && has_param && param > 0) {
      // Binary data is copied as it stands.
      if (j < s_.size() && s_[j] == ' ') ++j;
      i_ = std::min(s_.size(), j + static_cast<size_t>(param));
      return;
    }
    i_ = j;
    // A line break ends the word as a space would; the converter only takes a space for the end
    // of the control words, so the first word of text after the break would be lost.
    if (size_t k = AfterLineBreaks(s_, j); k > j && k < s_.size() && StartsText(s_[k])) {
      Flush();
      out_.push_back(' ');
      i_ = k;
      copied_ = i_;
    } else if (IsHexEscapeAt(s_, j)) {
      // "\fs20\'cf\'f0\'e8": the escape ends the word; a space keeps the letters from being
      // read as more control text (the first word of the run would be lost).
      Flush();
      out_.push_back(' ');
    }
  }

  // A run that begins with a hex escape right after a brace ("{\'ce\'ef...") would be taken for
  // control text up to its first space; a neutral word with its delimiter in front makes the
  // escape the run's first character.
  void MarkTextStart() {
    if (!IsHexEscapeAt(s_, i_)) return;
    Flush();
    out_ += kNeutralWord;
  }

  // Skips the fallback characters that follow a "\uN" escape.
  void SkipFallback() {
    for (long k = 0; k < uc_ && i_ < s_.size(); ++k) {
      const char c = s_[i_];
      if (c == '{' || c == '}') return;
      if (c == '\\' && i_ + 1 < s_.size()) {
        if (s_[i_ + 1] == '\'') {
          i_ = std::min(s_.size(), i_ + 4);
        } else if (IsLetter(s_[i_ + 1])) {
          return;  // a control word ends the fallback
        } else {
          i_ += 2;
        }
      } else if (c == '\r' || c == '\n') {
        ++i_;
        --k;  // line breaks are not characters of the fallback
      } else {
        ++i_;
      }
    }
  }

  static bool IsHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
  static int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
  }

  std::string_view s_;
  std::string& out_;
  const std::optional<CodePage>& page_;
  size_t i_ = 0;
  size_t copied_ = 0;  // what stands from here to i_ is not yet written
  long uc_ = 1;
  std::vector<long> uc_stack_;
};

bool RewriteEscapes(std::string_view document, std::string& out, bool pass_over) {
  std::optional<CodePage> page = DeclaredCodePage(document);
  if (!page && !HasRewritable(document)) return false;
  out.clear();
  Rewriter(document, out, page).Run(pass_over);
  return true;
}

}  // namespace

bool RewriteEscapes(std::string_view document, std::string& out) {
  return RewriteEscapes(document, out, true);
}

bool RewriteEscapesStepByStep(std::string_view document, std::string& out) {
  return RewriteEscapes(document, out, false);
}

}  // namespace tessarine
