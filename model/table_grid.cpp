#include "model/table_grid.h"

#include <algorithm>

namespace tessarine::model {

namespace {

// The boundaries of one row, each right of the one before: (left edge, cell rights...).
std::vector<int32_t> RowBoundaries(const Row& row) {
  std::vector<int32_t> edges;
  edges.reserve(row.cells.size() + 1);
  int32_t at = row.left_twips;
  edges.push_back(at);
  for (const Cell& cell : row.cells) {
    // A missing or backward boundary: a narrow step, so the cell still has a column of its own.
    at = cell.right_twips > at ? cell.right_twips : at + 1;
    edges.push_back(at);
  }
  return edges;
}

}  // namespace

TableGrid LayOutTable(const Table& table) {
  TableGrid grid;
  std::vector<std::vector<int32_t>> edges;
  edges.reserve(table.rows.size());
  std::vector<int32_t> all;
  for (const Row& row : table.rows) {
    edges.push_back(RowBoundaries(row));
    if (!row.cells.empty()) all.insert(all.end(), edges.back().begin(), edges.back().end());
  }
  std::sort(all.begin(), all.end());
  all.erase(std::unique(all.begin(), all.end()), all.end());
  if (all.size() < 2) return grid;
  grid.columns = static_cast<int>(all.size() - 1);
  grid.width_twips = all.back() - all.front();
  auto column_of = [&all](int32_t edge) {
    return static_cast<int>(std::lower_bound(all.begin(), all.end(), edge) - all.begin());
  };

  // The grid cells of the row above by the column they start at, which a vertical merge below
  // continues; sorted by column, as cells come left to right. Kept per row, not per column, so
  // a table of many rows and many boundaries stays O(n log n).
  using Starts = std::vector<std::pair<int, long>>;
  Starts above;
  auto find = [](const Starts& starts, int column) -> long {
    auto it = std::lower_bound(starts.begin(), starts.end(), std::pair<int, long>(column, -1));
    return it != starts.end() && it->first == column ? it->second : -1;
  };
  for (size_t r = 0; r < table.rows.size(); ++r) {
    const Row& row = table.rows[r];
    if (row.cells.empty()) continue;
    const int grid_row = grid.rows++;
    Starts here;
    long previous = -1;  // the grid cell left of the current one in this row
    for (size_t c = 0; c < row.cells.size(); ++c) {
      const Cell& cell = row.cells[c];
      const int left = column_of(edges[r][c]);
      const int right = column_of(edges[r][c + 1]);
      const int32_t width = edges[r][c + 1] - edges[r][c];
      if (cell.horizontal == Merge::kContinue && previous >= 0 && grid.cells[previous].row == grid_row) {
        GridCell& merged = grid.cells[previous];
        merged.column_span = right - merged.column;
        merged.width_twips += width;
        merged.sources.push_back({r, c});
        continue;
      }
      const long over = cell.vertical == Merge::kContinue ? find(above, left) : -1;
      if (over >= 0 && grid.cells[over].row + grid.cells[over].row_span == grid_row) {
        GridCell& merged = grid.cells[over];
        merged.row_span += 1;
        merged.sources.push_back({r, c});
        if (here.empty() || here.back().first < left) here.emplace_back(left, over);
        previous = -1;
        continue;
      }
      GridCell placed;
      placed.row = grid_row;
      placed.column = left;
      placed.column_span = right - left;
      placed.width_twips = width;
      placed.sources.push_back({r, c});
      grid.cells.push_back(std::move(placed));
      previous = static_cast<long>(grid.cells.size() - 1);
      if (here.empty() || here.back().first < left) here.emplace_back(left, previous);
    }
    above.swap(here);
  }
  return grid;
}

}  // namespace tessarine::model
