// RTF split into its tokens: group braces, control words, control symbols, text and the bytes of
// "\bin". A cursor over the document that never fails: every byte belongs to some token.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tessarine::reader {

struct Keyword;

// Byte -> the value of the hex digit (0 to 15), or kNotHex.
inline constexpr uint8_t kNotHex = 0x10;
inline constexpr std::array<uint8_t, 256> kHexValues = [] {
  std::array<uint8_t, 256> values{};
  values.fill(kNotHex);
  for (int c = 0; c < 10; ++c) values['0' + c] = static_cast<uint8_t>(c);
  for (int c = 0; c < 6; ++c) values['a' + c] = values['A' + c] = static_cast<uint8_t>(10 + c);
  return values;
}();

// The value (0 to 15) of the ASCII hex digit `c`; kNotHex for any other byte.
constexpr int HexValue(unsigned char c) {
  return kHexValues[c];
}

// True when `p` starts a "\'hh" escape that lies wholly before `end`.
inline bool IsHexEscape(const char* p, const char* end) {
  return end - p >= 4 && p[1] == '\'' &&
         ((kHexValues[static_cast<unsigned char>(p[2])] | kHexValues[static_cast<unsigned char>(p[3])]) &
          kNotHex) == 0;
}

enum class TokenKind : uint8_t {
  kEnd,         // no input left
  kGroupOpen,   // "{"
  kGroupClose,  // "}"
  kWord,        // "\letters" with an optional signed number: `text`, `has_param`, `param`
  kSymbol,      // "\" and one character that is no letter: `symbol` ("\" before CR or LF gives '\n',
                // "\'" without two hex digits gives '\'', a "\" that ends the input gives 0)
  kText,        // `text`: characters as written: plain bytes, "\'hh" escapes, and CR and LF, which
                // are no characters (TextUnits reads them)
  kBinary,      // `text`: the N bytes after "\binN" (fewer when the input ends first)
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  bool has_param = false;
  char symbol = 0;
  int32_t param = 0;      // clamped to the range of int32_t
  std::string_view text;  // kWord: the letters; kText, kBinary: the bytes
  uint64_t prefix = 0;    // kWord: its first eight letters packed (reader/keywords.h PackedPrefix)
};

class Tokenizer {
 public:
  explicit Tokenizer(std::string_view rtf)
      : begin_(rtf.data()), pos_(rtf.data()), end_(rtf.data() + rtf.size()) {}

  // The next token; kEnd at the end of the input (and ever after). CR and LF between tokens are
  // skipped; the one space that delimits a control word is consumed with it.
  Token Next();

  // Consumes everything up to and including the "}" that closes the group the last token is in
  // (or up to the end of the input), honouring escaped braces and "\bin" data. Linear in the
  // bytes skipped, whatever their nesting.
  void SkipGroup();

  // 0-based offset of the next unread byte.
  size_t position() const { return static_cast<size_t>(pos_ - begin_); }

  // For readers that decode text while they scan it (TextDecoder::AppendTextAt): true when the
  // next token is kText (CR and LF before it are skipped); Rest is the unread input, and
  // Advance(n) consumes n bytes of it (at most its size).
  bool AtText() {
    SkipLineEnds();
    if (pos_ >= end_) return false;
    const char c = *pos_;
    return (c != '\\' && c != '{' && c != '}') || (c == '\\' && IsHexEscape(pos_, end_));
  }
  std::string_view Rest() const { return std::string_view(pos_, static_cast<size_t>(end_ - pos_)); }
  void Advance(size_t n) { pos_ += n; }

  // For readers that act on control words as they scan them: consumes the control words at the
  // next bytes that no keyword names (reader/keywords.h), with their parameters and the line ends
  // between them. Then, when a control word other than "\bin" follows, consumes it too and
  // returns its entry, with its parameter as Next would give it (`has_param`, `param`); else
  // returns nullptr.
  const Keyword* NextKnownWord(bool* has_param, int32_t* param);
  // What the next token is, for readers that read text and control words in place (CR and LF
  // before it are skipped): kText as AtText says; kControlWord for "\" and a letter (a "\bin"
  // too, whose data NextKnownWord leaves to Next); kOther for the rest and at the end.
  enum class Peeked : uint8_t { kText, kControlWord, kOther };
  Peeked Peek() {
    SkipLineEnds();
    if (pos_ >= end_) return Peeked::kOther;
    const char c = *pos_;
    if (c == '{' || c == '}') return Peeked::kOther;
    if (c != '\\' || IsHexEscape(pos_, end_)) return Peeked::kText;
    return end_ - pos_ >= 2 && static_cast<unsigned char>((static_cast<unsigned char>(pos_[1]) | 0x20) - 'a') < 26
               ? Peeked::kControlWord
               : Peeked::kOther;
  }

 private:
  Token ReadControl();
  void SkipLineEnds() {
    const char* p = pos_;
    while (p < end_ && (*p == '\r' || *p == '\n')) ++p;
    pos_ = p;
  }

  const char* begin_;
  const char* pos_;
  const char* end_;
};

// How many bytes of `input` the kText token at its start takes: up to a brace or a backslash that
// starts no "\'hh" escape.
size_t TextLength(std::string_view input);

// Walks the characters of a kText token: calls `unit(byte)` for each plain byte and each
// "\'hh" escape in order, leaving out CR and LF.
template <typename Unit>
void TextUnits(std::string_view text, Unit&& unit) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const auto c = static_cast<unsigned char>(*p);
    if (c == '\\' && end - p >= 4) {
      unit(static_cast<unsigned char>(HexValue(static_cast<unsigned char>(p[2])) * 16 +
                                      HexValue(static_cast<unsigned char>(p[3]))));
      p += 4;
    } else {
      if (c != '\r' && c != '\n') unit(c);
      ++p;
    }
  }
}

// Removes the first `*count` characters (plain bytes and "\'hh" escapes, not CR and LF) from the
// front of the kText token `*text` and reduces `*count` by as many: the fallback of a "\u". With
// `raw_utf8`, a plain UTF-8 character counts as one.
void DropFallback(std::string_view* text, uint32_t* count, bool raw_utf8 = false);

}  // namespace tessarine::reader
