// The document's font table, as the flat entry text that run formats look font names up in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessarine {

// Rewrites the font-table group `table` ("{\fonttbl{\f0\fswiss Arial;}...}") into its entries
// "\f<number>\<name>**", in table order. The key is "\f", the font number's digits and "\";
// the name is the entry's text before the ";" that ends it, without the entry's control words
// (each with its one delimiter space) and nested groups; an entry whose own "}" comes before any
// ";" has an empty name. Escapes in names are kept as written. The walk stops at an entry
// without ";" or when fewer than 8 characters of the table are left.
std::string ParseFontTable(std::string_view table);

// Where each key "\f<digits>\" first occurs in a font entry text, for lookups by font number.
class FontIndex {
 public:
  FontIndex() = default;
  explicit FontIndex(std::string_view entries);

  // The 0-based offset in the entry text just after the first occurrence of `key`, or npos.
  size_t After(std::string_view key) const;

 private:
  // The key that ends just before offset `after` of the entry text.
  std::string_view KeyBefore(size_t after) const;

  std::string entries_;
  // Open addressing, a power of two long and at most half full: the offset after a key, or 0.
  // A few bytes per font, so tables of millions of fonts stay small and quick.
  std::vector<uint32_t> slots_;
};

}  // namespace tessarine
