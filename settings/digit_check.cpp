#include "settings/digit_check.h"

namespace tessarine {

namespace {

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

}  // namespace

DigitCheck CheckTwoDigitBox(std::u16string_view text) {
  DigitCheck check{std::u16string(text), false};
  if (text.size() > 2) {
    check.text.pop_back();
  } else if (!text.empty() && (!IsDigit(text[0]) || (text.size() == 2 && !IsDigit(text[1])))) {
    check.text.clear();
    check.warn = true;
  }
  return check;
}

DigitCheck CheckOneDigitBox(std::u16string_view text) {
  DigitCheck check{std::u16string(text), false};
  if (text.size() > 1) {
    check.text.pop_back();
  } else if (text.size() == 1 && !IsDigit(text[0])) {
    check.text.clear();
  }
  return check;
}

}  // namespace tessarine
