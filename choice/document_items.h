// The document model walked in the order its page shows it, item by item in the terms of
// shown_text.h: the body's paragraphs and tables (rows, cells, the paragraphs of cells), then
// the notes' texts; in a paragraph its list marker, its words' characters, tabs, line breaks,
// note marks, links and the pictures a page can show (PNG, JPEG).
#pragma once

#include <string_view>
#include <vector>

#include "choice/shown_text.h"
#include "model/document.h"

namespace tessarine {

struct DocumentItem {
  ShownItem kind = ShownItem::kEnd;
  char32_t character = 0;                     // kCharacter
  const model::CharFormat* format = nullptr;  // kCharacter; null for the list marker's
  model::Alignment alignment = model::Alignment::kLeft;  // kCharacter: its paragraph's
  std::string_view target;                    // kLinkStart: as the model holds it
  bool local = false;                         // kLinkStart: a bookmark of the document
};

class DocumentItems {
 public:
  // `document` must outlive the walk.
  explicit DocumentItems(const model::Document& document);

  // The next item; kEnd once the document is done (and on every later call). A run of
  // characters of no word gives one kSpace; a paragraph starts and ends with kLineStart, and so
  // does a section; cells merged into the one before or above them are passed over. Valid until
  // the next call.
  const DocumentItem& Next();

 private:
  struct Frame {
    enum class Kind : uint8_t { kBlocks, kTable, kParagraph };
    Kind kind = Kind::kBlocks;
    const std::vector<model::Block>* blocks = nullptr;  // kBlocks
    const model::Table* table = nullptr;                // kTable
    const model::Paragraph* paragraph = nullptr;        // kParagraph
    size_t index = 0;   // the block, row or inline
    size_t cell = 0;    // kTable: the next cell of the row
    size_t offset = 0;  // kParagraph: in the marker or the inline's text
    bool started = false;  // kTable: the row's kRowStart given; kParagraph: the marker done
  };

  const DocumentItem& Give(ShownItem kind);
  const DocumentItem* Paragraph(Frame& frame);
  const DocumentItem* Characters(std::string_view text, Frame& frame, const model::CharFormat* format,
                                 model::Alignment alignment);

  const model::Document& document_;
  std::vector<Frame> frames_;
  size_t next_note_ = 0;
  DocumentItem item_;
};

// Whether the document shows nothing at all: no word character and no picture a page shows.
bool ShowsNothing(const model::Document& document);

}  // namespace tessarine
