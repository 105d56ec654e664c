// A section with columns, as the RTF pages lay it out: a borderless table of one row, one cell
// per column, the section's blocks shared out among the columns by the length of their text.
#pragma once

#include <span>
#include <string>

#include "model/document.h"
#include "model_page/page_context.h"

namespace tessarine {

// The most columns a section is given; a section asking for more gets this many.
inline constexpr int kMostColumns = 16;

// For each of `blocks`, the column (0 to columns - 1) it goes to: the one its middle falls in
// when the text is cut into `columns` equal lengths, but the first block in the first column
// and no column skipped (the last columns may stay empty).
std::vector<int> ShareOutBlocks(std::span<const model::Block> blocks, int columns);

// Appends the section of `blocks` in `columns` columns (2 to kMostColumns) and sets the section
// flag of the stylesheet; a section without blocks writes nothing.
void WriteColumns(PageContext& context, std::string& out, std::span<const model::Block> blocks, int columns);

}  // namespace tessarine
