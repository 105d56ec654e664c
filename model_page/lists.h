// List items: the marker the document shows, as the RTF pages write list numbers ("1." and two
// non-breaking spaces), in a paragraph indented by the item's level.
#pragma once

#include <cstdint>
#include <string>

#include "model/document.h"

namespace tessarine {

// Whether the paragraph is written as a list item, indented by its level. A heading stays a
// heading (writers number headings with lists; its marker, if any, is still written).
inline bool IsListItem(const model::ParagraphFormat& format) {
  return format.list >= 0 && format.heading == 0;
}

// The left margin of a list item in hundredths of a point, from `base` (the place's margin):
// the item's own left indent when it has one, otherwise 18 points for each level.
int64_t ListItemMargin(const model::ParagraphFormat& format, int64_t base);

// Appends the item's marker and two non-breaking spaces; nothing when it shows no marker.
void AppendListMarker(std::string& out, const model::ParagraphFormat& format);

}  // namespace tessarine
