#include "model_page/notes.h"

#include <span>

#include "base/line_break.h"
#include "model_page/blocks.h"
#include "model_page/page_context.h"
#include "model_page/paragraphs.h"
#include "model_page/text_encoding.h"

namespace tessarine {

uint32_t NoteNumbers::Mark(uint32_t index, bool& first_anchor) {
  first_anchor = false;
  if (index >= numbers_.size()) return 0;
  if (numbers_[index] == 0) {
    order_.push_back(index);
    numbers_[index] = static_cast<uint32_t>(order_.size());
  }
  first_anchor = anchored_[index] == 0;
  anchored_[index] = 1;
  return numbers_[index];
}

void NoteNumbers::NumberUnmarked() {
  for (uint32_t index = 0; index < numbers_.size(); ++index) {
    if (numbers_[index] != 0) continue;
    order_.push_back(index);
    numbers_[index] = static_cast<uint32_t>(order_.size());
  }
}

void AppendNoteReferenceOpen(std::string& out, uint32_t number, bool first) {
  if (first) {
    out.append("<a name=\"hts");
    AppendNumber(out, number);
    out.append("\"></a>");
  }
  out.append("<a class=\"sslk\" href=\"#dssl");
  AppendNumber(out, number);
  out.append("\">");
}

void AppendNoteReferenceClose(std::string& out, uint32_t number) {
  out.append("</a><b><sup>");
  AppendNumber(out, number);
  out.append("</sup></b>");
}

namespace {

// One note: its anchor, its first paragraph led by its number and linking back to its mark,
// then the rest of its blocks.
void AppendNote(PageContext& context, std::string& out, uint32_t index) {
  const model::Note& note = context.document.notes[index];
  const uint32_t number = context.notes.NumberOf(index);
  out.append("<a name=\"dssl");
  AppendNumber(out, number);
  out.append("\"></a>");
  ParagraphOptions options;
  options.place = Place::kNote;
  options.note_number = number;
  options.back_link = context.notes.Anchored(index);
  std::span<const model::Block> blocks = note.blocks;
  const model::Paragraph* first = nullptr;
  if (!blocks.empty()) first = std::get_if<model::Paragraph>(&blocks.front().content);
  if (first != nullptr) {
    WriteParagraph(context, out, *first, options);
    blocks = blocks.subspan(1);
  } else {
    WriteParagraph(context, out, model::Paragraph{}, options);
  }
  WriteBlocks(context, out, blocks, BlockPlace{Place::kNote, 0});
}

}  // namespace

void AppendNotes(PageContext& context, std::string& out) {
  if (context.document.notes.empty()) return;
  // Writing a note may mark another: the order grows while it is walked.
  for (size_t i = 0; i < context.notes.order().size(); ++i)
    AppendNote(context, out, context.notes.order()[i]);
  const size_t marked = context.notes.order().size();
  context.notes.NumberUnmarked();
  for (size_t i = marked; i < context.notes.order().size(); ++i)
    AppendNote(context, out, context.notes.order()[i]);
  context.flags.has_footnotes = true;
}

}  // namespace tessarine
