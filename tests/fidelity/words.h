// Words of a document's text and of a converted page, for measuring how much text a page keeps.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tessarine::testing {

using WordCounts = std::map<std::string, long>;

// A character of a word as WordsOfText counts it: an ASCII letter or digit, or any character
// from U+0080 up but NBSP, «, », ·, the general punctuation U+2000 to U+203F and U+FFFD.
bool IsWordCharacter(char32_t c);

// The words (runs of letters and digits, UTF-8) of a UTF-8 text.
WordCounts WordsOfText(std::string_view utf8);

// The words of a page's body: WordsOfText of PageText (page_text.h).
WordCounts WordsOfPage(std::string_view page);

// How many words of `reference` the `candidate` holds too (each counted at most as often).
long WordsKept(const WordCounts& reference, const WordCounts& candidate);

// How many distinct words of `reference` the `candidate` holds at least once.
long DistinctWordsKept(const WordCounts& reference, const WordCounts& candidate);

long WordCount(const WordCounts& words);

}  // namespace tessarine::testing
