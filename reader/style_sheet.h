// The style sheet ("\stylesheet"): the formatting of each "\sN" paragraph style and "\csN"
// character style, applied where a paragraph or run names the style, and which styles are
// headings.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "reader/group_state.h"

namespace tessarine::reader {

struct Style {
  model::CharFormat chars;
  uint16_t char_words = 0;       // CharWords: the fields of `chars` the entry (or its bases) gave
  int32_t based_on = -1;         // "\sbasedonN"; -1: none
  int32_t page = kDocumentPage;  // the code page of the style's font
  ParagraphProps paragraph;      // unused for character styles
  bool character_style = false;
};

class StyleSheet {
 public:
  // Defines style `number` with the formatting its entry left in `state` and the entry's name
  // (UTF-8). A paragraph style without an outline level that is named as a heading ("heading 2",
  // "Заголовок 2", any letter case) is that heading. A later entry of the same number wins.
  // `based_on` is the style it is based on ("\sbasedonN"), or -1.
  void Define(int32_t number, const GroupState& state, std::string_view name, int32_t based_on);

  // At the style sheet's end: every style takes what its entry does not give from the style it
  // is based on, and that one from its own base, and so on (a circle of bases ends where it
  // closes). A heading named so is not passed on.
  void ResolveBases();

  // The style numbered `number`; nullptr when there is none.
  const Style* Find(int32_t number) const;

 private:
  std::unordered_map<int32_t, Style> styles_;
};

// The heading level (1 to 6) a style name gives, or 0: "heading N" and "Заголовок N" in any
// letter case.
int HeadingOfStyleName(std::string_view name);

}  // namespace tessarine::reader
