// Paragraph conversion: a chunk of body text into HTML paragraphs.
#pragma once

#include <string>
#include <string_view>

#include "engine/conversion_state.h"

namespace tessarine {

// Converts the body text `chunk` (consumed) into paragraphs appended to st.OutputText. A
// paragraph opened here stays open at the end of the chunk; the next chunk or the driver
// closes it.
void ConvertParagraphs(std::string chunk, ConversionState& st);

// Converts a group without nested groups: a list-number group, a list item's text, or a span.
// `run_count` is a copy: counting done here does not reach the caller.
void ConvertSimpleGroup(std::string_view group, int run_count, ConversionState& st);

}  // namespace tessarine
