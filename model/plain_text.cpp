#include "model/plain_text.h"

namespace tessarine::model {

namespace {

void AppendBlocks(const std::vector<Block>& blocks, std::string& out);

void AppendParagraph(const Paragraph& paragraph, std::string& out) {
  if (!paragraph.format.list_marker.empty()) out.append(paragraph.format.list_marker).push_back(' ');
  for (const Inline& item : paragraph.inlines) {
    switch (item.kind) {
      case InlineKind::kText:
        out.append(item.text);
        break;
      case InlineKind::kTab:
        out.push_back('\t');
        break;
      case InlineKind::kLineBreak:
        out.push_back('\n');
        break;
      default:
        break;
    }
  }
  out.push_back('\n');
}

void AppendTable(const Table& table, std::string& out) {
  for (const Row& row : table.rows) {
    for (const Cell& cell : row.cells) {
      AppendBlocks(cell.blocks, out);
      out.push_back('\t');
    }
    out.push_back('\n');
  }
}

// Tables nest at most kMaxTableDepth deep, so the recursion is bounded.
void AppendBlocks(const std::vector<Block>& blocks, std::string& out) {
  for (const Block& block : blocks) {
    if (const auto* paragraph = std::get_if<Paragraph>(&block.content)) {
      AppendParagraph(*paragraph, out);
    } else if (const auto* table = std::get_if<Table>(&block.content)) {
      AppendTable(*table, out);
    }
  }
}

}  // namespace

void AppendPlainText(const Document& document, WithNotes notes, std::string& out) {
  AppendBlocks(document.body, out);
  if (notes == WithNotes::kNo) return;
  for (const Note& note : document.notes) AppendBlocks(note.blocks, out);
}

}  // namespace tessarine::model
