// Reading a page's HTML (code page 1251) as text: tag names, character references, where words
// end, and the body's text.
#pragma once

#include <string>
#include <string_view>

namespace tessarine::testing {

// The lower-case name of a tag given its text between '<' and '>': "p", "/p", "h1"; "" for
// anything else ("!--", "!DOCTYPE").
std::string TagName(std::string_view tag);

// The value of attribute `name` (lower case) in a tag's text, quoted or not, its references
// decoded into UTF-8; `*found` tells whether the tag has it.
std::string Attribute(std::string_view tag, std::string_view name, bool* found);

// The character an entity names, given the text between '&' and ';': #N, #xN and the names of
// HTML 4 for Latin-1, typography and a few more (nbsp, reg, eacute, mdash, trade ...); 0 for
// any other.
char32_t DecodeEntity(std::string_view entity);

// The character of the reference (DecodeEntity) at `i` of `s`, an '&' whose ';' follows within
// ten bytes, with `*next` set past the ';'; 0, `*next` untouched, when there is none. Looks at
// those few bytes only.
char32_t ReferenceAt(std::string_view s, size_t i, size_t* next);

// True for the tags after which a new line of the page starts: p, br, td, th, li, div, h1-h6.
bool StartsLine(std::string_view name);

// Which tags end a word, fed every tag of a page in order: those that start or end a line, a
// table or a list (StartsLine, tr, table, hr, ul, ol, img, their closing tags), and the <sup>
// and </sup> around the number the pages write after a note's link (word<a href="#n">..</a>
// <b><sup>1</sup></b>), so that the number does not join the word before it. Formatting tags
// (b, i, u, span, sup, sub, a, font) end no word: "м<sup>2</sup>" is one word.
class WordBreaks {
 public:
  // True when the tag (its text between '<' and '>') ends a word.
  bool AtTag(std::string_view tag);
  // Tells that text comes.
  void AtText() { after_link_ = false; }

 private:
  bool in_page_link_ = false;
  bool after_link_ = false;  // only tags since the end of an in-page link
  bool in_mark_ = false;
};

// The text of a page's body as UTF-8: code page 1251 read, references decoded, a space where
// WordBreaks ends a word, other tags and comments left out. "" without a body.
std::string PageText(std::string_view page);

}  // namespace tessarine::testing
