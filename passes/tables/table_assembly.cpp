#include "passes/tables/table_assembly.h"

#include <string>

#include "base/line_break.h"
#include "passes/scan/next_finder.h"
#include "passes/scan/number.h"
#include "passes/scan/scan.h"
#include "passes/tables/table_rows.h"

namespace tessarine {

void CloseLeftOverCell(ConversionState& st) {
  if (!st.TableFlag) return;
  st.OutputText.append(st.SpanOpen ? "</span></p>" : "</p>").append(kLineBreak);
  st.TableFlag = false;
  st.SpanOpen = false;
}

void AssembleTable(std::string_view table, SpanList& colspans, SpanList& rowspans, ConversionState& st) {
  st.OutputText.append("<table border=1 width=90%>").append(kLineBreak);
  NextFinder row_end("\\row");
  NextFinder brace("}");
  NextFinder last_row("\\lastrow");
  do {
    const long r = row_end.Pos(table);
    if (r < 0) break;
    // The row runs through its "\row" to the brace that closes its end group; that brace stays
    // at the front of the rest.
    const std::string_view from_mark = table.substr(static_cast<size_t>(r - 1));
    const long b = brace.Pos(from_mark);
    if (b < 0) break;
    const std::string_view row = table.substr(0, static_cast<size_t>(r - 1 + b));
    table = from_mark.substr(static_cast<size_t>(b - 1));
    if (table.size() == 1) table = {};
    ConvertRow(row, colspans, rowspans, st);
  } while (last_row.Pos(table) > 0 && table.size() >= 5);
  st.OutputText.append("</table>").append(kLineBreak);
}

namespace {

// 1-based position of the last "\cell" that ends a cell (not a "\cellx" boundary), or -1.
long LastCellEnd(std::string_view row) {
  for (size_t at = row.rfind("\\cell"); at != std::string_view::npos; at = row.rfind("\\cell", at - 1)) {
    if (at + 5 >= row.size() || !IsLetter(row[at + 5])) return static_cast<long>(at) + 1;
    if (at == 0) break;
  }
  return -1;
}

// The part of a row the simple row conversion reads: after its first "\pard", up to its second.
// When cells end after the second "\pard" (writers that open every cell with "\pard"), the row
// runs on to the first "\pard" after its last cell end instead, so that those cells are kept;
// its later "\pard" words are then written "\rd" (as paragraph conversion marks a consumed
// paragraph reset), so that they do not read as paragraph marks inside the cells.
std::string_view SimpleRowText(std::string_view row, std::string& storage) {
  const long first = Pos("\\pard", row);
  if (first < 0) return row;
  row = CopyFrom(row, first + 5);
  const long second = Pos("\\pard", row);
  if (second < 0) return row;
  const long last_cell = LastCellEnd(row);
  if (last_cell < second) return CopyLeft(row, second - 1);
  const long after = Pos("\\pard", CopyFrom(row, last_cell + 5));
  if (after > 0) row = CopyLeft(row, last_cell + after + 3);
  storage.clear();
  for (size_t at = 0;;) {
    const size_t pard = row.find("\\pard", at);
    storage.append(row.substr(at, pard == std::string_view::npos ? std::string_view::npos : pard - at));
    if (pard == std::string_view::npos) break;
    storage.append("\\rd");
    at = pard + 5;
  }
  return storage;
}

}  // namespace

void AssembleSimpleTable(std::string_view table, ConversionState& st) {
  st.OutputText.append("<table border=1 width=90%>").append(kLineBreak);
  NextFinder row_end("\\row");
  std::string storage;
  do {
    const long r = row_end.Pos(table);
    if (r < 0) break;
    const std::string_view row = table.substr(0, static_cast<size_t>(r - 1));
    table = CopyFrom(table, r + 4);
    ConvertSimpleRow(SimpleRowText(row, storage), st);
  } while (table.size() >= 5);
  st.OutputText.append("</table>").append(kLineBreak);
}

}  // namespace tessarine
