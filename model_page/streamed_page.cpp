#include "model_page/streamed_page.h"

#include <iterator>
#include <utility>
#include <variant>

#include "base/huge_pages.h"
#include "model_page/blocks.h"
#include "model_page/columns.h"
#include "model_page/encapsulated_html.h"
#include "model_page/notes.h"
#include "model_page/write_page.h"

namespace tessarine {

namespace {

// What the body's writing takes from the start of a document.
model::Document StartOf(const model::Document& start) {
  model::Document seen;
  seen.fonts = start.fonts;
  seen.default_tab_twips = start.default_tab_twips;
  seen.looks.clear();
  seen.notes.resize(start.notes.size());
  return seen;
}

}  // namespace

PagePiece PieceTaker::Take(model::Document& document, size_t keep) {
  PagePiece piece;
  std::vector<model::Block>& body = document.body;
  const size_t taken = body.size() > keep ? body.size() - keep : 0;
  piece.blocks.reserve(taken);
  piece.blocks.insert(piece.blocks.end(), std::make_move_iterator(body.begin()),
                      std::make_move_iterator(body.begin() + static_cast<std::ptrdiff_t>(taken)));
  body.erase(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(taken));
  if (document.looks.size() > looks_) {
    piece.looks.assign(document.looks.begin() + static_cast<std::ptrdiff_t>(looks_), document.looks.end());
    looks_ = document.looks.size();
  }
  for (; pictures_ < document.pictures.size(); ++pictures_) {
    piece.pictures.push_back(std::move(document.pictures[pictures_]));
  }
  piece.note_count = document.notes.size();
  return piece;
}

StreamedModelPage::StreamedModelPage(const model::Document& start, const Settings& settings,
                                     size_t expected_size)
    : seen_(StartOf(start)), context_(seen_, settings) {
  body_.reserve(expected_size + kPageHeadRoom);
  AdviseHugePages(body_.data(), body_.capacity());
}

void StreamedModelPage::Add(PagePiece& piece) {
  for (model::ParagraphLook& look : piece.looks) seen_.looks.push_back(std::move(look));
  for (model::Picture& picture : piece.pictures) seen_.pictures.push_back(std::move(picture));
  if (piece.note_count > seen_.notes.size()) seen_.notes.resize(piece.note_count);
  context_.notes.Grow(seen_.notes.size());
  // As WriteBody: a section break sets the columns of the blocks after it; the blocks of a
  // section with columns go together, once its end is known.
  for (model::Block& block : piece.blocks) {
    if (const auto* section = std::get_if<model::SectionBreak>(&block.content)) {
      WriteHeldSection();
      columns_ = section->columns;
    } else if (columns_ <= 1) {
      WriteBlocks(context_, body_, std::span<const model::Block>(&block, 1), BlockPlace{});
    } else {
      section_.push_back(std::move(block));
    }
  }
}

void StreamedModelPage::WriteHeldSection() {
  if (section_.empty()) return;
  WriteColumns(context_, body_, section_, columns_);
  section_.clear();
}

bool StreamedModelPage::Finish(model::Document& end, Conversion* result) {
  if (end.fonts != seen_.fonts || end.default_tab_twips != seen_.default_tab_twips ||
      (end.from_html && HoldsMarkup(end.html))) {
    return false;
  }
  WriteHeldSection();
  seen_.notes = std::move(end.notes);
  context_.notes.Grow(seen_.notes.size());
  std::string notes;
  AppendNotes(context_, notes);
  AssembleModelPage(*result, context_.style.settings(), context_.flags, body_, notes, end.background);
  return true;
}

}  // namespace tessarine
