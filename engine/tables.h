// Tables: the table at the front of the source, converted into a bordered HTML table.
#pragma once

#include "engine/conversion_state.h"

namespace tessarine {

// Converts the table at the front of st.Source (rows ending with "\row" and a row-end group,
// the last marked "\lastrow"), with column and row spans, and removes it from the source.
void ConvertTableRegion(ConversionState& st);

// Converts the table at the front of st.Source for paragraphs in the plain way: cells without
// spans, carrying the run formatting of their text.
void ConvertTableInText(ConversionState& st);

}  // namespace tessarine
