// The document model walked in the order its page shows it, item by item in the terms of
// shown_text.h: the body's paragraphs and tables (rows, cells, the paragraphs of cells), then
// the notes' texts; in a paragraph its list marker, its words' characters, tabs, line breaks,
// note marks, links and the pictures a page shows (model_page/pictures.h IsShownFormat).
#pragma once

#include <string_view>
#include <vector>

#include "choice/shown_text.h"
#include "choice/word_chars.h"
#include "model/document.h"

namespace tessarine {

struct DocumentItem {
  ShownItem kind = ShownItem::kEnd;
  char32_t character = 0;                                // kCharacter
  const model::CharFormat* format = nullptr;             // kCharacter; null for the list marker's
  model::Alignment alignment = model::Alignment::kLeft;  // kCharacter: its paragraph's
  std::string_view target;                               // kLinkStart: as the model holds it
  bool local = false;                                    // kLinkStart: a bookmark of the document
};

class DocumentItems {
 public:
  // `document` must outlive the walk.
  explicit DocumentItems(const model::Document& document);

  // The next item; kEnd once the document is done (and on every later call). A run of
  // characters of no word gives one kSpace; a paragraph starts and ends with kLineStart, and so
  // does a section; cells merged into the one before or above them are passed over; a link ends
  // where the next one starts or with its paragraph at the latest. Valid until the next call.
  const DocumentItem& Next();
  // The next item when it is a word character that goes on the text run of the last one, which
  // most are; null otherwise (then Next gives it). The same item as Next would give.
  const DocumentItem* NextInRun() {
    if (run_offset_ == nullptr || *run_offset_ >= run_.size()) return nullptr;
    const auto b = static_cast<unsigned char>(run_[*run_offset_]);
    char32_t c = b;
    size_t length = 1;
    if (b >= 0x80) {  // two-byte characters (Latin, Greek, Cyrillic ...) only
      if (b < 0xC2 || b > 0xDF || *run_offset_ + 1 >= run_.size()) return nullptr;
      const auto b1 = static_cast<unsigned char>(run_[*run_offset_ + 1]);
      if ((b1 & 0xC0) != 0x80) return nullptr;
      c = (static_cast<char32_t>(b & 0x1F) << 6) | (b1 & 0x3F);
      length = 2;
    }
    if (!IsWordCharacter(c)) return nullptr;
    *run_offset_ += length;
    item_.character = c;
    return &item_;
  }
  // Passes over ASCII characters of no word in the text run of the last character: true when
  // some were passed over and the run goes on (they count as the kSpace Next would give).
  bool SpaceInRun() {
    if (run_offset_ == nullptr) return false;
    size_t i = *run_offset_;
    while (i < run_.size() && static_cast<unsigned char>(run_[i]) < 0x80 &&
           !IsWordCharacter(static_cast<unsigned char>(run_[i]))) {
      ++i;
    }
    if (i == *run_offset_ || i == run_.size() || static_cast<unsigned char>(run_[i]) >= 0x80) return false;
    *run_offset_ = i;
    return true;
  }

 private:
  struct Frame {
    enum class Kind : uint8_t { kBlocks, kTable, kParagraph };
    Kind kind = Kind::kBlocks;
    const std::vector<model::Block>* blocks = nullptr;  // kBlocks
    const model::Table* table = nullptr;                // kTable
    const model::Paragraph* paragraph = nullptr;        // kParagraph
    size_t index = 0;                                   // the block, row or inline
    size_t cell = 0;                                    // kTable: the next cell of the row
    size_t offset = 0;                                  // kParagraph: in the marker or the inline's text
    bool started = false;    // kTable: the row's kRowStart given; kParagraph: the marker done
    bool link_open = false;  // kParagraph: after a kLinkStart not yet ended
  };

  const DocumentItem& Give(ShownItem kind);
  const DocumentItem* Paragraph(Frame& frame);
  const DocumentItem* Characters(std::string_view text, Frame& frame, const model::CharFormat* format,
                                 model::Alignment alignment);

  const model::Document& document_;
  std::vector<Frame> frames_;
  size_t next_note_ = 0;
  DocumentItem item_;
  // The text run the last character came from, and where in it the walk is (null: none).
  std::string_view run_;
  size_t* run_offset_ = nullptr;
};

// Whether the document shows nothing at all: no word character and no picture a page shows.
bool ShowsNothing(const model::Document& document);

}  // namespace tessarine
