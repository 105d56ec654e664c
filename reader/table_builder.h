// Tables as RTF writes them: paragraphs of a depth ("\intbl", "\itapN") fill cells, "\cell" and
// "\nestcell" end cells, "\row" and "\nestrow" end rows, and a row's definition ("\trowd",
// "\cellx", merges) gives its cells their boundaries. A table ends where a paragraph of a
// smaller depth comes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/document.h"

namespace tessarine::reader {

// The definition of the rows of one depth: "\trowd" starts it, "\cellx" ends each cell's.
struct RowDefinition {
  struct Cell {
    int32_t right = 0;
    model::Merge horizontal = model::Merge::kNone;
    model::Merge vertical = model::Merge::kNone;
    model::Colour background = model::kNoColour;  // "\clcbpat", with the shading mixed in at "\cellx"
    model::Colour pattern = model::kNoColour;     // "\clcfpat"
    int32_t shading = 0;                          // "\clshdng"
    model::Borders borders;
    bool own_borders = false;
    model::VerticalAlignment vertical_alignment = model::VerticalAlignment::kTop;
  };
  int32_t left = 0;         // "\trleft"
  std::vector<Cell> cells;  // in order, each ended by its "\cellx"
  Cell next;                // the merges and shading of the cell whose "\cellx" comes next
};

// The row definitions of each depth (index 1 for the outermost tables; index 0 is unused).
using RowDefinitions = std::array<RowDefinition, model::kMaxTableDepth + 1>;

// The open tables of one flow of text, outermost first, and the cells and rows they are filling.
class TableBuilder {
 public:
  // `definitions` give the rows that end without their "\row" (the table ends first) their
  // cells' boundaries; they must outlive the builder.
  explicit TableBuilder(const RowDefinitions& definitions) : definitions_(&definitions) {}

  // How many tables are open.
  int depth() const { return static_cast<int>(open_.size()); }

  // Makes exactly `depth` tables open (at most kMaxTableDepth): opens new ones, or ends the
  // deeper ones, each going as a block into the cell that holds it. The outermost table, ended,
  // goes to `outer`.
  void OpenTo(int depth, std::vector<model::Block>& outer);

  // The blocks of the cell being filled at the innermost open table (OpenTo first).
  std::vector<model::Block>& CellBlocks() { return open_.back().blocks; }

  // Ends the cell being filled at the innermost open table: it joins the row.
  void EndCell();

  // Ends the row of the innermost open table: a cell still being filled ends first, and the cells
  // take their boundaries and merges from `definition`, in order. A row without cells is dropped.
  void EndRow(const RowDefinition& definition);

  // Ends every open table (rows and cells being filled included) into `outer`.
  void CloseAll(std::vector<model::Block>& outer) { OpenTo(0, outer); }

 private:
  struct Open {
    model::Table table;
    std::vector<model::Cell> cells;    // of the row being filled
    std::vector<model::Block> blocks;  // of the cell being filled
  };
  const RowDefinitions* definitions_;
  std::vector<Open> open_;
};

// How deep the tables of `block` nest (0 for a paragraph, 1 for a table of paragraphs ...).
int TableDepthOf(const model::Block& block);

// Appends `block` to `out` so that it nests at most `room` tables deep: deeper tables give their
// cells' blocks in order instead.
void AppendWithin(model::Block block, int room, std::vector<model::Block>& out);

}  // namespace tessarine::reader
