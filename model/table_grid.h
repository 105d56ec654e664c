// A table of the document model laid out on a grid: every cell's place, its column span from
// the boundaries of all rows and from horizontal merges, its row span from vertical merges.
// Shared by everything that shows tables (the page writer, the RTF pane).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/document.h"

namespace tessarine::model {

struct CellSource {
  size_t row = 0;   // index into Table::rows
  size_t cell = 0;  // index into Row::cells
};

struct GridCell {
  int row = 0;     // the grid row of its top edge (rows without cells are left out of the grid)
  int column = 0;  // the grid column of its left edge
  int row_span = 1;
  int column_span = 1;
  int32_t width_twips = 0;  // from its left to its right boundary
  // The model cells shown in it: the first is the cell itself, the others were merged into it;
  // their blocks follow its own, so no text of a merged cell is lost.
  std::vector<CellSource> sources;
};

struct TableGrid {
  int rows = 0;
  int columns = 0;
  int32_t width_twips = 0;      // from the leftmost to the rightmost boundary
  std::vector<GridCell> cells;  // row by row, left to right
};

// Lays out `table`. A row's boundaries that do not increase are taken as a small step right of
// the one before, so every cell covers at least one column. A merge that continues nothing
// (no cell before or above it) gives an ordinary cell. O(n log n) in the number of cells.
TableGrid LayOutTable(const Table& table);

}  // namespace tessarine::model
