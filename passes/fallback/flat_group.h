// Converting a group without nested groups, inside a paragraph of bare control words, into one
// span whose style names everything the group's leading control words set.
#pragma once

#include <string_view>

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// `chunk` begins with "{". Takes the group off the front of `chunk` (a group that the end of
// `chunk` leaves open takes all of it) and writes it to st.OutputText: a group with nested
// groups is dropped without output; otherwise, when run_count is 0, the paragraph is opened
// first (its inherited font, size and colour as style) and run_count counted up, then the
// group's text goes out in a span styled by its leading control words, "\par" as "<br>" and
// "\tab" as "&nbsp;&nbsp;".
void ConvertFlatGroup(std::string_view& chunk, int& run_count, ConversionState& st);

}  // namespace tessarine
