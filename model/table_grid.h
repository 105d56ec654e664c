// The column grid of a table and its cells as they are shown (by the page writer, the RTF pane): every
// distinct cell boundary of any row is a grid line, a cell spans the grid columns between its boundaries,
// horizontally merged cells join the cell before them and vertically merged cells the cell
// above. Any model gives a grid: missing, zero or decreasing boundaries, ragged rows and merges
// without a first cell included.
#pragma once

#include <cstdint>
#include <vector>

#include "model/document.h"

namespace tessarine::model {

struct GridCell {
  int column = 0;  // the grid column of its left edge
  int colspan = 1;
  int rowspan = 1;
  int width_percent = 0;  // of the table's width; 0 when unknown
  Colour background = kNoColour;
  // The model's cells shown in this one, in order: the cell itself, then the cells merged into it.
  std::vector<const Cell*> parts;
};

struct GridRow {
  std::vector<GridCell> cells;  // the cells the row writes; cells merged into others are not here
};

struct TableGrid {
  std::vector<GridRow> rows;  // one per row of the model, in order (a row without cells: empty)
  int columns = 0;            // how many grid columns there are
};

// Lays out `table`. Linear in the number of cells but for sorting the boundaries.
TableGrid LayOutTable(const Table& table);

}  // namespace tessarine::model
