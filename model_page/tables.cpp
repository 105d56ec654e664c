#include "model_page/tables.h"

#include <span>

#include "base/line_break.h"
#include "model/table_grid.h"
#include "model_page/blocks.h"
#include "model_page/box_style.h"
#include "model_page/text_encoding.h"

namespace tessarine {

namespace {

void OpenCell(std::string& out, const model::GridCell& cell) {
  out.append("<td");
  if (cell.colspan > 1) {
    out.append(" colspan=");
    AppendNumber(out, cell.colspan);
  }
  if (cell.rowspan > 1) {
    out.append(" rowspan=");
    AppendNumber(out, cell.rowspan);
  }
  if (cell.width_percent > 0) {
    out.append(" width=");
    AppendNumber(out, cell.width_percent);
    out.push_back('%');
  }
  if (cell.background != model::kNoColour) {
    out.append(" bgcolor=\"");
    AppendColour(out, cell.background);
    out.push_back('"');
  }
  // The cell's own borders replace the table's grid; its text stands where the document puts it.
  const model::Cell* own = cell.parts.empty() ? nullptr : cell.parts.front();
  if (own != nullptr && (own->own_borders || own->vertical_alignment != model::VerticalAlignment::kTop)) {
    out.append(" style=\"");
    const size_t start = out.size();
    Declarations style(out);
    if (own->own_borders) {
      AppendBorders(style, own->borders, false);
      AppendMissingBorders(style, own->borders);
    }
    if (own->vertical_alignment == model::VerticalAlignment::kCenter) style.Add("vertical-align:middle");
    if (own->vertical_alignment == model::VerticalAlignment::kBottom) style.Add("vertical-align:bottom");
    if (out.size() == start) {
      out.resize(start - 8);
    } else {
      out.push_back('"');
    }
  }
  out.push_back('>');
}

}  // namespace

void WriteTable(PageContext& context, std::string& out, const model::Table& table, int depth) {
  const model::TableGrid grid = model::LayOutTable(table);
  const std::vector<model::GridRow>& rows = grid.rows;
  bool any_cell = false;
  for (const model::GridRow& row : rows) any_cell = any_cell || !row.cells.empty();
  if (!any_cell) return;
  context.flags.has_tables = true;

  out.append("<table border=1 width=90%>");
  out.append(kLineBreak);
  for (size_t r = 0; r < rows.size(); ++r) {
    // A row of the model without cells has no place in the grid; a row whose cells all merged
    // into cells above stays, so that the row spans count it.
    if (table.rows[r].cells.empty()) continue;
    out.append("<tr>");
    out.append(kLineBreak);
    for (const model::GridCell& cell : rows[r].cells) {
      OpenCell(out, cell);
      bool any_block = false;
      for (const model::Cell* part : cell.parts) {
        // The cells merged into this one are written only when they show something: writers
        // leave an empty paragraph in each.
        if (part->blocks.empty() || (part != cell.parts.front() && TextLength(part->blocks, depth) == 0))
          continue;
        any_block = true;
        WriteBlocks(context, out, part->blocks, BlockPlace{Place::kCell, depth});
      }
      if (!any_block) out.append("<p>&nbsp;</p>");
      out.append("</td>");
      out.append(kLineBreak);
    }
    out.append("</tr>");
    out.append(kLineBreak);
  }
  out.append("</table>");
  out.append(kLineBreak);
}

}  // namespace tessarine
