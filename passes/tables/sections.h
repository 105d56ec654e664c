// Multi-column sections, laid out as a borderless table with one cell per column.
#pragma once

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Converts the section at the front of st.Source (through the brace after its "\sect ", or the
// rest of the source) and removes it from the source.
void ConvertSection(ConversionState& st);

}  // namespace tessarine
