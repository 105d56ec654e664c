// A set of distinct words, kept as 64-bit hashes of their lower-cased UTF-8 so that adding the
// words of a large document costs no allocation per word. Words are built character by
// character: Add and AddText append to the word in progress, Break ends it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessarine {

class WordSet {
 public:
  // Whether the set also keeps the words themselves, to name them in NotIn (for tests and for
  // looking into one document; a large document has hundreds of thousands of distinct words).
  enum class Names { kNo, kKept };
  explicit WordSet(Names names = Names::kNo) : names_(names) {}

  // Whether `word`, lower-cased as the set keeps its words, is in the set.
  bool Contains(std::string_view word) const { return ContainsHash(HashOf(word)); }
  size_t size() const { return count_; }
  // True when every word of this set is in `other`.
  bool IsSubsetOf(const WordSet& other) const;
  // True when every word of this set that `other` lacks is made of digits only.
  bool OnlyNumbersNotIn(const WordSet& other) const;
  // Up to `most` words of this set that `other` lacks, sorted (for telling what a page lost);
  // none unless the set keeps its words' names.
  std::vector<std::string> NotIn(const WordSet& other, size_t most) const;

  // Adds the words of UTF-8 text (bytes that are no UTF-8 end a word). The word in progress runs
  // on into the next call, so text split into runs of different formats gives whole words.
  void AddText(std::string_view utf8);
  // Adds one character: a word character (words.h says which) to the word in progress, lower-
  // cased; any other character ends the word.
  void Add(char32_t c);
  // Appends bytes of an already lower-cased word character.
  void AppendFolded(std::string_view utf8) {
    for (char c : utf8) Append(c);
  }
  void Append(char c) {
    hash_ = (hash_ ^ static_cast<unsigned char>(c)) * kPrime;
    if (length_ < sizeof current_) current_[length_] = c;
    ++length_;
  }
  // Ends the word in progress, adding it to the set when it is new.
  void Break();

 private:
  static constexpr uint64_t kOffset = 14695981039346656037ull;  // FNV-1a
  static constexpr uint64_t kPrime = 1099511628211ull;
  static uint64_t HashOf(std::string_view word);
  bool ContainsHash(uint64_t hash) const;
  void Grow();

  Names names_;
  // Open addressing: a power-of-two table of hashes, 0 for an empty slot (no hash is 0).
  std::vector<uint64_t> slots_;
  size_t count_ = 0;
  // The distinct words (their first 64 bytes) with their hashes, for NotIn.
  std::vector<std::pair<uint64_t, std::string>> words_;
  std::vector<uint64_t> numbers_;  // hashes of the words made of digits only
  // The word in progress: its hash, its length, and its first bytes (enough to tell a number
  // and to name the word in NotIn).
  uint64_t hash_ = kOffset;
  size_t length_ = 0;
  char current_[64];
};

}  // namespace tessarine
