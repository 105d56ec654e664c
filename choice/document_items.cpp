#include "choice/document_items.h"

#include "model_page/pictures.h"
#include "model_page/text_encoding.h"

namespace tessarine {

DocumentItems::DocumentItems(const model::Document& document) : document_(document) {
  frames_.reserve(2 * model::kMaxTableDepth + 4);
  Frame body;
  body.blocks = &document.body;
  frames_.push_back(body);
}

const DocumentItem& DocumentItems::Give(ShownItem kind) {
  item_.kind = kind;
  item_.format = nullptr;
  return item_;
}

const DocumentItem* DocumentItems::Characters(std::string_view text, Frame& frame,
                                              const model::CharFormat* format, model::Alignment alignment) {
  if (frame.offset >= text.size()) return nullptr;
  size_t length = 1;
  char32_t c = static_cast<unsigned char>(text[frame.offset]);
  if (c >= 0x80) c = DecodeUtf8(text.substr(frame.offset), length);
  frame.offset += length;
  if (IsWordCharacter(c)) {
    item_.kind = ShownItem::kCharacter;
    item_.character = c;
    item_.format = format;
    item_.alignment = alignment;
    run_ = text;
    run_offset_ = &frame.offset;
    return &item_;
  }
  // The run of characters of no word gives one space.
  while (frame.offset < text.size()) {
    c = static_cast<unsigned char>(text[frame.offset]);
    length = 1;
    if (c >= 0x80) c = DecodeUtf8(text.substr(frame.offset), length);
    if (IsWordCharacter(c)) break;
    frame.offset += length;
  }
  return &Give(ShownItem::kSpace);
}

const DocumentItem* DocumentItems::Paragraph(Frame& frame) {
  const model::Paragraph& paragraph = *frame.paragraph;
  const model::Alignment alignment = paragraph.format.alignment;
  if (!frame.started) {
    if (const DocumentItem* item = Characters(paragraph.format.list_marker, frame, nullptr, alignment))
      return item;
    frame.started = true;
    frame.offset = 0;
    if (!paragraph.format.list_marker.empty()) return &Give(ShownItem::kSpace);
  }
  while (frame.index < paragraph.inlines.size()) {
    const model::Inline& item = paragraph.inlines[frame.index];
    // Links do not nest: one starting closes the one before.
    if (item.kind == model::InlineKind::kLinkStart && frame.link_open) {
      frame.link_open = false;
      return &Give(ShownItem::kLinkEnd);
    }
    if (item.kind == model::InlineKind::kText) {
      if (const DocumentItem* given = Characters(item.text, frame, &item.format, alignment)) return given;
      ++frame.index;
      frame.offset = 0;
      continue;
    }
    ++frame.index;
    switch (item.kind) {
      case model::InlineKind::kTab:
        return &Give(ShownItem::kSpace);
      case model::InlineKind::kLineBreak:
        return &Give(ShownItem::kLineStart);
      case model::InlineKind::kNoteMark:
        return &Give(ShownItem::kNoteMark);
      case model::InlineKind::kLinkStart:
        item_.target = item.text;
        item_.local = item.local;
        frame.link_open = true;
        return &Give(ShownItem::kLinkStart);
      case model::InlineKind::kLinkEnd:
        if (!frame.link_open) break;
        frame.link_open = false;
        return &Give(ShownItem::kLinkEnd);
      case model::InlineKind::kPicture:
        if (item.index < document_.pictures.size() && IsShownFormat(document_.pictures[item.index].format)) {
          return &Give(ShownItem::kPicture);
        }
        return &Give(ShownItem::kSpace);
      default:
        break;  // bookmarks show nothing
    }
  }
  // A link still open ends with its paragraph.
  if (frame.link_open) {
    frame.link_open = false;
    return &Give(ShownItem::kLinkEnd);
  }
  return nullptr;
}

const DocumentItem& DocumentItems::Next() {
  run_offset_ = nullptr;
  while (true) {
    if (frames_.empty()) {
      if (next_note_ >= document_.notes.size()) return Give(ShownItem::kEnd);
      Frame note;
      note.blocks = &document_.notes[next_note_++].blocks;
      frames_.push_back(note);
      return Give(ShownItem::kNoteStart);
    }
    Frame& frame = frames_.back();
    switch (frame.kind) {
      case Frame::Kind::kBlocks: {
        if (frame.index == frame.blocks->size()) {
          frames_.pop_back();
          continue;
        }
        const model::Block& block = (*frame.blocks)[frame.index++];
        Frame inner;
        if (const auto* paragraph = std::get_if<model::Paragraph>(&block.content)) {
          inner.kind = Frame::Kind::kParagraph;
          inner.paragraph = paragraph;
          frames_.push_back(inner);
          return Give(ShownItem::kLineStart);
        }
        if (const auto* table = std::get_if<model::Table>(&block.content)) {
          inner.kind = Frame::Kind::kTable;
          inner.table = table;
          frames_.push_back(inner);
          return Give(ShownItem::kTableStart);
        }
        return Give(ShownItem::kLineStart);  // a section break
      }
      case Frame::Kind::kTable: {
        const std::vector<model::Row>& rows = frame.table->rows;
        if (frame.index == rows.size()) {
          frames_.pop_back();
          return Give(ShownItem::kTableEnd);
        }
        const model::Row& row = rows[frame.index];
        if (!frame.started) {
          frame.started = true;
          frame.cell = 0;
          return Give(ShownItem::kRowStart);
        }
        if (frame.cell == row.cells.size()) {
          ++frame.index;
          frame.started = false;
          continue;
        }
        const model::Cell& cell = row.cells[frame.cell++];
        if (cell.horizontal == model::Merge::kContinue || cell.vertical == model::Merge::kContinue) continue;
        Frame inner;
        inner.blocks = &cell.blocks;
        frames_.push_back(inner);
        return Give(ShownItem::kCellStart);
      }
      case Frame::Kind::kParagraph:
        if (const DocumentItem* item = Paragraph(frame)) return *item;
        frames_.pop_back();
        return Give(ShownItem::kLineStart);
    }
  }
}

bool ShowsNothing(const model::Document& document) {
  DocumentItems items(document);
  while (true) {
    const ShownItem kind = items.Next().kind;
    if (kind == ShownItem::kEnd) return true;
    if (kind == ShownItem::kCharacter || kind == ShownItem::kPicture) return false;
  }
}

}  // namespace tessarine
