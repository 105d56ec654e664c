// Characters of other code pages and of Unicode, expressed in code page 1251.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarine {

// A single- or double-byte code page that RTF names with "\ansicpgN", read through iconv.
class CodePage {
 public:
  // The code page numbered `number` (1252, 866, 10000 ...); nullopt when iconv does not know it.
  static std::optional<CodePage> Open(long number);

  struct Character {
    std::optional<char32_t> value;  // nullopt: the byte cannot be decoded
    size_t bytes = 1;               // how many bytes it took (2 for a double-byte character)
  };

  // True for the code pages whose characters may take two bytes (932, 936, 949, 950).
  bool double_byte() const { return double_byte_; }

  // The characters of the byte sequence `bytes`, in order. Double-byte code pages pair a lead
  // byte with the byte after it.
  std::vector<Character> Decode(std::string_view bytes) const;

  // The character of each of `sequences` read on its own: nullopt for a sequence that is not
  // exactly one character. One iconv session serves them all (for building tables).
  std::vector<std::optional<char32_t>> DecodeEach(const std::vector<std::string>& sequences) const;

 private:
  std::string name_;
  bool double_byte_ = false;
  std::vector<std::optional<char32_t>> single_;  // for single-byte pages: byte -> character
};

}  // namespace tessarine
