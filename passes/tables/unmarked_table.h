// Tables whose last row carries no "\lastrow" mark: the run of rows at the front of the working
// text as a bordered table with one cell per "\cell".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "passes/pipeline/conversion_state.h"
#include "passes/tables/row_run.h"

namespace tessarine {

// Writes the rows `rows` (extents in `text`) as "<table border=1 width=90%>" ... "</table>".
// Each "\cell" ends a cell whose text is everything since the previous cell end (the first: since
// the row began), control words and ignorable groups left out; text after a row's last "\cell"
// makes one more cell. Column and row spans come from the "\cellx" boundaries and "\clvmgf" /
// "\clvmrg" marks of each row's first definition when every row has one boundary per cell in
// ascending order; otherwise every cell is plain. A cell merged into the one above is left out
// unless it has text. Cell paragraphs are closed in the cell: st.TableFlag stays clear.
void AssembleUnmarkedTable(std::string_view text, const std::vector<RowExtent>& rows, ConversionState& st);

// Appends the HTML of the cell text `rtf`: text and hex escapes decoded, "\par" and "\line" as
// "<br>", "\emdash" and "\endash" as "- ", "\tab" and "\nestcell" as a space, "\~" as "&nbsp;",
// the escaped-brace placeholders as braces, "<" and ">" escaped; other control words, braces,
// line breaks and the groups "{\*...}", "{\pict...}" and the like left out. Line breaks and
// spaces at its end are dropped, and a text of spaces only gives nothing.
void AppendCellText(std::string_view rtf, std::string& out);

}  // namespace tessarine
