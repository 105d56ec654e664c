// Groups with nested groups: list numbers, footnotes, comments, hyperlink fields, bookmarks.
#pragma once

#include <string_view>

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Converts the complex group `group` (as ExtractGroup took it off the paragraph text) by its
// kind, in this order: list number, the text of a pending comment, hyperlink field, footnote,
// comment reference, group with bookmarks; groups of other kinds are dropped.
// `run_count` is a copy of the paragraph's counter.
void ConvertComplexGroup(std::string_view group, int run_count, ConversionState& st);

}  // namespace tessarine
