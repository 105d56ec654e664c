// The run writer of paragraphs whose formatting stands as bare control words: the paragraph
// opening for the first run, and for later runs spans for font, size and colour changes with
// the b, i and u elements kept in step with "\b0", "\i0" and "\ulnone".
#pragma once

#include <string_view>

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Writes to st.OutputText what the control text `head` of a run asks for (the run's own text is
// written by the caller afterwards).
// run_count 0: opens the paragraph ("<p>" or a p tag whose style names the font, size and
// colour, inherited or default when the run names none, and a non-left alignment), then "<b>",
// "<i>", "<u>" for the open flags and the run's own, and counts run_count up to 1.
// run_count > 0: the paragraph font, size and colour follow the run; a change closes the open
// span and opens a new one; the tags are closed and reopened (each followed by a line break) as
// the words "\b0", "\i0" and "\ulnone" in `head` say (found as HasFlagWord finds them: before a
// backslash, a space or the end of `head`). run_count is not changed.
void WriteTaggedRun(std::string_view head, int& run_count, ConversionState& st);

}  // namespace tessarine
