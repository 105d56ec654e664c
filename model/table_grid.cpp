#include "model/table_grid.h"

#include <algorithm>
#include <limits>

namespace tessarine::model {

namespace {

// A cell ends at least this far (twips) after the cell before it: boundaries that are missing,
// zero or decreasing make narrow cells instead of cells of no width.
constexpr int64_t kNarrowestCell = 20;
// Boundaries of different rows closer than this (twips) to a grid line fall on it, as writers
// round the same boundary differently from row to row. Below kNarrowestCell, so two boundaries
// of one row never share a line.
constexpr int64_t kSameLine = 10;

constexpr size_t kNone = std::numeric_limits<size_t>::max();

// A cell of the page before vertical merges: the grid columns it covers and how it merges down.
struct Span {
  size_t start = 0;
  size_t end = 0;  // inclusive
  Merge vertical = Merge::kNone;
};

// The vertical merge open in a grid column: the row and written cell it started at, and the
// last row it reaches.
struct OpenMerge {
  size_t first_row = kNone;
  size_t cell = 0;
  size_t last_row = kNone;
};

}  // namespace

TableGrid LayOutTable(const Table& table) {
  // Every row's right boundaries, made increasing.
  std::vector<int64_t> boundaries;
  int64_t table_left = std::numeric_limits<int64_t>::max();
  for (const Row& row : table.rows) {
    int64_t previous = row.left_twips;
    table_left = std::min(table_left, previous);
    for (const Cell& cell : row.cells) {
      previous = std::max<int64_t>(cell.right_twips, previous + kNarrowestCell);
      boundaries.push_back(previous);
    }
  }
  TableGrid grid;
  std::vector<GridRow>& rows = grid.rows;
  rows.resize(table.rows.size());
  if (boundaries.empty()) return grid;

  // The grid lines: each the first of a cluster of boundaries less than kSameLine apart from it.
  std::vector<int64_t> lines = boundaries;
  std::sort(lines.begin(), lines.end());
  size_t kept = 0;
  for (int64_t value : lines) {
    if (kept == 0 || value - lines[kept - 1] >= kSameLine) lines[kept++] = value;
  }
  lines.resize(kept);
  auto column_of = [&](int64_t boundary) {
    return static_cast<size_t>(std::upper_bound(lines.begin(), lines.end(), boundary) - lines.begin()) - 1;
  };
  const int64_t table_width = lines.back() - table_left;
  grid.columns = static_cast<int>(lines.size());

  std::vector<OpenMerge> open(lines.size());
  std::vector<Span> spans;
  size_t next_boundary = 0;
  for (size_t r = 0; r < table.rows.size(); ++r) {
    // Cells of this row, horizontal merges joined.
    const Row& row = table.rows[r];
    std::vector<GridCell> cells;
    spans.clear();
    size_t next_column = 0;
    for (const Cell& cell : row.cells) {
      const size_t end = std::max(column_of(boundaries[next_boundary++]), next_column);
      if (cell.horizontal == Merge::kContinue && !cells.empty()) {
        spans.back().end = end;
        cells.back().parts.push_back(&cell);
      } else {
        spans.push_back({next_column, end, cell.vertical});
        GridCell grid_cell;
        grid_cell.background = cell.background;
        grid_cell.parts.push_back(&cell);
        cells.push_back(std::move(grid_cell));
      }
      next_column = end + 1;
    }

    // Vertical merges: a continuing cell joins the merge open in its first column when that
    // merge reached the row above; otherwise it stands as a cell of its own.
    GridRow& grid_row = rows[r];
    for (size_t i = 0; i < cells.size(); ++i) {
      const Span& span = spans[i];
      OpenMerge& merge = open[span.start];
      if (span.vertical == Merge::kContinue && merge.last_row != kNone && merge.last_row + 1 == r) {
        GridCell& first = rows[merge.first_row].cells[merge.cell];
        ++first.rowspan;
        first.parts.insert(first.parts.end(), cells[i].parts.begin(), cells[i].parts.end());
        merge.last_row = r;
        continue;
      }
      GridCell& cell = grid_row.cells.emplace_back(std::move(cells[i]));
      cell.column = static_cast<int>(span.start);
      cell.colspan = static_cast<int>(span.end - span.start + 1);
      const int64_t left = span.start == 0 ? table_left : lines[span.start - 1];
      const int64_t percent = ((lines[span.end] - left) * 200 / table_width + 1) / 2;
      cell.width_percent = static_cast<int>(std::clamp<int64_t>(percent, 1, 100));
      if (span.vertical == Merge::kFirst) merge = {r, grid_row.cells.size() - 1, r};
    }
  }
  return grid;
}

}  // namespace tessarine::model
