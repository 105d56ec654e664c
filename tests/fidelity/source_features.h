// What an RTF source asks a page to show, found by one plain scan of its text (no reader under
// test): external link targets, notes, tables with their merges, nested tables, the writer's
// list markers and PNG/JPEG pictures. Headers and footers are left out, as pages leave them out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessarine::testing {

struct SourceTable {
  int rows = 0;
  bool vertical_merges = false;    // "\clvmgf": a cell needs rowspan
  bool horizontal_merges = false;  // "\clmgf": a cell needs colspan
  // A row whose cells other rows split: a boundary ("\cellx") of another row lies inside one of
  // its cells (boundaries closer than 30 twips are one), so one of its cells needs colspan.
  bool split_cells = false;

  bool NeedsColspan() const { return horizontal_merges || split_cells; }
};

struct SourceFeatures {
  // HYPERLINK field targets (UTF-8) that are not bookmarks of the document ("\l" alone, or a
  // target starting with "#"); "\l" after a target adds "#anchor". Script targets (javascript:,
  // vbscript:, data:) are left out.
  std::vector<std::string> external_targets;
  int footnotes = 0;                      // "\footnote" groups (endnotes too)
  std::vector<SourceTable> tables;        // the body's tables (outside notes), in order
  bool nested_tables = false;             // "\nesttableprops", "\nestcell", "\nestrow" or "\itap" above 1
  std::vector<std::string> list_markers;  // the text of "\listtext" and "\pntext", NormalMarker'ed
  int pictures = 0;                       // distinct PNG and JPEG pictures, "\nonshppict" copies left out
};

// Scans `rtf`, reading "\'hh" and 8-bit text in the code page its header names ("\ansicpgN" or
// "\mac" of a single-byte code page; else 1251; fonts' own charsets are not looked at). Any
// input gives some answer; linear in the length of the input.
SourceFeatures ReadSourceFeatures(std::string_view rtf);

}  // namespace tessarine::testing
