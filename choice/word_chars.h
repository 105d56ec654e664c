// Which characters make words, and letters compared without case, for telling whether a page
// shows the text of a document.
//
// A word is a longest run of word characters: ASCII letters and digits, and every character
// from U+0080 up except spaces, punctuation and symbols (the Latin-1 signs U+0080 to U+00BF but
// the letters ª and º, × and ÷, the general punctuation block U+2000 to U+206F, U+FFFD and
// the byte order mark). So "Привет," holds the word "Привет"; "e-mail" is two words.
#pragma once

namespace tessarine {

bool IsWordCharacter(char32_t c);

// `c` with ASCII and Cyrillic capitals made small, and Ё, ё as е: "Привет" and "привет" are one
// word. Other characters are returned as they are.
char32_t FoldLetter(char32_t c);

}  // namespace tessarine
