// Words of a document's text and of a converted page, for measuring how much text a page keeps.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tessarine::testing {

using WordCounts = std::map<std::string, long>;

// The words (runs of letters and digits, UTF-8) of a UTF-8 text.
WordCounts WordsOfText(std::string_view utf8);

// The words of a page's body: tags removed, entities decoded, code page 1251 read.
WordCounts WordsOfPage(std::string_view page);

// How many words of `reference` the `candidate` holds too (each counted at most as often).
long WordsKept(const WordCounts& reference, const WordCounts& candidate);

long WordCount(const WordCounts& words);

}  // namespace tessarine::testing
