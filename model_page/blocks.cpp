#include "model_page/blocks.h"

#include "model_page/columns.h"
#include "model_page/paragraphs.h"
#include "model_page/tables.h"

namespace tessarine {

namespace {

size_t ParagraphLength(const model::Paragraph& paragraph) {
  size_t length = paragraph.format.list_marker.size();
  for (const model::Inline& item : paragraph.inlines) {
    switch (item.kind) {
      case model::InlineKind::kText:
        length += item.text.size();
        break;
      case model::InlineKind::kTab:
      case model::InlineKind::kNoteMark:
      case model::InlineKind::kPicture:
        length += 1;
        break;
      default:
        break;
    }
  }
  return length;
}

}  // namespace

size_t TextLength(std::span<const model::Block> blocks, int table_depth) {
  size_t length = 0;
  for (const model::Block& block : blocks) {
    if (const auto* paragraph = std::get_if<model::Paragraph>(&block.content)) {
      length += ParagraphLength(*paragraph);
    } else if (const auto* table = std::get_if<model::Table>(&block.content)) {
      if (table_depth >= model::kMaxTableDepth) continue;
      for (const model::Row& row : table->rows) {
        for (const model::Cell& cell : row.cells) length += TextLength(cell.blocks, table_depth + 1);
      }
    }
  }
  return length;
}

void WriteBlocks(PageContext& context, std::string& out, std::span<const model::Block> blocks,
                 BlockPlace place) {
  const ParagraphOptions options{place.place};
  for (const model::Block& block : blocks) {
    if (const auto* paragraph = std::get_if<model::Paragraph>(&block.content)) {
      WriteParagraph(context, out, *paragraph, options);
    } else if (const auto* table = std::get_if<model::Table>(&block.content)) {
      // Deeper tables than the model allows are left out: every walk stays bounded.
      if (place.table_depth < model::kMaxTableDepth) WriteTable(context, out, *table, place.table_depth + 1);
    }
  }
}

void WriteBody(PageContext& context, std::string& out, Progress& progress, size_t expected_size) {
  const std::span<const model::Block> body = context.document.body;
  const size_t start = out.size();
  auto report = [&] {
    const size_t written = out.size() - start;
    progress.Set(expected_size == 0 ? Progress::kSteps
                                    : static_cast<int>(written * Progress::kSteps / expected_size));
  };
  size_t i = 0;
  int columns = 1;
  while (i < body.size()) {
    if (const auto* section = std::get_if<model::SectionBreak>(&body[i].content)) {
      columns = section->columns;
      ++i;
      continue;
    }
    if (columns <= 1) {
      WriteBlocks(context, out, body.subspan(i, 1), BlockPlace{});
      ++i;
    } else {
      size_t end = i;
      while (end < body.size() && !std::holds_alternative<model::SectionBreak>(body[end].content)) ++end;
      WriteColumns(context, out, body.subspan(i, end - i), columns);
      i = end;
    }
    report();
  }
}

}  // namespace tessarine
