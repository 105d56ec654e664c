#include "tests/support/reference_reader/rtf_tokenizer.h"

namespace tessarine::reference {

namespace {

constexpr long kParamLimit = 1L << 30;

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

Token Tokenizer::Next() {
  while (pos_ < rtf_.size() && (rtf_[pos_] == '\r' || rtf_[pos_] == '\n')) ++pos_;
  Token token;
  if (pos_ >= rtf_.size()) return token;
  char c = rtf_[pos_];
  if (c == '{') {
    ++pos_;
    token.kind = TokenKind::kGroupOpen;
    return token;
  }
  if (c == '}') {
    ++pos_;
    token.kind = TokenKind::kGroupClose;
    return token;
  }
  if (c == '\\') return ReadControl();
  size_t end = rtf_.find_first_of("{}\\\r\n", pos_);
  if (end == std::string_view::npos) end = rtf_.size();
  token.kind = TokenKind::kText;
  token.text = rtf_.substr(pos_, end - pos_);
  pos_ = end;
  return token;
}

Token Tokenizer::ReadControl() {
  Token token;
  ++pos_;  // the backslash
  if (pos_ >= rtf_.size()) {
    token.kind = TokenKind::kControlSymbol;  // a backslash that ends the input stands for nothing
    return token;
  }
  char c = rtf_[pos_];
  if (!IsLetter(c)) {
    ++pos_;
    token.kind = TokenKind::kControlSymbol;
    token.symbol = (c == '\r') ? '\n' : c;
    if (c == '\r' && pos_ < rtf_.size() && rtf_[pos_] == '\n') ++pos_;
    if (c == '\'' && pos_ + 1 < rtf_.size()) {
      int high = HexValue(rtf_[pos_]);
      int low = HexValue(rtf_[pos_ + 1]);
      if (high >= 0 && low >= 0) {
        pos_ += 2;
        token.kind = TokenKind::kHexByte;
        token.byte = static_cast<unsigned char>(high * 16 + low);
      }
    }
    return token;
  }
  size_t start = pos_;
  while (pos_ < rtf_.size() && IsLetter(rtf_[pos_])) ++pos_;
  token.kind = TokenKind::kControlWord;
  token.word = rtf_.substr(start, pos_ - start);
  bool negative = false;
  if (pos_ + 1 < rtf_.size() && rtf_[pos_] == '-' && IsDigit(rtf_[pos_ + 1])) {
    negative = true;
    ++pos_;
  }
  if (pos_ < rtf_.size() && IsDigit(rtf_[pos_])) {
    token.has_param = true;
    long value = 0;
    while (pos_ < rtf_.size() && IsDigit(rtf_[pos_])) {
      if (value < kParamLimit) value = value * 10 + (rtf_[pos_] - '0');
      ++pos_;
    }
    if (value > kParamLimit) value = kParamLimit;
    token.param = negative ? -value : value;
  }
  if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_;
  return token;
}

void Tokenizer::SkipBytes(long count) {
  if (count <= 0) return;
  size_t left = rtf_.size() - pos_;
  pos_ += static_cast<size_t>(count) < left ? static_cast<size_t>(count) : left;
}

}  // namespace tessarine::reference
