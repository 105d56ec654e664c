#include "reader/style_sheet.h"

#include <vector>

#include "reader/ascii_case.h"
#include "reader/formatting.h"

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

void StyleSheet::Define(int32_t number, const GroupState& state, std::string_view name, int32_t based_on) {
  Style style;
  style.chars = state.chars;
  style.char_words = state.char_words;
  style.based_on = based_on == number ? -1 : based_on;
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

namespace {

// `style` takes from `base` what it has not given itself.
void TakeFromBase(Style& style, const Style& base) {
  style.chars = OverlayChars(base.chars, style.chars, style.char_words);
  if ((style.char_words & kWordFont) == 0) style.page = base.page;
  style.char_words |= base.char_words;
  if (style.character_style || base.character_style) return;
  ParagraphProps& to = style.paragraph;
  const ParagraphProps& from = base.paragraph;
  const uint16_t own = to.given;
  auto take = [own](uint16_t bit, auto& field, const auto& value) {
    if ((own & bit) == 0) field = value;
  };
  take(ParagraphProps::kGivenAlignment, to.alignment, from.alignment);
  take(ParagraphProps::kGivenLeft, to.left, from.left);
  take(ParagraphProps::kGivenRight, to.right, from.right);
  take(ParagraphProps::kGivenFirstLine, to.first_line, from.first_line);
  take(ParagraphProps::kGivenBefore, to.before, from.before);
  take(ParagraphProps::kGivenAfter, to.after, from.after);
  if ((own & ParagraphProps::kGivenHeading) == 0 && (from.given & ParagraphProps::kGivenHeading) != 0 &&
      to.heading == 0) {
    to.heading = from.heading;
  }
  take(ParagraphProps::kGivenList, to.list, from.list);
  take(ParagraphProps::kGivenListLevel, to.list_level, from.list_level);
  take(ParagraphProps::kGivenLineSpacing, to.line, from.line);
  take(ParagraphProps::kGivenLineSpacing, to.line_multiple, from.line_multiple);
  take(ParagraphProps::kGivenBorders, to.borders, from.borders);
  take(ParagraphProps::kGivenShading, to.shading, from.shading);
  take(ParagraphProps::kGivenShading, to.pattern, from.pattern);
  take(ParagraphProps::kGivenShading, to.pattern_back, from.pattern_back);
  take(ParagraphProps::kGivenTabs, to.tabs, from.tabs);
  take(ParagraphProps::kGivenTabs, to.tab_count, from.tab_count);
  to.given = static_cast<uint16_t>(own | (from.given & ~ParagraphProps::kGivenHeading));
  if ((own | from.given) & ParagraphProps::kGivenHeading) to.given |= ParagraphProps::kGivenHeading;
}

}  // namespace

void StyleSheet::ResolveBases() {
  // Each style is resolved once, after its base: a walk down the chain of unresolved bases,
  // then back up it. A chain that comes back to a style on it stops there.
  std::unordered_map<int32_t, bool> resolved;
  std::vector<int32_t> chain;
  for (auto& [number, style] : styles_) {
    if (resolved[number]) continue;
    chain.clear();
    int32_t at = number;
    for (;;) {
      auto it = styles_.find(at);
      if (it == styles_.end() || resolved[at]) break;
      resolved[at] = true;  // on the chain: a circle ends here
      chain.push_back(at);
      at = it->second.based_on;
      if (at < 0) break;
    }
    for (size_t i = chain.size(); i-- > 0;) {
      Style& derived = styles_.at(chain[i]);
      if (derived.based_on < 0) continue;
      auto base = styles_.find(derived.based_on);
      if (base != styles_.end() && base->first != chain[i]) TakeFromBase(derived, base->second);
    }
  }
}

const Style* StyleSheet::Find(int32_t number) const {
  auto it = styles_.find(number);
  return it == styles_.end() ? nullptr : &it->second;
}

}  // namespace tessarine::reader
