#include "passes/tables/table_geometry.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tessarine {
namespace {

// One cell of a row written the way the last-row-marking word processor writes it.
struct CellDef {
  std::string properties;  // such as "\clvmgf"
  int boundary;
};

// A row: leading definition, one group per cell, and the end group repeating the definition.
std::string Row(int index, const std::vector<CellDef>& cells, bool last) {
  std::string definition = "\\trowd \\irow" + std::to_string(index) + "\\irowband" + std::to_string(index);
  if (last) definition += "\\lastrow ";
  definition += "\\ts11\\trgaph108";
  for (const CellDef& c : cells)
    definition += c.properties + "\\clvertalt\\cellx" + std::to_string(c.boundary);
  std::string row = definition + "\\pard\\plain \\ql\\intbl ";
  for (size_t k = 0; k < cells.size(); ++k) row += "{\\f1 text\\cell }";
  return row + "\\pard\\plain \\intbl {" + definition + "\\row }";
}

std::string Table(const std::vector<std::vector<CellDef>>& rows) {
  std::string text;
  for (size_t r = 0; r < rows.size(); ++r) text += Row(static_cast<int>(r), rows[r], r + 1 == rows.size());
  return text + "\\pard\\plain after\\par}";
}

struct GeometryCase {
  const char* name;
  std::vector<std::vector<CellDef>> rows;
  std::string colspans;
  std::string rowspans;
};

TEST(ComputeTableGeometryTest, SpansFromBoundariesAndMerges) {
  const CellDef a{"", 468}, b{"", 947};
  const GeometryCase cases[] = {
      {"two rows of equal cells", {{a, b}, {a, b}}, "1\\1\\1\\1\\", "1\\1\\1\\1\\"},
      {"one wide cell over two", {{b}, {a, b}}, "2\\1\\1\\", "1\\1\\1\\"},
      {"a merge over three rows",
       {{{"\\clvmgf", 468}, b}, {{"\\clvmrg", 468}, b}, {{"\\clvmrg", 468}, b}},
       "1\\1\\1\\1\\1\\1\\",
       "3\\1\\0\\1\\0\\1\\"},
      {"stacked merges",
       {{{"\\clvmgf", 468}, b}, {{"\\clvmrg", 468}, b}, {{"\\clvmgf", 468}, b}, {{"\\clvmrg", 468}, b}},
       "1\\1\\1\\1\\1\\1\\1\\1\\",
       "2\\1\\0\\1\\2\\1\\0\\1\\"},
      {"a merge start in the last row", {{a, b}, {{"\\clvmgf", 468}, b}}, "1\\1\\1\\1\\", "1\\1\\1\\1\\"},
      {"461 and 469 twips in one column", {{{"", 461}}, {{"", 469}}}, "1\\1\\", "1\\1\\"},
      {"a repeated boundary gives one column span", {{a, a, b}}, "1\\1\\", "1\\1\\1\\"},
      {"boundaries below 10 twips reduce to nothing", {{{"", 5}, b}}, "1\\1\\", "1\\1\\"},
  };
  for (const GeometryCase& c : cases) {
    SpanList colspans(std::string("stale\\")), rowspans;
    ComputeTableGeometry(Table(c.rows), colspans, rowspans);
    EXPECT_EQ(colspans.Rest(), c.colspans) << c.name;
    EXPECT_EQ(rowspans.Rest(), c.rowspans) << c.name;
  }
}

TEST(ComputeTableGeometryTest, UnreadableRowCountGivesEmptyLists) {
  const std::string rows = Row(0, {{"", 468}}, false);
  const std::string cases[] = {
      rows,                           // no "\lastrow"
      "\\irowband\\lastrow " + rows,  // nothing between the two words
      "\\b\\lastrow " + rows,         // fewer than 8 characters and no "\irowband"
  };
  for (const std::string& text : cases) {
    SpanList colspans(std::string("1\\")), rowspans(std::string("1\\"));
    ComputeTableGeometry(text, colspans, rowspans);
    EXPECT_EQ(colspans.Rest(), "") << text;
    EXPECT_EQ(rowspans.Rest(), "") << text;
  }
}

TEST(ComputeTableGeometryTest, RowCountComesFromTheLastRowsBandIndex) {
  // The "\lastrow" row claims index 1: only the first two of three rows are read.
  std::string text = Row(0, {{"", 468}}, false) + Row(1, {{"", 947}}, true) + Row(2, {{"", 300}}, false);
  SpanList colspans, rowspans;
  ComputeTableGeometry(text, colspans, rowspans);
  EXPECT_EQ(colspans.Rest(), "1\\2\\");
  EXPECT_EQ(rowspans.Rest(), "1\\1\\");
}

TEST(ComputeTableGeometryTest, LineBreaksBeforeTheLastRowMarkCountTwice) {
  // Stored with single CRs, "\irowband12" and five line breaks take 16 characters; written with
  // CR LF they take 21, so the backslash of "\irowband" falls out of the 20 characters read and
  // the count is read from the 8th of them on ("nd12..."): one row.
  const std::string second = Row(1, {{"", 947}}, false);
  std::string text =
      "\\trowd \\irowband12\r\r\r\r\r\\lastrow \\cellx468\\pard {\\f1 x\\cell }{\\trowd "
      "\\irowband12\\cellx468\\row }";
  SpanList colspans, rowspans;
  ComputeTableGeometry(text + second, colspans, rowspans);
  EXPECT_EQ(rowspans.Rest(), "1\\");
  // The same text with CR LF already in it reads the same way.
  std::string crlf = text;
  crlf.replace(crlf.find("\r\r\r\r\r"), 5, "\r\n\r\n\r\n\r\n\r\n");
  ComputeTableGeometry(crlf + second, colspans, rowspans);
  EXPECT_EQ(rowspans.Rest(), "1\\");
  // With two line breaks the whole word is in reach: 13 rows claimed, the two present read.
  std::string near = text;
  near.replace(near.find("\r\r\r\r\r"), 5, "\r\r");
  ComputeTableGeometry(near + second, colspans, rowspans);
  EXPECT_EQ(rowspans.Rest(), "1\\1\\");
}

TEST(SpanListTest, PopReusesTheLastEntry) {
  SpanList list(std::string("2\\13\\"));
  EXPECT_EQ(list.Pop(), "2");
  EXPECT_EQ(list.Pop(), "13");
  EXPECT_EQ(list.Pop(), "13");
  SpanList empty;
  EXPECT_EQ(empty.Pop(), "");
  EXPECT_EQ(empty.Pop(), "");
}

TEST(AppendSpansTest, EqualValuesWrittenDifferentlyAreSeparateColumns) {
  // "046" and "46" are different entries of the grid; the later one stands first.
  SpanList colspans, rowspans;
  AppendSpans({{{"46"}, "0"}, {{"046", "94"}, "00"}}, colspans, rowspans);
  EXPECT_EQ(colspans.Rest(), "2\\1\\2\\");
}

}  // namespace
}  // namespace tessarine
