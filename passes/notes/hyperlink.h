// Hyperlink fields and groups with bookmarks.
#pragma once

#include <string>
#include <string_view>

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Converts a HYPERLINK field into a link appended to st.OutputText. `field` is the field group
// from the first "{" after "\field" on: the instruction group, then the result group. The
// target is the text of the instruction's groups without nested groups, except the one
// holding "HYPERLINK", written as the instruction spells it; the link text is the text of the
// result's groups without nested groups. A missing group gives an empty target or text.
void ConvertHyperlinkField(std::string_view field, ConversionState& st);

// The flat group a group with bookmarks comes down to: "{", the text before its first nested
// group, and the text after its last nested group through the closing brace. Every nested
// group goes, and so does any text between two of them. Empty when `group` (its first
// character aside) has no nested group.
std::string WithoutNestedGroups(std::string_view group);

// Converts a group holding bookmarks ("\*\bkmk") as the flat group WithoutNestedGroups gives,
// with the group's own formatting; writes nothing when that is empty. `run_count` is a copy.
void ConvertBookmarkGroup(std::string_view group, int run_count, ConversionState& st);

}  // namespace tessarine
