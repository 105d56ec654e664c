#include "passes/tables/unmarked_table.h"

#include <algorithm>
#include <array>

#include "base/line_break.h"
#include "passes/scan/control_word.h"
#include "passes/scan/decode_text.h"
#include "passes/scan/number.h"
#include "passes/tables/table_geometry.h"

namespace tessarine {

namespace {

// Destinations whose text is not document text.
constexpr std::array<std::string_view, 11> kHiddenDestinations = {
    "pict",     "object",     "shp",  "nonshppict", "fldinst", "fonttbl",
    "colortbl", "stylesheet", "info", "header",     "footer"};

// The end of the group at `at` when its text is not shown ("{\*...}" and the hidden
// destinations), or npos when it is shown.
size_t HiddenGroupEnd(std::string_view text, size_t at) {
  if (at + 2 >= text.size() || text[at + 1] != '\\') return std::string_view::npos;
  bool hidden = text[at + 2] == '*';
  if (!hidden && IsLetter(text[at + 2])) {
    const std::string_view name = ReadControlWord(text, at + 1).name;
    for (std::string_view d : kHiddenDestinations) hidden = hidden || name == d;
  }
  if (!hidden) return std::string_view::npos;
  const size_t end = SkipGroup(text, at, text.size());
  return end == std::string_view::npos ? text.size() : end;
}

// The character the text at `at` starts with, a hex escape read as its byte; 0 at the end.
char CharacterAt(std::string_view rtf, size_t at) {
  if (at >= rtf.size()) return 0;
  if (rtf.substr(at, 2) == "\\'" && at + 3 < rtf.size()) return HexEscapeByte(rtf.substr(at));
  return rtf[at];
}

// Drops line breaks and spaces at the end of what was appended after `start`; a text of spaces
// only is dropped whole.
void TrimCellEnd(std::string& out, size_t start) {
  for (;;) {
    while (out.size() > start && out.back() == ' ') out.pop_back();
    if (out.size() >= start + 4 && out.compare(out.size() - 4, 4, "<br>") == 0) {
      out.resize(out.size() - 4);
      continue;
    }
    break;
  }
}

// A row split into cells: the text of each cell, the row's boundaries and merge marks.
struct UnmarkedRow {
  std::vector<std::string_view> cells;  // the RTF text of each "\cell"
  std::string_view trailing;            // after the last "\cell", before "\row"
  GeometryRow geometry;
};

// Splits the text of a row (up to its "\row") at its cell ends, and reads the boundaries of its
// first definition: the "\cellx" words from its first "\trowd" to the next cell end.
UnmarkedRow SplitRow(std::string_view row) {
  UnmarkedRow result;
  size_t cell_start = 0;
  size_t definition = std::string_view::npos;  // the first "\trowd", while its boundaries are read
  bool definition_done = false;
  size_t properties = 0;  // where the current cell's properties begin
  size_t i = 0;
  while (i < row.size()) {
    const char c = row[i];
    if (c == '{') {
      const size_t end = HiddenGroupEnd(row, i);
      i = end == std::string_view::npos ? i + 1 : end;
    } else if (c == '\\' && i + 1 < row.size() && IsLetter(row[i + 1])) {
      const ControlWord w = ReadControlWord(row, i);
      if (w.name == "cell") {
        result.cells.push_back(row.substr(cell_start, i - cell_start));
        cell_start = w.end;
        if (definition != std::string_view::npos) definition_done = true;
      } else if (w.name == "trowd" && definition == std::string_view::npos) {
        definition = i;
        properties = w.end;
      } else if (w.name == "cellx" && definition != std::string_view::npos && !definition_done) {
        const std::string_view cell_properties = row.substr(properties, i - properties);
        result.geometry.boundaries.push_back(ReduceBoundary(row.substr(i + 6, w.end - i - 6)));
        result.geometry.marks.push_back(MergeMark(cell_properties, row[i]));
        properties = w.end;
      } else if (w.name == "bin") {
        i = std::min(row.size(), w.end + static_cast<size_t>(w.value > 0 ? w.value : 0));
        continue;
      }
      i = w.end;
    } else if (c == '\\') {
      i += 2;
    } else {
      ++i;
    }
  }
  result.trailing = row.substr(std::min(cell_start, row.size()));
  return result;
}

// Whether every row has one boundary per cell, in strictly ascending order.
bool SpansComputable(const std::vector<UnmarkedRow>& rows) {
  for (const UnmarkedRow& row : rows) {
    const std::vector<std::string>& b = row.geometry.boundaries;
    if (b.empty() || b.size() != row.cells.size()) return false;
    for (size_t k = 1; k < b.size(); ++k) {
      std::string_view prev = b[k - 1], cur = b[k];
      while (!prev.empty() && prev.front() == '0') prev.remove_prefix(1);
      while (!cur.empty() && cur.front() == '0') cur.remove_prefix(1);
      if (prev.size() > cur.size() || (prev.size() == cur.size() && prev >= cur)) return false;
    }
  }
  return true;
}

void AppendCell(std::string_view text, long colspan, long rowspan, std::string& out) {
  out.append("<td");
  if (colspan > 1) out.append(" colspan=").append(std::to_string(colspan));
  if (rowspan > 1) out.append(" rowspan=").append(std::to_string(rowspan));
  out.append("><p>");
  out.append(text.empty() ? std::string_view("&nbsp;") : text);
  out.append("</p></td>").append(kLineBreak);
}

}  // namespace

void AppendCellText(std::string_view rtf, std::string& out) {
  const size_t start = out.size();
  size_t i = 0;
  while (i < rtf.size()) {
    const char c = rtf[i];
    if (c == '\\') {
      if (i + 1 >= rtf.size()) break;
      const char d = rtf[i + 1];
      if (IsLetter(d)) {
        const ControlWord w = ReadControlWord(rtf, i);
        if (w.name == "par" || w.name == "line") {
          out.append("<br>");
        } else if (w.name == "emdash" || w.name == "endash") {
          out.append("- ");  // as text decoding writes the dash words
        } else if (w.name == "tab" || w.name == "nestcell") {
          out.push_back(' ');
        } else if (w.name == "bin") {
          i = std::min(rtf.size(), w.end + static_cast<size_t>(w.value > 0 ? w.value : 0));
          continue;
        }
        i = w.end;
      } else if (d == '\'') {
        if (i + 3 >= rtf.size()) break;
        const char byte = HexEscapeByte(rtf.substr(i));
        AppendTextCharacter(byte, byte == '&' ? CharacterAt(rtf, i + 4) : 0, out);
        i += 4;
      } else if (rtf.substr(i, 4) == kOpenBracePlaceholder) {
        out.push_back('{');
        i += 4;
      } else if (rtf.substr(i, 4) == kCloseBracePlaceholder) {
        out.push_back('}');
        i += 4;
      } else {
        if (d == '~') out.append("&nbsp;");
        if (d == '_') out.push_back('-');
        if (d == '\\' || d == '{' || d == '}') out.push_back(d);
        i += 2;
      }
    } else if (c == '{') {
      const size_t end = HiddenGroupEnd(rtf, i);
      i = end == std::string_view::npos ? i + 1 : end;
    } else if (c == '}' || c == '\r' || c == '\n') {
      ++i;
    } else if (const size_t mark = c == kReferenceMark ? ReferenceMarkLength(rtf.substr(i)) : 0; mark > 0) {
      out.append(rtf.substr(i + 1, mark - 1));  // the reference the escape rewrite wrote
      i += mark;
    } else if (c == '<' || c == '>' || c == '&') {
      AppendTextCharacter(c, c == '&' ? CharacterAt(rtf, i + 1) : 0, out);
      ++i;
    } else {
      out.push_back(c);
      ++i;
    }
  }
  TrimCellEnd(out, start);
}

void AssembleUnmarkedTable(std::string_view text, const std::vector<RowExtent>& rows, ConversionState& st) {
  std::vector<UnmarkedRow> split;
  split.reserve(rows.size());
  for (const RowExtent& r : rows) split.push_back(SplitRow(text.substr(r.begin, r.mark - r.begin)));

  const bool spans = SpansComputable(split);
  SpanList colspans, rowspans;
  if (spans) {
    std::vector<GeometryRow> geometry;
    geometry.reserve(split.size());
    for (UnmarkedRow& row : split) geometry.push_back(std::move(row.geometry));
    AppendSpans(geometry, colspans, rowspans);
  }

  std::string& out = st.OutputText;
  out.append("<table border=1 width=90%>").append(kLineBreak);
  std::string cell_html;
  for (const UnmarkedRow& row : split) {
    out.append("<tr>").append(kLineBreak);
    for (std::string_view cell : row.cells) {
      cell_html.clear();
      AppendCellText(cell, cell_html);
      long colspan = 1, rowspan = 1;
      if (spans) {
        colspan = ValueOf(colspans.Pop());
        rowspan = ValueOf(rowspans.Pop());
      }
      if (rowspan <= 0 && cell_html.empty()) continue;  // covered by the merged cell above
      AppendCell(cell_html, colspan, rowspan, out);
    }
    cell_html.clear();
    AppendCellText(row.trailing, cell_html);
    if (!cell_html.empty()) AppendCell(cell_html, 1, 1, out);
    out.append("</tr>").append(kLineBreak);
  }
  out.append("</table>").append(kLineBreak);
}

}  // namespace tessarine
