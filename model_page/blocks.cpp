#include "model_page/blocks.h"

#include <string>
#include <system_error>
#include <thread>
#include <variant>

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

namespace {

// From how many blocks a body is written in halves side by side.
constexpr size_t kHalvesFrom = 2048;

// Writes `blocks` of the body, the first in a section of `columns` columns: a section break sets
// the columns of the blocks after it, and the blocks of a section with columns go together.
// Calls `report()` after each step.
template <typename Report>
void WriteSections(PageContext& context, std::string& out, std::span<const model::Block> blocks, int columns,
                   Report report) {
  size_t i = 0;
  while (i < blocks.size()) {
    if (const auto* section = std::get_if<model::SectionBreak>(&blocks[i].content)) {
      columns = section->columns;
      ++i;
      continue;
    }
    if (columns <= 1) {
      WriteBlocks(context, out, blocks.subspan(i, 1), BlockPlace{});
      ++i;
    } else {
      size_t end = i;
      while (end < blocks.size() && !std::holds_alternative<model::SectionBreak>(blocks[end].content)) ++end;
      WriteColumns(context, out, blocks.subspan(i, end - i), columns);
      i = end;
    }
    report();
  }
}

// Whether `blocks` hold a note mark or a bookmark: what a page's writing numbers or writes once,
// so that their page depends on the blocks written before them.
bool HoldsMarks(std::span<const model::Block> blocks, int table_depth) {
  for (const model::Block& block : blocks) {
    if (const auto* paragraph = std::get_if<model::Paragraph>(&block.content)) {
      for (const model::Inline& item : paragraph->inlines) {
        if (item.kind == model::InlineKind::kNoteMark || item.kind == model::InlineKind::kBookmark) return true;
      }
    } else if (const auto* table = std::get_if<model::Table>(&block.content)) {
      if (table_depth >= model::kMaxTableDepth) continue;
      for (const model::Row& row : table->rows) {
        for (const model::Cell& cell : row.cells) {
          if (HoldsMarks(cell.blocks, table_depth + 1)) return true;
        }
      }
    }
  }
  return false;
}

// Where the body can be cut into two halves written each on its own: the first block from the
// middle on that starts no part of a section with columns, and after which nothing depends on
// what came before (HoldsMarks); 0 when there is none. `columns`: the columns of the section the
// cut falls in.
size_t HalfwayCut(std::span<const model::Block> body, int& columns) {
  columns = 1;
  size_t cut = 0;
  for (size_t i = 0; i < body.size(); ++i) {
    const auto* section = std::get_if<model::SectionBreak>(&body[i].content);
    if (i >= body.size() / 2 && i > 0 && (columns <= 1 || section != nullptr)) {
      cut = i;
      break;
    }
    if (section != nullptr) columns = section->columns;
  }
  if (cut == 0 || HoldsMarks(body.subspan(cut), 0)) return 0;
  return cut;
}

}  // namespace

BodyWriting::BodyWriting(PageContext& context, model::Document* owned) : context_(context) {
  const std::span<const model::Block> body = context.document.body;
  cut_ = body.size() >= kHalvesFrom ? HalfwayCut(body, cut_columns_) : 0;
  if (cut_ == 0) {
    cut_ = body.size();
    return;
  }
  other_.emplace(context.document, context.style.settings());
  try {
    beside_ = std::thread([this, tail = body.subspan(cut_), owned] {
      try {
        if (HoldsMarks(tail, 0)) return;  // written after the first half instead
        WriteSections(*other_, second_, tail, cut_columns_, [] {});
        second_written_ = true;
        // Letting go of a large document takes long: half of it goes here, beside the rest.
        // Once Write has begun, nothing but this thread looks at the second half any more.
        if (owned != nullptr) {
          {
            std::unique_lock<std::mutex> lock(mutex_);
            begun_.wait(lock, [this] { return began_; });
          }
          for (size_t i = cut_; i < owned->body.size(); ++i) owned->body[i] = model::Block{};
        }
      } catch (...) {  // out of memory: written after the first half instead
      }
    });
  } catch (const std::system_error&) {
  }
}

BodyWriting::~BodyWriting() {
  Begin();
  if (beside_.joinable()) beside_.join();
}

void BodyWriting::Begin() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    began_ = true;
  }
  begun_.notify_one();
}

void BodyWriting::Write(std::string& out, Progress& progress, size_t expected_size) {
  Begin();
  const std::span<const model::Block> body = context_.document.body;
  const size_t start = out.size();
  auto report = [&] {
    const size_t written = out.size() - start;
    progress.Set(expected_size == 0 ? Progress::kSteps
                                    : static_cast<int>(written * Progress::kSteps / expected_size));
  };
  WriteSections(context_, out, body.subspan(0, cut_), 1, report);
  if (cut_ == body.size()) return;
  if (beside_.joinable()) beside_.join();
  if (!second_written_) return WriteSections(context_, out, body.subspan(cut_), cut_columns_, report);
  out.append(second_);
  context_.flags.has_tables |= other_->flags.has_tables;
  context_.flags.has_sections |= other_->flags.has_sections;
  context_.flags.has_hyperlinks |= other_->flags.has_hyperlinks;
  report();
}

void WriteBody(PageContext& context, std::string& out, Progress& progress, size_t expected_size) {
  BodyWriting(context).Write(out, progress, expected_size);
}

}  // namespace tessarine
