// Words, for telling whether a page keeps the text of a document.
//
// A word is a longest run of word characters: ASCII letters and digits, and every character
// from U+0080 up except spaces, punctuation and symbols (the Latin-1 signs U+0080 to U+00BF but
// the letters ª and º, × and ÷, the general punctuation block U+2000 to U+206F, U+FFFD and
// the byte order mark). Letters are compared without case for ASCII and Cyrillic (Ё, ё count
// as Е, е). So "Привет," and "привет" are one word; "e-mail" is two.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "model/document.h"

namespace tessarine {

// The distinct words of some texts, each kept once, lower-cased.
class WordSet {
 public:
  bool Contains(std::string_view word) const { return words_.find(word) != words_.end(); }
  size_t size() const { return words_.size(); }
  // True when every word of this set is in `other`.
  bool IsSubsetOf(const WordSet& other) const;
  // True when every word of this set that `other` lacks is made of digits only.
  bool OnlyNumbersNotIn(const WordSet& other) const;
  // Up to `most` words of this set that `other` lacks, sorted (for telling what a page lost).
  std::vector<std::string> NotIn(const WordSet& other, size_t most) const;

  // Adds the words of UTF-8 text (bytes that are no UTF-8 end a word). A word in progress runs
  // on into the next call, so text split into runs of different formats gives whole words;
  // Break ends it.
  void AddText(std::string_view utf8);
  // Adds one character.
  void Add(char32_t c);
  void Break();

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
  };
  std::unordered_set<std::string, Hash, std::equal_to<>> words_;
  std::string current_;
};

// Adds the words of a page's body (code page 1251): tags are left out, and those that start a
// new line of the page's layout (p, br, td, tr, table, h1 to h6, hr, li, div) or a superscript
// or subscript (sup, sub) end a word; the character references and the entities &lt; &gt;
// &amp; &quot; &nbsp; are decoded.
void AddPageWords(std::string_view page, WordSet& words);

// Adds the words of a document model: its body and its notes, list markers included; every
// paragraph, cell, tab, line break, note mark and picture ends a word, and so does a change to
// or from superscript or subscript.
void AddDocumentWords(const model::Document& document, WordSet& words);

}  // namespace tessarine
