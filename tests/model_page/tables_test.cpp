// Tables: the column grid from every row's boundaries, spans from merges and from boundaries
// other rows split, widths in percent, nested tables, and any model laid out without failing.
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/table_grid.h"
#include "tests/model_page/document_builder.h"
#include "tests/support/time_bound.h"

namespace tessarine {
namespace {

using namespace testing;

using model::Merge;
constexpr Merge kFirst = Merge::kFirst;
constexpr Merge kMore = Merge::kContinue;
constexpr Merge kNo = Merge::kNone;

// The cells' attributes of the table in `body` (not nested), row by row: "colspan=2 width=100%|..."
// with rows separated by " / ".
std::string CellAttributes(const std::string& body) {
  std::string result;
  size_t row = body.find("<tr>");
  while (row != std::string::npos) {
    const size_t next = body.find("<tr>", row + 1);
    std::string cells;
    for (size_t at = body.find("<td", row); at < next && at != std::string::npos;
         at = body.find("<td", at + 1)) {
      if (!cells.empty()) cells += "|";
      size_t start = at + 3;
      if (body[start] == ' ') ++start;
      cells += body.substr(start, body.find('>', at) - start);
    }
    if (!result.empty() || row != body.find("<tr>")) result += " / ";
    result += cells;
    row = next;
  }
  return result;
}

struct Case {
  const char* name;
  std::vector<model::Row> rows;
  std::string cells;
};

TEST(ModelTablesTest, GridSpansAndWidths) {
  const Case cases[] = {
      {"the same boundaries in every row",
       {Row({Cell(3000, "a"), Cell(6000, "b")}), Row({Cell(3000, "c"), Cell(6000, "d")})},
       "width=50%|width=50% / width=50%|width=50%"},
      {"a boundary another row splits",
       {Row({Cell(6000, "a")}), Row({Cell(3000, "b"), Cell(6000, "c")})},
       "colspan=2 width=100% / width=50%|width=50%"},
      {"boundaries a few twips apart are one",
       {Row({Cell(3000, "a"), Cell(6000, "b")}), Row({Cell(3006, "c"), Cell(6003, "d")})},
       "width=50%|width=50% / width=50%|width=50%"},
      {"horizontal merge",
       {Row({Cell(3000, "a", kFirst), Cell(6000, "", kMore)}), Row({Cell(3000, "c"), Cell(6000, "d")})},
       "colspan=2 width=100% / width=50%|width=50%"},
      {"vertical merge over three rows",
       {Row({Cell(3000, "a", kNo, kFirst), Cell(6000, "b")}),
        Row({Cell(3000, "", kNo, kMore), Cell(6000, "d")}),
        Row({Cell(3000, "", kNo, kMore), Cell(6000, "f")})},
       "rowspan=3 width=50%|width=50% / width=50% / width=50%"},
      {"two merges stacked in one column",
       {Row({Cell(3000, "a", kNo, kFirst)}), Row({Cell(3000, "", kNo, kMore)}),
        Row({Cell(3000, "c", kNo, kFirst)}), Row({Cell(3000, "", kNo, kMore)})},
       "rowspan=2 width=100% /  / rowspan=2 width=100% / "},
      {"a merge starting in the last row",
       {Row({Cell(3000, "a")}), Row({Cell(3000, "b", kNo, kFirst)})},
       "width=100% / width=100%"},
      {"merges without a first cell stand alone",
       {Row({Cell(3000, "a", kMore, kMore), Cell(6000, "b", kNo, kMore)})},
       "width=50%|width=50%"},
      {"a merge does not reach over a row that does not continue it",
       {Row({Cell(3000, "a", kNo, kFirst)}), Row({Cell(3000, "b")}), Row({Cell(3000, "c", kNo, kMore)})},
       "width=100% / width=100% / width=100%"},
      {"both merges at once",
       {Row({Cell(3000, "a", kFirst, kFirst), Cell(6000, "", kMore, kFirst), Cell(9000, "b")}),
        Row({Cell(3000, "", kFirst, kMore), Cell(6000, "", kMore, kMore), Cell(9000, "c")})},
       "colspan=2 rowspan=2 width=67%|width=33% / width=33%"},
      {"no boundaries: equal columns",
       {Row({Cell(0, "a"), Cell(0, "b"), Cell(0, "c")}), Row({Cell(0, "d"), Cell(0, "e"), Cell(0, "f")})},
       "width=33%|width=33%|width=33% / width=33%|width=33%|width=33%"},
      {"decreasing boundaries", {Row({Cell(6000, "a"), Cell(3000, "b")})}, "width=100%|width=1%"},
      {"ragged rows",
       {Row({Cell(3000, "a"), Cell(6000, "b"), Cell(9000, "c")}), Row({Cell(3000, "d")})},
       "width=33%|width=33%|width=33% / width=33%"},
      {"a row without cells is left out",
       {Row({Cell(3000, "a")}), Row({}), Row({Cell(3000, "b")})},
       "width=100% / width=100%"},
      {"a row starting left of its first boundary",
       {Row({Cell(3000, "a"), Cell(6000, "b")}, -108)},
       "width=51%|width=49%"},
  };
  for (const Case& c : cases) {
    const std::string body = BodyOfDocument(Document({model::Block{model::Table{c.rows}}}));
    EXPECT_EQ(CellAttributes(body), c.cells) << c.name << "\n" << body;
    EXPECT_EQ(CheckWellFormed(body), "") << c.name;
  }
}

TEST(ModelTablesTest, TableAsTheRtfPagesWriteIt) {
  model::Cell coloured = Cell(6000, "b");
  coloured.background = 0xC0C0C0;
  const std::string body =
      BodyOfDocument(Document({Table({Row({Cell(3000, ""), coloured})}), Para("after")}));
  EXPECT_EQ(body,
            "<table border=1 width=90%>\r\n<tr>\r\n<td width=50%><p>&nbsp;</p></td>\r\n"
            "<td width=50% bgcolor=\"#C0C0C0\"><p>b</p>\r\n</td>\r\n</tr>\r\n</table>\r\n<p>after</p>\r\n");
}

TEST(ModelTablesTest, MergedCellsKeepTheTextOfTheCellsMergedIntoThem) {
  model::Cell below = Cell(3000, "under", kNo, kMore);
  model::Cell empty_below = Cell(3000, {Para(std::vector<model::Inline>{})}, kNo, kMore);
  const std::string body = BodyOfDocument(
      Document({Table({Row({Cell(3000, "top", kNo, kFirst)}), Row({below}), Row({empty_below})})}));
  EXPECT_NE(body.find("<td rowspan=3 width=100%><p>top</p>\r\n<p>under</p>\r\n</td>"), std::string::npos)
      << body;
}

TEST(ModelTablesTest, NestedTablesStandInsideTheirCells) {
  model::Block inner = Table({Row({Cell(1000, "in1"), Cell(2000, "in2")})});
  const std::string body = BodyOfDocument(
      Document({Table({Row({Cell(4000, {Para("before"), inner, Para("after")}), Cell(8000, "b")})})}));
  EXPECT_NE(
      body.find(
          "<td width=50%><p>before</p>\r\n<table border=1 width=90%>\r\n<tr>\r\n<td width=50%><p>in1</p>"),
      std::string::npos)
      << body;
  EXPECT_EQ(CheckWellFormed(body), "");
}

// Tables nested deeper than the model allows are left out, and deep models take no time.
TEST(ModelTablesTest, NestingBeyondTheModelsDepthIsLeftOut) {
  TimeBound bound(60);
  model::Block table = Table({Row({Cell(1000, "deepest")})});
  for (int depth = 1; depth < 40; ++depth) table = Table({Row({Cell(1000, {Para("level"), table})})});
  const std::string body = BodyOfDocument(Document({table}));
  size_t tables = 0;
  for (size_t at = 0; (at = body.find("<table", at)) != std::string::npos; ++at) ++tables;
  EXPECT_EQ(tables, static_cast<size_t>(model::kMaxTableDepth));
  EXPECT_EQ(body.find("deepest"), std::string::npos);
  EXPECT_EQ(CheckWellFormed(body), "");
}

TEST(ModelTablesTest, EmptyTablesWriteNothing) {
  for (const model::Block& table : {Table({}), Table({Row({}), Row({})})}) {
    EXPECT_EQ(BodyOfDocument(Document({table, Para("x")})), "<p>x</p>\r\n");
  }
}

TEST(ModelTablesTest, ExtremeBoundariesGiveAGrid) {
  const std::vector<model::Row> rows = {
      Row({Cell(INT32_MAX, "a"), Cell(INT32_MIN, "b"), Cell(INT32_MAX, "c")}, INT32_MAX),
      Row({Cell(-5, "d")}, INT32_MIN),
  };
  const std::vector<model::GridRow> grid = model::LayOutTable(model::Table{rows}).rows;
  ASSERT_EQ(grid.size(), 2u);
  ASSERT_EQ(grid[0].cells.size(), 3u);
  for (const model::GridRow& row : grid) {
    for (const model::GridCell& cell : row.cells) {
      EXPECT_GE(cell.colspan, 1);
      EXPECT_GE(cell.width_percent, 1);
      EXPECT_LE(cell.width_percent, 100);
    }
  }
}

}  // namespace
}  // namespace tessarine
