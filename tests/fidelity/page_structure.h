// What a converted page shows of a document's structure, read back from its HTML (code page
// 1251), and what an RTF source asks for, found by plain scans of its text. Together they make
// the structure checks of the fidelity tests; neither uses a converter or a reader under test.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fidelity/words.h"

namespace tessarine::testing {

struct PageStructure {
  WordCounts bold, italic, underline;      // words inside <b>/<strong>, <i>/<em>, <u>
  std::set<std::string> external_targets;  // href values that are not in-page ("#...")
  int notes_linked_both_ways = 0;          // pairs of links between text and notes that reach each other
  int broken_in_page_links = 0;            // href="#x" without an anchor named x
  int tables = 0;
  int nested_tables = 0;  // tables that stand inside a cell of another
  int rowspans = 0, colspans = 0;
  int images = 0;
  int superscripts = 0;
  std::vector<std::string> paragraph_starts;  // the first word-or-mark of every paragraph's text
};

PageStructure ReadPageStructure(std::string_view page);

struct SourceFeatures {
  std::vector<std::string> external_targets;  // HYPERLINK targets that are not "\l" anchors
  int footnotes = 0;                          // "\footnote" destinations
  bool horizontal_merges = false, vertical_merges = false, nested_tables = false;
  std::vector<std::string> list_markers;  // the text of "\listtext" and "\pntext" groups
  int pictures = 0;                       // PNG and JPEG pictures outside "\nonshppict"
  bool superscript = false;
};

SourceFeatures ReadSourceFeatures(std::string_view rtf);

// A list marker or paragraph start in a form both sides agree on: bullets of every kind become
// "*", trailing spaces and tabs are removed.
std::string NormalMarker(std::string_view utf8);

}  // namespace tessarine::testing
