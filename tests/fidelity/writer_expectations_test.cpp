// The expectations of the writer documents (tests/data/writers/) read as their format says: every
// committed expectation reads without error for every writer, and the per-writer exceptions,
// tables and facts come out as written.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/paths.h"
#include "tests/support/writer_documents.h"

namespace tessarine::testing {
namespace {

TEST(WriterExpectationsTest, EveryCommittedExpectationReads) {
  std::vector<WriterDocument> documents = WriterDocuments(DataDir() / "writers");
  ASSERT_FALSE(documents.empty());
  for (const WriterDocument& document : documents) {
    Expectation e = LoadExpectation(document);
    EXPECT_TRUE(e.errors.empty()) << document.writer << " " << document.name << ": " << e.errors.front();
    EXPECT_FALSE(e.blocks.empty()) << document.name;
  }
}

TEST(WriterExpectationsTest, WordsAreRunsOfLettersAndDigits) {
  struct Case {
    const char* text;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"Норма — 500 г на 10 м2.", {"Норма", "500", "г", "на", "10", "м2"}},
      {"Kőbánya, an arrow → 中文 αβγ", {"Kőbánya", "an", "arrow", "中文", "αβγ"}},
      {"16:00\tbreakfast•\xEF\x82\xB7x",
       {"16", "00", "breakfast", "x"}},  // a symbol-font bullet is no letter
      {"", {}},
      {"\xFF\xFEok", {"ok"}},  // bad bytes separate words
  };
  for (const Case& c : cases) EXPECT_EQ(Words(c.text), c.words) << c.text;
}

constexpr const char* kSample = R"(# a comment
skip pandoc: list note  # pandoc has neither
marker lo-html a) a.
h1: Title
p: One: two https://example.org/x  # a trailing comment
bold: two
link https://example.org/x: two
note: A note.
item 2 a): Sub item
[not pandoc] p: Only elsewhere
[only pandoc] p: Only pandoc
columns 2
table
row
cell colspan=2: Wide
row
cell rowspan=2: Tall
[unchecked swing] table
row
cell: Inner
end table
p: After inner
end table
picture png 48x36
)";

TEST(WriterExpectationsTest, FiltersApplyToTheirWritersOnly) {
  struct Case {
    const char* writer;
    std::vector<std::string> texts;  // the blocks' texts
    bool list_checked;               // of the item
    std::string marker;
  };
  const Case cases[] = {
      {"lo-fodt",
       {"Title", "One: two https://example.org/x", "Sub item", "Only elsewhere", "Wide", "Tall", "Inner",
        "After inner"},
       true,
       "a)"},
      {"lo-html",
       {"Title", "One: two https://example.org/x", "Sub item", "Only elsewhere", "Wide", "Tall", "Inner",
        "After inner"},
       true,
       "a."},
      {"pandoc",
       {"Title", "One: two https://example.org/x", "Sub item", "Only pandoc", "Wide", "Tall", "Inner",
        "After inner"},
       false,
       "a)"},
  };
  for (const Case& c : cases) {
    Expectation e = ParseExpectation(kSample, c.writer);
    EXPECT_TRUE(e.errors.empty()) << c.writer;
    std::vector<std::string> texts;
    for (const ExpectedBlock& block : e.blocks) texts.push_back(block.text);
    EXPECT_EQ(texts, c.texts) << c.writer;
    ASSERT_GE(e.blocks.size(), 3u);
    EXPECT_EQ(e.blocks[2].list_checked, c.list_checked) << c.writer;
    EXPECT_EQ(e.blocks[2].marker, c.marker) << c.writer;
    EXPECT_EQ(e.blocks[2].list_level, 2);
    const BlockFact& note = e.blocks[1].facts.back();
    EXPECT_EQ(note.check, "note");
    EXPECT_EQ(note.checked, std::string(c.writer) != "pandoc") << c.writer;
  }
}

TEST(WriterExpectationsTest, BlocksFactsAndTablesComeOutAsWritten) {
  Expectation e = ParseExpectation(kSample, "swing");
  ASSERT_TRUE(e.errors.empty()) << e.errors.front();
  ASSERT_EQ(e.blocks.size(), 8u);
  EXPECT_EQ(e.blocks[0].kind, BlockKind::kHeading);
  EXPECT_EQ(e.blocks[0].heading, 1);

  // The text starts after the first ": ", so a URL's "https:" stays in the argument.
  const std::vector<BlockFact>& facts = e.blocks[1].facts;
  ASSERT_EQ(facts.size(), 3u);
  EXPECT_EQ(facts[0].check, "bold");
  EXPECT_EQ(facts[0].text, "two");
  EXPECT_EQ(facts[1].check, "link");
  EXPECT_EQ(facts[1].argument, "https://example.org/x");
  EXPECT_EQ(facts[1].text, "two");
  EXPECT_EQ(Words(e.blocks[2].marker).size(), 1u);
  EXPECT_EQ(e.blocks[2].WordsOfBlock(), (std::vector<std::string>{"a", "Sub", "item"}));

  // "columns 2" belongs to the first block after it, the table's first cell.
  EXPECT_EQ(e.blocks[4].columns, 2);
  EXPECT_EQ(e.blocks[5].columns, 0);

  ASSERT_EQ(e.tables.size(), 2u);
  const ExpectedTable& outer = e.tables[0];
  const ExpectedTable& inner = e.tables[1];
  EXPECT_TRUE(outer.checked);
  EXPECT_FALSE(inner.checked);  // [unchecked swing]
  EXPECT_EQ(inner.parent, 0);
  EXPECT_EQ(inner.depth, 2);
  ASSERT_EQ(outer.rows.size(), 2u);
  EXPECT_EQ(outer.rows[0][0].colspan, 2);
  EXPECT_EQ(outer.rows[1][0].rowspan, 2);
  // The paragraph after the nested table is one more paragraph of the outer cell.
  EXPECT_EQ(outer.rows[1][0].blocks, (std::vector<size_t>{5, 7}));
  EXPECT_EQ(inner.rows[0][0].blocks, (std::vector<size_t>{6}));
  EXPECT_EQ(e.blocks[6].table, 1);
  EXPECT_EQ(e.blocks[7].table, 0);
  // A fact after the table is about the table's last block.
  EXPECT_EQ(e.blocks[7].facts.back().check, "picture");
  EXPECT_EQ(e.blocks[7].facts.back().argument, "png 48x36");
}

TEST(WriterExpectationsTest, MalformedLinesAreErrors) {
  const char* cases[] = {
      "bold: before any block",
      "p: x\nunknown: y",
      "row",
      "cell: outside",
      "table\nrow\ncell: a",  // no end
      "end table",
      "[maybe pandoc] p: x",
      "[not pandoc p: x",
      "item 1: no marker",
      "table\nrow\ncell wide=2: a\nend table",
      "table\np: outside a cell\nend table",
  };
  for (const char* text : cases) EXPECT_FALSE(ParseExpectation(text, "lo-fodt").errors.empty()) << text;
}

TEST(WriterExpectationsTest, MarkersSkippedLeaveTheirWordsOut) {
  Expectation e = ParseExpectation("skip abiword: markers\nitem 1 1.: First\n", "abiword");
  ASSERT_EQ(e.blocks.size(), 1u);
  EXPECT_FALSE(e.blocks[0].list_checked);
  EXPECT_EQ(e.blocks[0].WordsOfBlock(), std::vector<std::string>{"First"});
  Expectation other = ParseExpectation("skip abiword: markers\nitem 1 1.: First\n", "lo-fodt");
  EXPECT_EQ(other.blocks[0].WordsOfBlock(), (std::vector<std::string>{"1", "First"}));
}

}  // namespace
}  // namespace tessarine::testing
