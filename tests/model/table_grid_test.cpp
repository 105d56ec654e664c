#include "model/table_grid.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/time_bound.h"

namespace tessarine::model {
namespace {

// A row from cell specs: right boundary, then "h" (continues the cell before), "H" (starts a
// horizontal merge), "v" (continues the cell above), "V" (starts a vertical merge), "" plain.
Row MakeRow(std::vector<std::pair<int32_t, std::string>> cells, int32_t left = 0) {
  Row row;
  row.left_twips = left;
  for (const auto& [right, merge] : cells) {
    Cell cell;
    cell.right_twips = right;
    if (merge == "h") cell.horizontal = Merge::kContinue;
    if (merge == "H") cell.horizontal = Merge::kFirst;
    if (merge == "v") cell.vertical = Merge::kContinue;
    if (merge == "V") cell.vertical = Merge::kFirst;
    row.cells.push_back(cell);
  }
  return row;
}

// The grid as text: per cell "row,column rowspan x colspan", in order.
std::string Describe(const TableGrid& grid) {
  std::string out = std::to_string(grid.rows) + "x" + std::to_string(grid.columns) + ":";
  for (const GridCell& c : grid.cells) {
    out += " " + std::to_string(c.row) + "," + std::to_string(c.column) + " " + std::to_string(c.row_span) +
           "x" + std::to_string(c.column_span);
  }
  return out;
}

TEST(TableGridTest, LaysOutSpansFromBoundariesAndMerges) {
  const struct {
    const char* name;
    std::vector<Row> rows;
    std::string expected;
  } cases[] = {
      {"plain 2x2",
       {MakeRow({{1000, ""}, {2000, ""}}), MakeRow({{1000, ""}, {2000, ""}})},
       "2x2: 0,0 1x1 0,1 1x1 1,0 1x1 1,1 1x1"},
      {"a boundary another row splits",
       {MakeRow({{2000, ""}}), MakeRow({{1000, ""}, {2000, ""}})},
       "2x2: 0,0 1x2 1,0 1x1 1,1 1x1"},
      {"horizontal merge",
       {MakeRow({{1000, "H"}, {2000, "h"}}), MakeRow({{1000, ""}, {2000, ""}})},
       "2x2: 0,0 1x2 1,0 1x1 1,1 1x1"},
      {"vertical merge over three rows",
       {MakeRow({{1000, "V"}, {2000, ""}}), MakeRow({{1000, "v"}, {2000, ""}}),
        MakeRow({{1000, "v"}, {2000, ""}})},
       "3x2: 0,0 3x1 0,1 1x1 1,1 1x1 2,1 1x1"},
      {"a continuation with nothing to continue is a cell",
       {MakeRow({{1000, "h"}, {2000, "v"}})},
       "1x2: 0,0 1x1 0,1 1x1"},
      {"vertical merge under a different column is a cell",
       {MakeRow({{1000, "V"}, {2000, ""}}), MakeRow({{500, ""}, {2000, "v"}})},
       "2x3: 0,0 1x2 0,2 1x1 1,0 1x1 1,1 1x2"},
      {"boundaries that do not increase still give every cell a column",
       {MakeRow({{0, ""}, {0, ""}, {0, ""}})},
       "1x3: 0,0 1x1 0,1 1x1 0,2 1x1"},
      {"rows without cells are left out", {Row{}, MakeRow({{1000, ""}}), Row{}}, "1x1: 0,0 1x1"},
      {"an empty table", {}, "0x0:"},
      {"a row that starts further right",
       {MakeRow({{2000, ""}}), MakeRow({{2000, ""}}, 1000)},
       "2x2: 0,0 1x2 1,1 1x1"},
  };
  for (const auto& c : cases) {
    Table table;
    table.rows = c.rows;
    EXPECT_EQ(Describe(LayOutTable(table)), c.expected) << c.name;
  }
}

TEST(TableGridTest, MergedCellsKeepTheirSources) {
  Table table;
  table.rows = {MakeRow({{1000, "V"}, {2000, "H"}, {3000, "h"}}),
                MakeRow({{1000, "v"}, {2000, ""}, {3000, ""}})};
  const TableGrid grid = LayOutTable(table);
  ASSERT_EQ(grid.cells.size(), 4u);
  ASSERT_EQ(grid.cells[0].sources.size(), 2u);
  EXPECT_EQ(grid.cells[0].sources[1].row, 1u);
  ASSERT_EQ(grid.cells[1].sources.size(), 2u);
  EXPECT_EQ(grid.cells[1].sources[1].cell, 2u);
  EXPECT_EQ(grid.cells[1].width_twips, 2000);
  EXPECT_EQ(grid.width_twips, 3000);
}

TEST(TableGridTest, ManyRowsWithBoundariesOfTheirOwnStayFast) {
  // Every row has a boundary no other row has: the grid has as many columns as rows.
  Table table;
  for (int r = 0; r < 40000; ++r) table.rows.push_back(MakeRow({{r + 1, r % 2 ? "v" : "V"}, {100000, ""}}));
  testing::TimeBound bound(5);
  const TableGrid grid = LayOutTable(table);
  EXPECT_EQ(grid.rows, 40000);
  EXPECT_EQ(grid.columns, 40001);
}

}  // namespace
}  // namespace tessarine::model
