#include "passes/scan/decode_text.h"

namespace tessarine {

namespace {

// The characters DecodeText does not copy as they stand.
struct SpecialTable {
  bool of[256] = {};
  constexpr SpecialTable() {
    for (char c : {'\\', '\r', '\n', '<', '>', '&', kReferenceMark}) of[static_cast<unsigned char>(c)] = true;
  }
};
constexpr SpecialTable kSpecial;

bool IsSpecial(char c) {
  return kSpecial.of[static_cast<unsigned char>(c)];
}

// Collects decoded text in a small block and appends it to `out` a block at a time, so that a
// run of hex escapes costs one append rather than one per character.
class BlockWriter {
 public:
  explicit BlockWriter(std::string& out) : out_(out) {}
  ~BlockWriter() { Flush(); }
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  void Put(char c) {
    if (size_ == sizeof block_) Flush();
    block_[size_++] = c;
  }
  void Put(std::string_view text) {
    if (text.size() > sizeof block_ - size_) {
      Flush();
      if (text.size() > sizeof block_ / 2) {
        out_.append(text);
        return;
      }
    }
    text.copy(block_ + size_, text.size());
    size_ += text.size();
  }
  // The output itself, everything put before now in it.
  std::string& Out() {
    Flush();
    return out_;
  }

 private:
  void Flush() {
    out_.append(block_, size_);
    size_ = 0;
  }

  std::string& out_;
  size_t size_ = 0;
  char block_[512];
};

bool StartsReference(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '#';
}

enum class Writes { kNothing, kCharacter, kDash, kReference };

// What the run holds at `i`: the length of the piece there, what it writes and the character it
// decodes to in `c` (the first one for the dash, "&" for a reference).
struct Piece {
  size_t length = 1;
  char c = 0;
  Writes writes = Writes::kCharacter;
};

Piece PieceAt(std::string_view s, size_t i) {
  const std::string_view rest = s.substr(i);
  const char c = rest[0];
  if (c == '\r' || c == '\n') return {1, 0, Writes::kNothing};
  if (size_t mark = ReferenceMarkLength(rest); mark > 0) return {mark, '&', Writes::kReference};
  if (c != '\\') return {1, c, Writes::kCharacter};
  if (rest.size() >= 2 && rest[1] == '\'') {
    if (rest.size() < 4) return {rest.size(), 0, Writes::kNothing};  // cut off by the end of the run: nothing
    return {4, HexEscapeByte(rest), Writes::kCharacter};
  }
  if (rest.size() >= 5 && rest[1] == 'e' && rest[4] == 'a') {
    return {rest.size() >= 8 ? 8 : rest.size(), '-', Writes::kDash};
  }
  if (rest.starts_with(kOpenBracePlaceholder)) return {4, '{', Writes::kCharacter};
  if (rest.starts_with(kCloseBracePlaceholder)) return {4, '}', Writes::kCharacter};
  return {1, '\\', Writes::kCharacter};
}

// The first character written after position `i` of the run, 0 when none is.
char NextCharacter(std::string_view s, size_t i) {
  while (i < s.size()) {
    if (!IsSpecial(s[i])) return s[i];
    const Piece piece = PieceAt(s, i);
    if (piece.writes != Writes::kNothing) return piece.c;
    i += piece.length;
  }
  return 0;
}

}  // namespace

size_t ReferenceMarkLength(std::string_view s) {
  if (s.size() < 5 || s[0] != kReferenceMark || s[1] != '&' || s[2] != '#') return 0;
  size_t end = 3;
  while (end < s.size() && end < 10 && s[end] >= '0' && s[end] <= '9') ++end;
  return end > 3 && end < s.size() && s[end] == ';' ? end + 1 : 0;
}

void AppendTextCharacter(char c, char next, std::string& out) {
  if (c == '<') {
    out.append("&lt;");
  } else if (c == '>') {
    out.append("&gt;");
  } else if (c == '&' && StartsReference(next)) {
    out.append("&amp;");
  } else {
    out.push_back(c);
  }
}

void DecodeText(std::string_view s, std::string& out_text) {
  BlockWriter block(out_text);
  const size_t n = s.size();
  size_t i = 0;
  while (i < n) {
    size_t plain = i;
    while (plain < n && !IsSpecial(s[plain])) ++plain;
    block.Put(s.substr(i, plain - i));
    i = plain;
    // Hex escapes of characters that are no markup, as most are, go straight into the block.
    while (i + 3 < n && s[i] == '\\' && s[i + 1] == '\'') {
      const char c = HexEscapeByte(s.substr(i));
      if (c == '<' || c == '>' || c == '&') break;
      block.Put(c);
      i += 4;
    }
    if (i >= n) break;
    if (!IsSpecial(s[i])) continue;
    std::string& out = block.Out();
    const Piece piece = PieceAt(s, i);
    switch (piece.writes) {
      case Writes::kNothing:
        break;
      case Writes::kCharacter:
        AppendTextCharacter(piece.c, piece.c == '&' ? NextCharacter(s, i + piece.length) : 0, out);
        break;
      case Writes::kDash:
        out.append("- ");
        break;
      case Writes::kReference:
        out.append(s.substr(i + 1, piece.length - 1));  // the reference the rewrite wrote
        break;
    }
    i += piece.length;
  }
}

}  // namespace tessarine
