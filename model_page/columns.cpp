#include "model_page/columns.h"

#include <algorithm>

#include "base/line_break.h"
#include "model_page/blocks.h"
#include "model_page/text_encoding.h"

namespace tessarine {

std::vector<int> ShareOutBlocks(std::span<const model::Block> blocks, int columns) {
  std::vector<size_t> lengths;
  lengths.reserve(blocks.size());
  size_t total = 0;
  for (const model::Block& block : blocks) {
    // Every block weighs at least 1, so that blocks without text are shared out too.
    lengths.push_back(TextLength(std::span<const model::Block>(&block, 1)) + 1);
    total += lengths.back();
  }
  std::vector<int> result;
  result.reserve(blocks.size());
  size_t before = 0;
  for (size_t length : lengths) {
    const size_t middle = before + length / 2;
    int column = static_cast<int>(middle * static_cast<size_t>(columns) / total);  // middle < total
    // The first block opens the first column, and no column is skipped.
    const int previous = result.empty() ? -1 : result.back();
    column = std::clamp(column, std::max(previous, 0), previous + 1);
    result.push_back(column);
    before += length;
  }
  return result;
}

void WriteColumns(PageContext& context, std::string& out, std::span<const model::Block> blocks, int columns) {
  if (blocks.empty()) return;
  if (columns > kMostColumns) columns = kMostColumns;
  context.flags.has_sections = true;
  const std::vector<int> column_of = ShareOutBlocks(blocks, columns);
  out.append("<table border=0 width=90%>");
  out.append(kLineBreak);
  out.append("<tr>");
  out.append(kLineBreak);
  size_t next = 0;
  for (int column = 0; column < columns; ++column) {
    out.append("<td width=");
    AppendNumber(out, 100 / columns);
    out.append("%>");
    const size_t first = next;
    while (next < blocks.size() && column_of[next] == column) ++next;
    WriteBlocks(context, out, blocks.subspan(first, next - first), BlockPlace{Place::kCell, 1});
    out.append("</td>");
    out.append(kLineBreak);
  }
  out.append("</tr></table>");
  out.append(kLineBreak);
}

}  // namespace tessarine
