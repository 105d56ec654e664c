#include "passes/tables/table_rows.h"

#include <string>

#include <gtest/gtest.h>

#include "passes/paragraphs/run_format.h"
#include "passes/pipeline/colour_table.h"

namespace tessarine {
namespace {

class TableRowsTest : public ::testing::Test {
 protected:
  Settings settings;
  ConversionState st{settings, {}};

  std::string Row(std::string_view row, std::string colspans, std::string rowspans) {
    SpanList c(std::move(colspans)), r(std::move(rowspans));
    st.OutputText.clear();
    ConvertRow(row, c, r, st);
    return st.OutputText;
  }
  std::string SimpleRow(std::string_view row) {
    st.OutputText.clear();
    ConvertSimpleRow(row, st);
    return st.OutputText;
  }
};

struct RowCase {
  const char* name;
  std::string row;
  std::string colspans, rowspans;
  std::string cells;  // between "<tr>" CR LF and "</tr>" CR LF
};

TEST_F(TableRowsTest, ConvertRowWritesCellsFromGroups) {
  const RowCase cases[] = {
      {"plain cells", "{\\f1 a\\cell }{\\f1 b\\cell }", "1\\1\\", "1\\1\\",
       "<td><p>a</p></td>\r\n<td><p>b</p></td>\r\n"},
      {"colspan before rowspan", "{\\f1 a\\cell }", "2\\", "3\\", "<td colspan=2><p>a</p></td>\r\n"},
      {"rowspan alone", "{\\f1 a\\cell }", "1\\", "2\\", "<td rowspan=2><p>a</p></td>\r\n"},
      {"merged-away cell absent", "{\\f1 a\\cell }{\\f1 \\cell }", "1\\1\\", "1\\0\\",
       "<td><p>a</p></td>\r\n"},
      {"empty cell", "{\\cell }", "1\\", "1\\", "<td><p>&nbsp;</p></td>\r\n"},
      {"paragraph break in a cell", "{\\f1 one\\par two\\cell }", "1\\", "1\\",
       "<td><p>one<br>two</p></td>\r\n"},
      {"two groups in one cell", "{\\f1 one }{\\b two\\cell }", "1\\", "1\\", "<td><p>one two</p></td>\r\n"},
      {"several cells in one group", "{\\f1 a\\cell b\\cell }", "1\\", "1\\",
       "<td><p>a</p></td>\r\n<td><p>b</p></td>\r\n"},
      {"text outside groups is lost", "\\pard lost\\cell {\\f1 kept\\cell }", "1\\", "1\\",
       "<td><p>kept</p></td>\r\n"},
      {"the end group ends the row", "{\\f1 a\\cell }{\\trowd \\cellx100\\row }{\\f1 b\\cell }", "1\\", "1\\",
       "<td><p>a</p></td>\r\n"},
      {"empty lists hide the cells", "{\\f1 a\\cell }", "", "", ""},
      {"no group", "\\pard text\\cell", "1\\", "1\\", ""},
  };
  for (const RowCase& c : cases) {
    EXPECT_EQ(Row(c.row, c.colspans, c.rowspans), "<tr>\r\n" + c.cells + "</tr>\r\n") << c.name;
    EXPECT_FALSE(st.TableFlag) << c.name;
  }
}

TEST_F(TableRowsTest, ConvertRowUsesTheParagraphStyleAndSetsAlignment) {
  st.StyleText = "color:#FF0000";
  st.Alignment = "left";
  EXPECT_EQ(Row("\\qc {\\f1 a\\cell }", "1\\", "1\\"),
            "<tr>\r\n<td><p style=\"color:#FF0000\">a</p></td>\r\n</tr>\r\n");
  EXPECT_EQ(st.Alignment, "center");
}

TEST_F(TableRowsTest, ConvertRowLeavesACellWithoutCellEndOpen) {
  EXPECT_EQ(Row("{\\f1 a\\cell }{\\f1 open text}", "1\\", "1\\"), "<tr>\r\n<td><p>a</p></td>\r\n</tr>\r\n");
  EXPECT_TRUE(st.TableFlag);
}

TEST_F(TableRowsTest, ConvertRowClosesASpanLeftOpenBeforeTheTable) {
  st.SpanOpen = true;
  EXPECT_EQ(Row("{\\f1 a\\cell }{\\f1 b\\cell }", "1\\", "1\\"),
            "<tr>\r\n<td><p>a</span></p></td>\r\n<td><p>b</p></td>\r\n</tr>\r\n");
  EXPECT_FALSE(st.SpanOpen);
}

TEST(ConvertCellTextTest, DecodesTextAndBreaksParagraphs) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain <text>", "plain &lt;text&gt;"},
      {"one\\par two", "one<br>two"},
      {"\\par two", "<br>two"},
      {"one\\pard\\ql two", "one<br>two"},  // the rest of the word up to its space is skipped
      {"one\\par", "one<br>"},              // nothing after the mark
      {"\\'e0\\'e1", "\xE0\xE1"},
  };
  for (const auto& [piece, html] : cases) EXPECT_EQ(ConvertCellText(piece), html) << piece;
}

TEST_F(TableRowsTest, ConvertSimpleRowWritesPlainCells) {
  const std::pair<std::string, std::string> cases[] = {
      {"\\intbl one\\cell two\\cell", "<td><p>one</p></td>\r\n<td><p> two</p></td>\r\n"},
      {"\\intbl one\\cell \\cell", "<td><p>one</p></td>\r\n<td><p>&nbsp</p></td>\r\n"},   // a single space
      {"\\intbl one\\cell  \\cell", "<td><p>one</p></td>\r\n<td><p>&nbsp</p></td>\r\n"},  // two spaces
      {"\\cell", "<td><p>&nbsp</p></td>\r\n"},
      {"{\\b\\i\\ul\\lang1049 bold\\cell}", "<td><p><b><i><u>bold</u></i></b></p></td>\r\n"},
      {"{\\fs28 a\\cell b\\cell}",
       "<td><p style=\"font-size:14pt\">a</p></td>\r\n<td><p style=\"font-size:14pt\"> b</p></td>\r\n"},
      {"{\\cell}", "<td><p>&nbsp;</p></td>\r\n"},
      {"no cells at all", ""},
  };
  for (const auto& [row, cells] : cases) {
    EXPECT_EQ(SimpleRow(row), "<tr>\r\n" + cells + "</tr>\r\n") << row;
  }
}

}  // namespace
}  // namespace tessarine
