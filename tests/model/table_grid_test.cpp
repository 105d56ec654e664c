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

// The grid as text: "columns:" then the rows, separated by " /", each cell as
// " column:colspan x rowspan".
std::string Describe(const TableGrid& grid) {
  std::string out = std::to_string(grid.columns) + ":";
  for (size_t r = 0; r < grid.rows.size(); ++r) {
    if (r > 0) out += " /";
    for (const GridCell& c : grid.rows[r].cells) {
      out +=
          " " + std::to_string(c.column) + ":" + std::to_string(c.colspan) + "x" + std::to_string(c.rowspan);
    }
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
       "2: 0:1x1 1:1x1 / 0:1x1 1:1x1"},
      {"a boundary another row splits",
       {MakeRow({{2000, ""}}), MakeRow({{1000, ""}, {2000, ""}})},
       "2: 0:2x1 / 0:1x1 1:1x1"},
      {"boundaries a few twips apart are one line",
       {MakeRow({{1000, ""}, {2000, ""}}), MakeRow({{1004, ""}, {1998, ""}})},
       "2: 0:1x1 1:1x1 / 0:1x1 1:1x1"},
      {"horizontal merge",
       {MakeRow({{1000, "H"}, {2000, "h"}}), MakeRow({{1000, ""}, {2000, ""}})},
       "2: 0:2x1 / 0:1x1 1:1x1"},
      {"vertical merge over three rows",
       {MakeRow({{1000, "V"}, {2000, ""}}), MakeRow({{1000, "v"}, {2000, ""}}),
        MakeRow({{1000, "v"}, {2000, ""}})},
       "2: 0:1x3 1:1x1 / 1:1x1 / 1:1x1"},
      {"a continuation with nothing to continue is a cell",
       {MakeRow({{1000, "h"}, {2000, "v"}})},
       "2: 0:1x1 1:1x1"},
      {"a vertical merge under another column is a cell",
       {MakeRow({{1000, "V"}, {2000, ""}}), MakeRow({{500, ""}, {2000, "v"}})},
       "3: 0:2x1 2:1x1 / 0:1x1 1:2x1"},
      {"boundaries that do not increase still give every cell a column",
       {MakeRow({{0, ""}, {0, ""}, {0, ""}})},
       "3: 0:1x1 1:1x1 2:1x1"},
      {"rows without cells stay empty and end a merge",
       {MakeRow({{1000, "V"}}), Row{}, MakeRow({{1000, "v"}})},
       "1: 0:1x1 / / 0:1x1"},
      {"an empty table", {}, "0:"},
  };
  for (const auto& c : cases) {
    Table table;
    table.rows = c.rows;
    EXPECT_EQ(Describe(LayOutTable(table)), c.expected) << c.name;
  }
}

TEST(TableGridTest, MergedCellsKeepTheirParts) {
  Table table;
  table.rows = {MakeRow({{1000, "V"}, {2000, "H"}, {3000, "h"}}),
                MakeRow({{1000, "v"}, {2000, ""}, {3000, ""}})};
  const TableGrid grid = LayOutTable(table);
  ASSERT_EQ(grid.rows[0].cells.size(), 2u);
  const GridCell& down = grid.rows[0].cells[0];
  ASSERT_EQ(down.parts.size(), 2u);
  EXPECT_EQ(down.parts[1], &table.rows[1].cells[0]);
  const GridCell& across = grid.rows[0].cells[1];
  ASSERT_EQ(across.parts.size(), 2u);
  EXPECT_EQ(across.parts[1], &table.rows[0].cells[2]);
  EXPECT_EQ(across.width_percent, 67);
}

TEST(TableGridTest, ManyRowsWithBoundariesOfTheirOwnStayFast) {
  // Every row has a boundary no other row has: the grid has as many columns as rows.
  Table table;
  for (int r = 0; r < 40000; ++r)
    table.rows.push_back(MakeRow({{100 + 40 * r, r % 2 ? "v" : "V"}, {10000000, ""}}));
  testing::TimeBound bound(5);
  const TableGrid grid = LayOutTable(table);
  EXPECT_EQ(grid.rows.size(), 40000u);
  EXPECT_EQ(grid.columns, 40001);
}

}  // namespace
}  // namespace tessarine::model
