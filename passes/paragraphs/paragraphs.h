// Paragraph conversion: a chunk of body text into HTML paragraphs.
#pragma once

#include <string>
#include <string_view>

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Converts the body text `chunk` (consumed) into paragraphs appended to st.OutputText. Each
// "\pard" at the front opens a paragraph; inside it the text before each group, groups without
// nested groups and complex groups are converted in turn. The first paragraph decides the way:
// when no "{" stands before its next "\pard" the rest goes to ConvertPlainParagraphs. A
// paragraph opened here stays open at the end of the chunk; the next chunk or the driver closes
// it. A remainder of fewer than 10 characters is not converted.
void ConvertParagraphs(std::string chunk, ConversionState& st);

// Converts a group without nested groups: a list-number group ("\pntext"), a list item's text,
// or a span. Groups containing "\*\" and empty ones write nothing. `run_count` is a copy:
// counting done here does not reach the caller.
void ConvertSimpleGroup(std::string_view group, int run_count, ConversionState& st);

// Writes the first group after a list number as the item's text (without the group's "{"; a
// group not beginning with "{" writes nothing) and ends the list item (InListItem cleared).
void ConvertListItemText(std::string_view group, int& run_count, ConversionState& st);

}  // namespace tessarine
