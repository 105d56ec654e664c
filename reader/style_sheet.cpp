#include "reader/style_sheet.h"

#include "reader/ascii_case.h"

namespace tessarine::reader {

int HeadingOfStyleName(std::string_view name) {
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  // "Заголовок" and "заголовок" in UTF-8: the first letter in either case, the rest lower case.
  static constexpr std::string_view kRussianTail =
      "\xD0\xB0\xD0\xB3\xD0\xBE\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE\xD0\xBA ";
  size_t prefix = 0;
  if (StartsWithIgnoringCase(name, "heading ")) {
    prefix = 8;
  } else if ((name.starts_with("\xD0\x97") || name.starts_with("\xD0\xB7")) &&
             name.substr(2).starts_with(kRussianTail)) {
    prefix = 2 + kRussianTail.size();
  } else {
    return 0;
  }
  const std::string_view number = name.substr(prefix);
  if (number.size() != 1 || number[0] < '1' || number[0] > '6') return 0;
  return number[0] - '0';
}

void StyleSheet::Define(int32_t number, const GroupState& state, std::string_view name) {
  Style style;
  style.chars = state.chars;
  style.page = state.page;
  style.paragraph = state.paragraph;
  style.paragraph.in_table = false;
  style.paragraph.table_depth = 0;
  style.paragraph.style = number;
  style.character_style = state.character_style;
  if (!style.character_style && style.paragraph.heading == 0) {
    style.paragraph.heading = static_cast<int8_t>(HeadingOfStyleName(name));
  }
  styles_[number] = style;
}

const Style* StyleSheet::Find(int32_t number) const {
  auto it = styles_.find(number);
  return it == styles_.end() ? nullptr : &it->second;
}

}  // namespace tessarine::reader
