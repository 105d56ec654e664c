#include "passes/scan/unicode_escapes.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/code_page.h"
#include "base/cp1251.h"
#include "passes/scan/decode_text.h"
#include "passes/scan/number.h"

namespace tessarine {

namespace {

// Offset of the first backslash at or after `from` that `next` follows, or npos. A plain walk:
// these pairs stand every few characters of a document, where a library search per pair would
// cost more in its calls than in its reading.
size_t FindEscape(std::string_view s, char next, size_t from) {
  for (size_t i = from; i + 1 < s.size(); ++i) {
    if (s[i + 1] == next && s[i] == '\\') return i;
  }
  return std::string_view::npos;
}

bool IsUnicodeEscapeAt(std::string_view s, size_t i) {
  return i + 2 < s.size() && s[i] == '\\' && s[i + 1] == 'u' && (IsDigit(s[i + 2]) || s[i + 2] == '-');
}

bool HasUnicodeEscape(std::string_view s) {
  for (size_t i = FindEscape(s, 'u', 0); i != std::string_view::npos; i = FindEscape(s, 'u', i + 1)) {
    if (IsUnicodeEscapeAt(s, i)) return true;  // may be an escaped backslash: rewriting is harmless
  }
  return false;
}

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
bool EndsControlWord(std::string_view s, size_t end) {
  size_t w = end;
  while (w > 0 && IsDigit(s[w - 1])) --w;
  if (w > 0 && s[w - 1] == '-') --w;
  const size_t letters_end = w;
  while (w > 0 && IsLetter(s[w - 1])) --w;
  return w < letters_end && w > 0 && s[w - 1] == '\\';
}

// Whether a control word or a brace stands directly before a hex escape.
bool HasHexEscapeAfterWordOrBrace(std::string_view s) {
  for (size_t i = FindEscape(s, '\'', 0); i != std::string_view::npos; i = FindEscape(s, '\'', i + 1)) {
    if (EndsControlWord(s, i) || (i > 0 && (s[i - 1] == '{' || s[i - 1] == '}'))) return true;
  }
  return false;
}

// Put before a hex escape that opens a run: "\loch" (the characters that follow are low-ANSI
// ones) means nothing to the converter.
constexpr std::string_view kNeutralWord = "\\loch ";

// Whether a control word stands directly before a line break that text follows. Only the first
// "\n" of a run of line breaks can follow a word, so the search goes on after the run.
bool HasWordBeforeLineBreakAndText(std::string_view s) {
  for (size_t i = s.find('\n'), after = 0; i != std::string_view::npos; i = s.find('\n', after)) {
    after = AfterLineBreaks(s, i);
    if (after >= s.size() || !StartsText(s[after])) continue;
    size_t end = i;
    while (end > 0 && s[end - 1] == '\r') --end;
    if (EndsControlWord(s, end)) return true;
  }
  return false;
}

// Control words that stand for one character of the text. Without rewriting, the converter
// takes them for formatting and drops the character ("c\rquote est" would read "cest").
struct SymbolWord {
  std::string_view word;
  char32_t character;
};
constexpr SymbolWord kSymbolWords[] = {
    {"lquote", 0x2018}, {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022},
};

// Control symbols that stand for characters: the non-breaking space "\~", which the converter
// would write as it stands, the non-breaking hyphen "\_" and the optional hyphen "\-" (nothing).
bool HasSymbol(std::string_view s) {
  // One walk over the backslashes instead of a search of the whole document per symbol.
  for (size_t i = s.find('\\'); i != std::string_view::npos && i + 1 < s.size(); i = s.find('\\', i + 1)) {
    const char c = s[i + 1];
    if (c == '~' || c == '_' || c == '-') return true;
    for (const SymbolWord& symbol : kSymbolWords) {
      if (symbol.word[0] == c && s.substr(i + 1).starts_with(symbol.word)) return true;
    }
  }
  return false;
}

// The code page the header declares with "\ansicpgN", when it is not 1251.
std::optional<CodePage> DeclaredCodePage(std::string_view s) {
  size_t at = s.find("\\ansicpg");
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

class Rewriter {
 public:
  Rewriter(std::string_view s, std::string& out, const std::optional<CodePage>& page)
      : s_(s), out_(out), page_(page) {}

  void Run() {
    out_.reserve(s_.size() + s_.size() / 8);
    while (i_ < s_.size()) {
      const char c = s_[i_];
      if (c == '{') {
        uc_stack_.push_back(uc_);
        out_.push_back(c);
        ++i_;
        MarkTextStart();
      } else if (c == '}') {
        if (!uc_stack_.empty()) {
          uc_ = uc_stack_.back();
          uc_stack_.pop_back();
        }
        out_.push_back(c);
        ++i_;
        MarkTextStart();
      } else if (c == '\\' && i_ + 1 < s_.size()) {
        Escape();
      } else {
        if (c != kReferenceMark) out_.push_back(c);  // the mark is the rewrite's own
        ++i_;
      }
    }
  }

 private:
  void Escape() {
    const char next = s_[i_ + 1];
    if (next == '\'') {
      HexEscapes();
    } else if (IsLetter(next)) {
      ControlWord();
    } else if (next == '~' || next == '_' || next == '-') {
      if (next == '~') AppendCharacter(0xA0, out_);
      if (next == '_') out_.push_back('-');
      i_ += 2;
    } else {
      out_.append(s_.substr(i_, 2));  // "\\", "\{", "\}" and other control symbols
      i_ += 2;
    }
  }

  // A run of "\'xx" escapes: read in the declared code page, or kept as written.
  void HexEscapes() {
    if (!page_) {
      size_t n = std::min<size_t>(4, s_.size() - i_);
      out_.append(s_.substr(i_, n));
      i_ += n;
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
      size_t n = std::min<size_t>(4, s_.size() - i_);
      out_.append(s_.substr(i_, n));
      i_ += n;
      return;
    }
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
    const long param = has_param ? ValueOf(s_.substr(param_start, j - param_start)) : 0;

    if (word == "u" && has_param) {
      if (j < s_.size() && s_[j] == ' ') ++j;  // the delimiter belongs to the escape
      long code = param < 0 ? param + 65536 : param;
      AppendCharacter(static_cast<char32_t>(code < 0 ? 0xFFFD : code), out_);
      i_ = j;
      SkipFallback();
      return;
    }
    if (!has_param) {
      for (const SymbolWord& symbol : kSymbolWords) {
        if (word != symbol.word) continue;
        if (j < s_.size() && s_[j] == ' ') ++j;
        AppendCharacter(symbol.character, out_);
        i_ = j;
        return;
      }
    }
    if (word == "uc" && has_param) uc_ = param < 0 ? 0 : param;
    if (word == "bin" && has_param && param > 0) {
      // Binary data is copied as it stands.
      if (j < s_.size() && s_[j] == ' ') ++j;
      size_t end = std::min(s_.size(), j + static_cast<size_t>(param));
      out_.append(s_.substr(i_, end - i_));
      i_ = end;
      return;
    }
    out_.append(s_.substr(i_, j - i_));
    i_ = j;
    // A line break ends the word as a space would; the converter only takes a space for the end
    // of the control words, so the first word of text after the break would be lost.
    if (size_t k = AfterLineBreaks(s_, j); k > j && k < s_.size() && StartsText(s_[k])) {
      out_.push_back(' ');
      i_ = k;
    } else if (IsHexEscapeAt(s_, j)) {
      // "\fs20\'cf\'f0\'e8": the escape ends the word; a space keeps the letters from being
      // read as more control text (the first word of the run would be lost).
      out_.push_back(' ');
    }
  }

  // A run that begins with a hex escape right after a brace ("{\'ce\'ef...") would be taken for
  // control text up to its first space; a neutral word with its delimiter in front makes the
  // escape the run's first character.
  void MarkTextStart() {
    if (IsHexEscapeAt(s_, i_)) out_ += kNeutralWord;
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
  long uc_ = 1;
  std::vector<long> uc_stack_;
};

}  // namespace

bool RewriteEscapes(std::string_view document, std::string& out) {
  std::optional<CodePage> page = DeclaredCodePage(document);
  if (!page && !HasUnicodeEscape(document) && !HasSymbol(document) &&
      !HasWordBeforeLineBreakAndText(document) && !HasHexEscapeAfterWordOrBrace(document)) {
    return false;
  }
  out.clear();
  Rewriter(document, out, page).Run();
  return true;
}

}  // namespace tessarine
