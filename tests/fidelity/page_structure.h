// What a converted page shows of a document's structure, read back from its HTML (code page
// 1251): formatted words, links, notes, tables, pictures and the starts of its lines. With the
// source's features (source_features.h) or a writer document's expectation it makes the
// structure checks of the fidelity tests; it uses no converter or reader under test.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tessarine::testing {

// Tells whether a character belongs to a word (IsWordCharacter of words.h, or a writer
// document expectation's IsWordChar).
using WordRule = bool (*)(char32_t);

struct PageCell {
  int colspan = 1, rowspan = 1;
  std::string text;  // UTF-8: the cell's own text, not that of tables nested in it
};

struct PageTable {
  int parent = -1;  // the table in one of whose cells this one stands; -1 in the body
  int depth = 1;    // 1 in the body, 2 inside a cell of a table in the body ...
  std::vector<std::vector<PageCell>> rows;

  bool HasRowspan() const;  // a cell with rowspan above 1
  bool HasColspan() const;  // a cell with colspan above 1
};

struct PageStructure {
  // The distinct words with a character inside <b>/<strong>, <i>/<em>, <u>, or inside an
  // element whose style says font-weight:bold, font-style:italic, text-decoration:underline;
  // the text of a link (<a href> without a class: not the notes' links) counts as underlined
  // and that of a heading (h1 to h6) as bold, as browsers and the pages' stylesheets show them.
  std::set<std::string> bold, italic, underline;
  std::set<std::string> external_targets;  // href values that are not in-page ("#..."), decoded
  // Links between the text and the notes that reach each other: a link in the text to an anchor
  // after the notes' rule, from whose note a link leads back to the anchor at the first link.
  int notes_linked_both_ways = 0;
  int broken_in_page_links = 0;  // href="#x" without an anchor named x
  // Every table in the order it opens; not the pages' column layout (<table border=0 width=90%>).
  std::vector<PageTable> tables;
  int images = 0;  // <img> elements
  // The first characters (up to 24, UTF-8, leading spaces left out) of every paragraph, heading,
  // list item, cell and line after <br> before the notes' rule; empty ones left out.
  std::vector<std::string> line_starts;

  int TopLevelTables() const;
  int NestedTables() const;
};

// Reads `page`'s body; words are runs of characters `is_word` accepts. Anything that is no page
// gives an empty structure.
PageStructure ReadPageStructure(std::string_view page, WordRule is_word);

}  // namespace tessarine::testing
