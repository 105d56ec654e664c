// Words, for telling whether a page keeps the text of a document.
//
// A word is a longest run of word characters: ASCII letters and digits, and every character
// from U+0080 up except spaces, punctuation and symbols (the Latin-1 signs U+0080 to U+00BF but
// the letters ª and º, × and ÷, the general punctuation block U+2000 to U+206F, U+FFFD and
// the byte order mark). Letters are compared without case for ASCII and Cyrillic (Ё, ё count
// as Е, е). So "Привет," and "привет" are one word; "e-mail" is two.
#pragma once

#include <string_view>

#include "choice/word_set.h"
#include "model/document.h"

namespace tessarine {

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
