// Tables: the table at the front of the source, converted into a bordered HTML table.
#pragma once

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Converts the table at the front of st.Source (rows ending with "\row" and a row-end group,
// the last marked "\lastrow"), with column and row spans, and removes it from the source. When
// no such mark ends the run of rows at the first "\trowd", that run is the table (see
// AssembleUnmarkedTable); text in front of such a run is first converted as paragraphs and the
// rows are left for the next call (control words alone there are dropped with the table).
// Removes at least one character whenever the source holds a "\trowd".
void ConvertTableRegion(ConversionState& st);

// Converts the table at the front of st.Source for paragraphs in the plain way: cells without
// spans, carrying the run formatting of their text.
void ConvertTableInText(ConversionState& st);

}  // namespace tessarine
