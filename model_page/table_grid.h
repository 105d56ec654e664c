// The column grid of a table and the cells as the page writes them: every distinct cell
// boundary of any row is a grid line, a cell spans the grid columns between its boundaries,
// horizontally merged cells join the cell before them and vertically merged cells the cell
// above. Any model gives a grid: missing, zero or decreasing boundaries, ragged rows and merges
// without a first cell included.
#pragma once

#include <cstdint>
#include <vector>

#include "model/document.h"

namespace tessarine {

struct GridCell {
  int colspan = 1;
  int rowspan = 1;
  int width_percent = 0;  // of the table's width; 0 when unknown
  model::Colour background = model::kNoColour;
  // The model's cells shown in this one, in order: the cell itself, then the cells merged into it.
  std::vector<const model::Cell*> parts;
};

struct GridRow {
  std::vector<GridCell> cells;  // the cells the row writes; cells merged into others are not here
};

// Lays out `table`: one GridRow per row of the model, in order (a row without cells gives an
// empty GridRow). Linear in the number of cells but for sorting the boundaries.
std::vector<GridRow> LayOutTable(const model::Table& table);

}  // namespace tessarine
