// Converting one paragraph whose formatting stands as bare control words ("\pard\f1\fs24 Text\par"
// rather than runs in groups), as simple writers produce it.
#pragma once

#include <string>

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Converts the paragraph text `chunk` (beginning at its "\pard", possibly after the line break
// or space of the paragraph boundary) into one paragraph appended to st.OutputText: the
// alignment from its first "\q", runs opened by WriteTaggedRun, groups without nested groups
// as spans, "\par" inside it as "<br>", and the closing tags of the open span and b, i, u
// elements (their flags stay set for the next paragraph). A chunk beginning with "\pard\plain"
// first resets the inherited font, size, colour and tags. Text directly after the opening word
// is the paragraph's first run. Consumes `chunk`, leaving the fewer than three characters it
// did not convert; updates the progress from what st.Source still holds.
void ConvertChunk(std::string& chunk, ConversionState& st);

}  // namespace tessarine
