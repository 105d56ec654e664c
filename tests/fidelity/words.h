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

// The character an entity names, given the text between '&' and ';': lt, gt, amp, quot, nbsp
// (U+00A0), #N and #xN; 0 for any other.
char32_t DecodeEntity(std::string_view entity);

// The words (runs of letters and digits, UTF-8) of a UTF-8 text.
WordCounts WordsOfText(std::string_view utf8);

// The text of a page's body as UTF-8: code page 1251 read, tags replaced by a space, the
// character references and &lt; &gt; &amp; &quot; &nbsp; decoded. "" without a body.
std::string PageText(std::string_view page);

// The words of a page's body: WordsOfText of PageText.
WordCounts WordsOfPage(std::string_view page);

// How many words of `reference` the `candidate` holds too (each counted at most as often).
long WordsKept(const WordCounts& reference, const WordCounts& candidate);

// How many distinct words of `reference` the `candidate` holds at least once.
long DistinctWordsKept(const WordCounts& reference, const WordCounts& candidate);

long WordCount(const WordCounts& words);

}  // namespace tessarine::testing
