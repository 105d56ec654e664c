#include "passes/tables/table_rows.h"

#include "base/line_break.h"
#include "passes/paragraphs/run_format.h"
#include "passes/paragraphs/run_text.h"
#include "passes/scan/decode_text.h"
#include "passes/scan/next_finder.h"
#include "passes/scan/number.h"
#include "passes/scan/scan.h"

namespace tessarine {

namespace {

// One cell of ConvertRow while it is being filled.
struct OpenCell {
  std::string html;  // the "<td>" and paragraph opening, then the text once closed
  std::string text;
  long rowspan = 0;
};

void OpenTableCell(OpenCell& cell, SpanList& colspans, SpanList& rowspans, ConversionState& st) {
  cell.text.clear();
  const std::string_view colspan = colspans.Pop();
  const std::string_view rowspan = rowspans.Pop();
  const long cv = ValueOf(colspan);
  cell.rowspan = ValueOf(rowspan);
  cell.html = "<td";
  if (cv == 1 && cell.rowspan == 1) {
    cell.html.append(">");
  } else if (cv > 1) {
    cell.html.append(" colspan=").append(colspan).append(">");
  } else if (cell.rowspan > 1) {
    cell.html.append(" rowspan=").append(rowspan).append(">");
  } else {
    cell.html.append(">");
  }
  if (!st.StyleText.empty()) {
    cell.html.append("<p style=\"").append(st.StyleText).append("\">");
  } else {
    cell.html.append("<p>");
  }
  st.TableFlag = true;
}

void CloseTableCell(OpenCell& cell, ConversionState& st) {
  if (!cell.text.empty()) {
    cell.html.append(cell.text);
    cell.html.append(st.SpanOpen ? "</span></p></td>" : "</p></td>");
  } else {
    cell.html.append("&nbsp;</p></td>");
  }
  cell.html.append(kLineBreak);
  st.SpanOpen = false;
  if (cell.rowspan > 0) st.OutputText.append(cell.html);
  st.TableFlag = false;
}

// Works through one group of a row: each "\cell" after text closes a cell; text without a
// following "\cell" continues the cell into the next group.
void ConvertRowGroup(std::string_view group, bool& new_cell, OpenCell& cell, SpanList& colspans,
                     SpanList& rowspans, ConversionState& st) {
  NextFinder space(" ");
  NextFinder cell_end("\\cell");
  bool found_space = false;
  do {
    if (new_cell) OpenTableCell(cell, colspans, rowspans, st);
    const long s = space.Pos(group);
    const long e = cell_end.Pos(group);
    found_space = s > 0;
    if (s > 0 && e > 0 && e > s + 1) {
      cell.text.append(ConvertCellText(group.substr(static_cast<size_t>(s), static_cast<size_t>(e - 1 - s))));
      group = CopyFrom(group, e + 5);
      new_cell = true;
      CloseTableCell(cell, st);
    } else if (s > 0 && e < 0) {
      const long brace = Pos("}", group);
      std::string_view piece;
      if (brace > s) piece = group.substr(static_cast<size_t>(s), static_cast<size_t>(brace - 1 - s));
      if (brace < 0) piece = group.substr(static_cast<size_t>(s));
      cell.text.append(ConvertCellText(piece));
      group = {};
      new_cell = false;
    } else if (s > 0 && e > 0) {
      group = CopyFrom(group, e + 5);
      new_cell = true;
      CloseTableCell(cell, st);
    }
  } while (found_space && group.size() >= 6);
}

}  // namespace

void ConvertRow(std::string_view row, SpanList& colspans, SpanList& rowspans, ConversionState& st) {
  st.OutputText.append("<tr>").append(kLineBreak);
  bool new_cell = true;
  OpenCell cell;
  NextFinder open_brace("{");
  for (;;) {
    const long g = open_brace.Pos(row);
    if (g < 0) break;
    const long q = Pos("\\q", row.substr(0, static_cast<size_t>(g - 1)));
    if (q > 0) {
      const std::string_view word = AlignmentFor(row[static_cast<size_t>(q) + 1]);
      if (!word.empty()) st.Alignment = word;
    }
    row = row.substr(static_cast<size_t>(g - 1));
    std::string_view group;
    int opens = 0;
    ExtractGroup(row, group, opens);  // an unbalanced group is still worked through
    if (group.find("\\trowd") != std::string_view::npos) break;
    ConvertRowGroup(group, new_cell, cell, colspans, rowspans, st);
    if (row.size() < 6) break;
  }
  st.OutputText.append("</tr>").append(kLineBreak);
}

std::string ConvertCellText(std::string_view piece) {
  std::string result;
  for (;;) {
    const long p = Pos("\\par", piece);
    if (p < 0) {
      DecodeText(piece, result);
      break;
    }
    if (p > 1) DecodeText(piece.substr(0, static_cast<size_t>(p - 1)), result);
    result.append("<br>");
    piece = CopyFrom(piece, p + 4);
    const long sp = Pos(" ", piece);
    if (sp < 0 || sp >= static_cast<long>(piece.size())) break;
    piece = CopyFrom(piece, sp + 1);
  }
  return result;
}

namespace {

// "<td><p>" and the run text of an outside-group cell `t` (its text and the "\c" after it).
void AppendLooseCell(std::string_view t, std::string& cells, ConversionState& st) {
  std::string h;
  if (t.size() > 3) ConvertRunText(t, h, st);
  if (!h.empty() && h != " " && h != "  ") {
    cells.append("<td><p>").append(h).append("</p></td>");
  } else {
    cells.append("<td><p>&nbsp</p></td>");
  }
  cells.append(kLineBreak);
}

// The cells of a group: its run format applies to every "\cell" in it.
void AppendGroupCells(std::string_view group, std::string& cells, ConversionState& st) {
  const RunFormat f = ParseRunFormat(group, st);
  st.StyleText.clear();
  if (!f.FontName.empty()) {
    st.StyleText.append("font-family:");
    AppendFontFamily(st.StyleText, f.FontName);
    st.StyleText.append(";");
  }
  if (!f.FontSize.empty()) st.StyleText.append("font-size:").append(f.FontSize).append("pt;");
  if (!f.Colour.empty()) st.StyleText.append("color:").append(f.Colour).append(";");
  if (!st.StyleText.empty()) st.StyleText.pop_back();

  NextFinder cell_end("\\cell");
  std::string html;
  do {
    const long k = cell_end.Pos(group);
    if (k < 0) break;
    if (!st.StyleText.empty()) {
      cells.append("<td><p style=\"").append(st.StyleText).append("\">");
    } else {
      cells.append("<td><p>");
    }
    if (!f.Bold.empty()) cells.append("<b>");
    if (!f.Italic.empty()) cells.append("<i>");
    if (!f.Underline.empty()) cells.append("<u>");
    ConvertRunText(CopyLeft(group, k + 1), html, st);
    cells.append(html.empty() ? std::string_view("&nbsp;") : std::string_view(html));
    group = CopyFrom(group, k + 5);
    if (!f.Underline.empty()) cells.append("</u>");
    if (!f.Italic.empty()) cells.append("</i>");
    if (!f.Bold.empty()) cells.append("</b>");
    cells.append("</p></td>").append(kLineBreak);
  } while (group.size() >= 5);
}

}  // namespace

void ConvertSimpleRow(std::string_view row, ConversionState& st) {
  st.OutputText.append("<tr>").append(kLineBreak);
  std::string cells;
  NextFinder open_brace("{");
  NextFinder cell_end("\\cell");
  for (;;) {
    const long g = open_brace.Pos(row);
    const long e = cell_end.Pos(row);
    if (e > 0 && (g < 0 || g > e)) {
      AppendLooseCell(e > 1 ? CopyLeft(row, e + 1) : std::string_view(), cells, st);
      row = CopyFrom(row, e + 5);
    } else if (g > 0 && e > 0) {
      row = CopyFrom(row, g);
      std::string_view group;
      int opens = 0;
      ExtractGroup(row, group, opens);
      AppendGroupCells(group, cells, st);
    }
    if (e < 0 || row.size() < 5) break;
  }
  st.OutputText.append(cells).append("</tr>").append(kLineBreak);
}

}  // namespace tessarine
