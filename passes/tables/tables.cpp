#include "passes/tables/tables.h"

#include <string>
#include <vector>

#include "passes/paragraphs/paragraphs.h"
#include "passes/scan/search.h"
#include "passes/tables/row_run.h"
#include "passes/tables/table_assembly.h"
#include "passes/tables/table_geometry.h"
#include "passes/tables/unmarked_table.h"

namespace tessarine {

namespace {

constexpr std::string_view kRowStart = "\\trowd";

// Whether `rtf` holds document text, not only control words, braces and hidden groups.
bool HasText(std::string_view rtf) {
  std::string text;
  AppendCellText(rtf, text);
  return !text.empty();
}

// Converts the table that ends with the brace before `end`, whose last row is marked.
void ConvertMarkedTable(ConversionState& st, size_t end) {
  SpanList colspans, rowspans;
  ComputeTableGeometry(st.Source.Content().substr(0, end), colspans, rowspans);
  CloseLeftOverCell(st);
  const std::string table = st.Source.Cut(0, static_cast<long>(end));
  AssembleTable(table, colspans, rowspans, st);
}

}  // namespace

void ConvertTableRegion(ConversionState& st) {
  const long t = st.Source.Find(kRowStart, 0);
  if (t < 0) return;
  const std::string_view content = st.Source.Content();

  // Walk the rows that follow each other from the front. When the first "\lastrow" of the text
  // lies in one of them and the brace closing the group after it ends that same row, the table
  // runs from the front through that brace. Otherwise the run of rows is the table.
  RowScanner scanner(st.Source, static_cast<size_t>(t), st.TableRowMarks);
  std::vector<RowExtent> rows;
  bool last_row_seen = false;
  size_t last_row_from = 0;
  while (const std::optional<RowExtent> row = scanner.Next()) {
    rows.push_back(*row);
    if (last_row_seen) continue;
    const size_t p1 = FindFolded(content, "\\lastrow", last_row_from, row->end);
    if (p1 == std::string_view::npos) {
      last_row_from = row->end > 7 ? row->end - 7 : 0;
      continue;
    }
    last_row_seen = true;
    if (p1 == 0) continue;
    const size_t p2 = FindFolded(content, kRowStart, p1, row->end);
    if (p2 == std::string_view::npos || p2 == 0) continue;
    const size_t p3 = content.substr(0, row->end).find('}', p2);
    if (p3 == std::string_view::npos || p3 == 0) continue;
    if (content.substr(0, p3).find("\\nestcell") != std::string_view::npos) continue;
    ConvertMarkedTable(st, p3 + 1);
    return;
  }

  CloseLeftOverCell(st);
  if (t > 0 && HasText(content.substr(0, static_cast<size_t>(t)))) {
    // Text in front of the first row (no paragraph mark stands there) is converted as
    // paragraphs first; the rows go to the next pass. Control words alone are dropped with the
    // table.
    ConvertParagraphs(st.Source.Cut(0, t), st);
    return;
  }
  if (rows.empty()) {
    // A row definition without any row end: drop the mark so the text after it goes on as
    // paragraphs.
    st.Source.Cut(0, t + static_cast<long>(kRowStart.size()));
    return;
  }
  AssembleUnmarkedTable(content, rows, st);
  st.Source.Cut(0, static_cast<long>(rows.back().end));
}

void ConvertTableInText(ConversionState& st) {
  const std::string_view content = st.Source.Content();

  // The table runs to the first "\pard\plain"; when the source begins with a run of rows that
  // ends before one, it ends with that run instead of taking the paragraphs after it along.
  constexpr std::string_view kReset = "\\pard\\plain";
  long p = -1;
  if (FindFolded(content, kRowStart, 0, kRowStart.size()) == 0) {
    RowScanner scanner(st.Source, 0, st.TableRowMarks);
    size_t from = 0;
    while (const std::optional<RowExtent> row = scanner.Next()) {
      const size_t reset = FindFolded(content, kReset, from, row->end);
      p = static_cast<long>(reset == std::string_view::npos ? row->end : reset);
      if (reset != std::string_view::npos) break;
      from = row->end > kReset.size() ? row->end - (kReset.size() - 1) : 0;
    }
  }
  if (p < 0) p = st.Source.Find(kReset, 0);

  std::string table;
  if (p > 0) {
    table.assign(content.substr(0, static_cast<size_t>(p)));
    st.Source.Replace(0, p, " ");
  } else {
    table = st.Source.TakeAll();
  }
  CloseLeftOverCell(st);
  AssembleSimpleTable(table, st);
}

}  // namespace tessarine
