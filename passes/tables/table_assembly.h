// Table assembly: the rows of a table text between "<table border=1 width=90%>" and "</table>".
#pragma once

#include <string_view>

#include "passes/pipeline/conversion_state.h"
#include "passes/tables/table_geometry.h"

namespace tessarine {

// Closes a cell paragraph that an earlier table left open (st.TableFlag): "</p>", or
// "</span></p>" while a span is open, and a line break; clears st.TableFlag and st.SpanOpen.
void CloseLeftOverCell(ConversionState& st);

// Writes the table `table` (from the front of the working text through the brace that closes
// the end group of its "\lastrow" row): each row runs to its "\row" and the next "}" and goes
// to ConvertRow with the span lists; rows follow while "\lastrow" is still ahead. A row whose
// "\row" has no "}" after it ends the table.
void AssembleTable(std::string_view table, SpanList& colspans, SpanList& rowspans, ConversionState& st);

// Writes the table `table` for paragraphs in the plain way: each row runs to its "\row" and is
// cut to what lies between its first and second "\pard" (while no cell end follows the second)
// before ConvertSimpleRow.
void AssembleSimpleTable(std::string_view table, ConversionState& st);

}  // namespace tessarine
