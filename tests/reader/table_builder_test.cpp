// Tables: rows and cells, their definitions and merges, nested tables and where tables end.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/plain_text.h"
#include "reader/table_builder.h"
#include "tests/reader/snippet.h"

namespace tessarine::testing {
namespace {

const Snippet kTables[] = {
    {"TableSimple",
     R"x({\rtf1\trowd\trleft-108\cellx1000\cellx2000\pard\intbl a\cell b\cell\row\trowd\cellx1000\cellx2000\pard\intbl c\cell d\cell\row\pard after\par})x",
     R"x(table
 row left=-108
  cell right=1000
   p | "a"
  cell right=2000
   p | "b"
 row left=0
  cell right=1000
   p | "c"
  cell right=2000
   p | "d"
p | "after"
)x"},
    {"TableRowDefinitionAfterCells",
     R"x({\rtf1\pard\intbl a\cell b\cell{\trowd\cellx1500\cellx3000\row}\pard x\par})x",
     R"x(table
 row left=0
  cell right=1500
   p | "a"
  cell right=3000
   p | "b"
p | "x"
)x"},
    {"TableMerges",
     R"x({\rtf1{\colortbl;\red255\green0\blue0;}\trowd\clmgf\cellx1000\clmrg\cellx2000\clvmgf\clcbpat1\cellx3000\pard\intbl a\cell\cell b\cell\row\trowd\cellx1000\cellx2000\clvmrg\cellx3000\pard\intbl c\cell d\cell\cell\row})x",
     R"x(table
 row left=0
  cell right=1000 h=first
   p | "a"
  cell right=2000 h=continue
   p |
  cell right=3000 v=first bgff0000
   p | "b"
 row left=0
  cell right=1000
   p | "c"
  cell right=2000
   p | "d"
  cell right=3000 v=continue
   p |
)x"},
    {"NestedTable",
     R"x({\rtf1\trowd\cellx5000\pard\intbl\itap1 outer\par\pard\intbl\itap2 in1\nestcell in2\nestcell{\*\nesttableprops\trowd\cellx2000\cellx4000\nestrow}{\nonesttables fallback\par}\pard\intbl\itap1 \cell\row\pard after\par})x",
     R"x(table
 row left=0
  cell right=5000
   p | "outer"
   table
    row left=0
     cell right=2000
      p | "in1"
     cell right=4000
      p | "in2"
p | "after"
)x"},
    {"CellWithParagraphs", R"x({\rtf1\trowd\cellx1000\pard\intbl one\par two\cell\row})x",
     R"x(table
 row left=0
  cell right=1000
   p | "one"
   p | "two"
)x"},
    {"EmptyCellsAndEmptyRow", R"x({\rtf1\trowd\cellx1000\cellx2000\pard\intbl\cell\cell\row\row})x",
     R"x(table
 row left=0
  cell right=1000
   p |
  cell right=2000
   p |
)x"},
    {"CellsWithoutRowEndTable", R"x({\rtf1\trowd\cellx1000\pard\intbl a\cell b\cell})x",
     R"x(table
 row left=0
  cell right=1000
   p | "a"
  cell right=0
   p | "b"
)x"},
    {"ParagraphEndsTable",
     R"x({\rtf1\trowd\cellx1000\pard\intbl a\cell\row\pard b\par\trowd\cellx1000\pard\intbl c\cell\row})x",
     R"x(table
 row left=0
  cell right=1000
   p | "a"
p | "b"
table
 row left=0
  cell right=1000
   p | "c"
)x"},
};

class TablesTest : public ::testing::TestWithParam<Snippet> {};
TEST_P(TablesTest, Reads) {
  ExpectReading(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Snippets, TablesTest, ::testing::ValuesIn(kTables), SnippetName);

// Tables nest at most kMaxTableDepth deep: deeper paragraphs land in the innermost table kept.
TEST(TablesTest, NestingIsCapped) {
  std::string rtf = "{\\rtf1";
  for (int depth = 1; depth <= 20; ++depth)
    rtf += "\\pard\\intbl\\itap" + std::to_string(depth) + " d" + std::to_string(depth) + "\\par";
  rtf += "\\pard end\\par}";
  const model::Document document = ReadRtfDocument(rtf);
  ASSERT_EQ(document.body.size(), 2u);
  EXPECT_EQ(reader::TableDepthOf(document.body[0]), model::kMaxTableDepth);
  std::string text;
  model::AppendPlainText(document, model::WithNotes::kNo, text);
  for (int depth = 1; depth <= 20; ++depth)
    EXPECT_NE(text.find("d" + std::to_string(depth) + "\n"), std::string::npos);
}

TEST(TablesTest, BlocksKeptWithinRoomLoseTheirDeepestTables) {
  const model::Document document = ReadRtfDocument(
      "{\\rtf1\\pard\\intbl\\itap1 a\\par\\pard\\intbl\\itap2 b\\par\\pard\\intbl\\itap3 c\\par\\pard "
      "x\\par}");
  ASSERT_EQ(reader::TableDepthOf(document.body[0]), 3);
  std::vector<model::Block> kept;
  reader::AppendWithin(document.body[0], 1, kept);
  ASSERT_EQ(kept.size(), 3u);  // a, b and the innermost table
  EXPECT_EQ(reader::TableDepthOf(kept[2]), 1);
  model::Document flat;
  flat.body = kept;
  std::string text;
  model::AppendPlainText(flat, model::WithNotes::kNo, text);
  EXPECT_EQ(text, "a\nb\nc\n\t\n");
}

}  // namespace
}  // namespace tessarine::testing
