// The checks that keep the settings dialog's number boxes to digits. Each runs after every
// change of a box's text; when it changes the text, putting it back is a change again, so the
// caller runs the check once more on the new text.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

struct DigitCheck {
  std::u16string text;  // the box's text after the check
  bool warn = false;  // show "Попытка ввода нецифрового символа!" CR LF "Вводите цифровые символы!"
};

// A 2-digit box: one character that is no digit empties the box with the warning; of two
// characters, the first that is no digit does the same; a longer text loses its last character
// without any test.
DigitCheck CheckTwoDigitBox(std::u16string_view text);

// The 1-digit box: one character that is no digit empties the box silently; a longer text loses
// its last character.
DigitCheck CheckOneDigitBox(std::u16string_view text);

}  // namespace tessarine
