// Table rows: the RTF text of one row into an HTML row "<tr>" ... "</tr>".
#pragma once

#include <string>
#include <string_view>

#include "passes/pipeline/conversion_state.h"
#include "passes/tables/table_geometry.h"

namespace tessarine {

// Converts a row of a table whose rows end with a group repeating the row definition. Cells
// come from the row's groups: the text after a group's first space up to "\cell" (several
// cells per group, or one cell over several groups); text outside groups is ignored except
// for "\q", which sets st.Alignment. Each opened cell takes one entry of `colspans` and of
// `rowspans`; a cell whose row span is 0 is not written. A group holding "\trowd" ends the row.
// A cell left open at the end of the row leaves st.TableFlag set and is not written.
void ConvertRow(std::string_view row, SpanList& colspans, SpanList& rowspans, ConversionState& st);

// The HTML of one piece of cell text: decoded text, with "<br>" for each "\par" (also found in
// "\pard"), after which the rest of that control word up to its space is skipped.
std::string ConvertCellText(std::string_view piece);

// Converts a row for paragraphs in the plain way: one plain "<td>" per "\cell"; a cell whose
// text lies in a group carries that group's font, size and colour as the paragraph style and
// its bold, italic and underline as elements. Touches neither st.TableFlag nor st.SpanOpen.
void ConvertSimpleRow(std::string_view row, ConversionState& st);

}  // namespace tessarine
