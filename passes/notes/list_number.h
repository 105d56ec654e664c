// List-number groups with nested groups: the number written at the start of a list item.
#pragma once

#include <string_view>

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Converts a list-number group ("\pntext" or "\listtext" with nested groups). The control words
// and text in front of each nested group open the paragraph (or a span) and are written; the
// nested group is the number: written with "&nbsp;&nbsp;" after it when the item already has
// paragraphs, otherwise kept in ListCarryText for the item's paragraph text. Sets InListItem and
// ListPardPending once a number was written or carried, and clears InListItem again when text
// follows it. A group holding "\*\" writes nothing. `run_count` is a copy of the paragraph's
// counter.
void ConvertListNumberGroup(std::string_view group, int run_count, ConversionState& st);

}  // namespace tessarine
