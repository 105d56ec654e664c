// Sections with columns: a borderless table, one cell per column, blocks shared out by length.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model_page/columns.h"
#include "tests/model_page/document_builder.h"

namespace tessarine {
namespace {

using namespace testing;

TEST(ModelColumnsTest, SectionInTwoColumnsAsTheRtfPagesLayItOut) {
  model::ParagraphFormat justified;
  justified.alignment = model::Alignment::kJustify;
  const std::string body =
      BodyOfDocument(Document({Para("Before"), Section(2), Para({Text(std::string(100, 'x'))}, justified),
                               Para("The second one is short."), Section(1), Para("After")}));
  EXPECT_EQ(body,
            "<p>Before</p>\r\n<table border=0 width=90%>\r\n<tr>\r\n<td width=50%><p "
            "style=\"text-align:justify\">" +
                std::string(100, 'x') +
                "</p>\r\n</td>\r\n<td width=50%><p>The second one is short.</p>\r\n</td>\r\n"
                "</tr></table>\r\n<p>After</p>\r\n");
}

TEST(ModelColumnsTest, BlocksAreSharedOutByTheirLength) {
  auto paragraphs = [](std::vector<size_t> lengths) {
    std::vector<model::Block> blocks;
    for (size_t length : lengths) blocks.push_back(Para(std::string(length, 'a')));
    return blocks;
  };
  struct Case {
    std::vector<size_t> lengths;
    int columns;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {{10, 10, 10, 10}, 2, {0, 0, 1, 1}},
      {{100, 10, 10}, 2, {0, 1, 1}},
      {{10, 10, 100}, 2, {0, 0, 1}},
      {{500}, 3, {0}},
      {{10, 10}, 3, {0, 1}},
      {{0, 0, 0, 0, 0, 0}, 3, {0, 0, 1, 1, 2, 2}},
      {{1, 1000, 1}, 3, {0, 1, 2}},
  };
  for (const Case& c : cases) {
    const std::vector<model::Block> blocks = paragraphs(c.lengths);
    EXPECT_EQ(ShareOutBlocks(blocks, c.columns), c.expected) << c.columns;
  }
}

TEST(ModelColumnsTest, ColumnCountsOutOfRange) {
  // No columns, negative, one: plain paragraphs; very many: held at kMostColumns.
  for (int columns : {0, -3, 1}) {
    EXPECT_EQ(BodyOfDocument(Document({Section(columns), Para("a")})), "<p>a</p>\r\n") << columns;
  }
  const std::string body = BodyOfDocument(Document({Section(1 << 30), Para("a")}));
  size_t cells = 0;
  for (size_t at = 0; (at = body.find("<td width=6%>", at)) != std::string::npos; ++at) ++cells;
  EXPECT_EQ(cells, static_cast<size_t>(kMostColumns));
  EXPECT_EQ(CheckWellFormed(body), "");
}

TEST(ModelColumnsTest, ASectionWithoutBlocksWritesNothing) {
  EXPECT_EQ(BodyOfDocument(Document({Section(2), Section(3)})), "");
}

TEST(ModelColumnsTest, SectionBreaksInsideCellsAndNotesAreIgnored) {
  const std::string body = BodyOfDocument(Document({Table({Row({Cell(1000, {Section(2), Para("in")})})})}));
  EXPECT_EQ(body.find("border=0"), std::string::npos);
  EXPECT_NE(body.find("<p>in</p>"), std::string::npos);
}

}  // namespace
}  // namespace tessarine
