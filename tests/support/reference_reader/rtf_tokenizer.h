// Splits RTF text into groups, control words, control symbols, hex bytes and text runs.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessarine::reference {

enum class TokenKind {
  kEnd,            // no input left
  kGroupOpen,      // "{"
  kGroupClose,     // "}"
  kControlWord,    // "\word" with an optional number; `word`, `has_param`, `param`
  kControlSymbol,  // "\" and one non-letter; `symbol` ("\" CR or LF gives '\n')
  kHexByte,        // "\'hh"; `byte`
  kText,           // a run of text bytes without CR and LF; `text`
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string_view word;  // the letters of a control word
  bool has_param = false;
  long param = 0;  // the number of a control word, clamped to +-2^30
  char symbol = 0;
  unsigned char byte = 0;
  std::string_view text;
};

// A cursor over the RTF text. Every call of Next consumes at least one byte until the end.
class Tokenizer {
 public:
  explicit Tokenizer(std::string_view rtf) : rtf_(rtf) {}

  // The next token. CR and LF between tokens are skipped; the space that ends a control word
  // is consumed with it. A "\'" without two hex digits is a control symbol '\''.
  Token Next();

  // Skips `count` raw bytes (the data of "\bin"), at most up to the end.
  void SkipBytes(long count);

  // 0-based offset of the next unread byte.
  size_t position() const { return pos_; }

 private:
  Token ReadControl();

  std::string_view rtf_;
  size_t pos_ = 0;
};

}  // namespace tessarine::reference
