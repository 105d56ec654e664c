// Whether a passes' page shows the document as the structured reader reads it: the page read as
// a browser shows it (page_reader.h) against the document model walked in page order
// (document_items.h), item by item as the page comes.
//
// They agree when they give the same words in the same order, with their repetitions, split
// into the same lines, cells, rows and tables, with the same links (targets and texts), note
// marks, notes' texts, list markers and pictures, and when every character of a word has the
// document's formatting: bold, italic, underline, strike, super- or subscript, size within half
// a point, colour, font family by name without letter case, its paragraph's alignment.
//
// The document's side: a size of 0 is 12 pt, the RTF default (the page's stylesheet then says
// what the page shows: a "p" rule of 10 pt shows such text at 10 pt, and they disagree); given
// sizes are less the settings' `umrazm`; the automatic colour is the page's text colour; a font
// name is taken without a " Cyr" ending, as both ways write it; a list marker's formatting is
// not compared. The page's own look counts as agreement: its links' colour, weight and
// underline, its notes' size, and the passes' way of putting the word before a note's mark into
// the link to the note.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "choice/document_items.h"
#include "choice/page_reader.h"
#include "model/document.h"
#include "settings/settings.h"

namespace tessarine {

// Why a page and its document disagree.
enum class Disagreement : uint8_t {
  kNone,
  kUnreadable,  // the page holds what the reader does not understand
  kText,        // another character, or the document's text ends
  kSpacing,     // a space or a line start on one side only
  kStructure,   // another table, row, cell, link, note mark, note or picture, or one on one side only
  kTarget,      // a link's target
  kBold,
  kItalic,
  kUnderline,
  kStrike,
  kBaseline,
  kAlignment,
  kSize,
  kColour,
  kFont,
  kRest,  // the page ended before the document
};

class PageAgreement final : private PageSink {
 public:
  // `document` must outlive the comparison.
  PageAgreement(const model::Document& document, const Settings& settings);

  // Compares the next piece of the page (code page 1251, from its start). False from the first
  // disagreement on (or once the page holds what the reader does not understand), when the
  // rest of the page need not be read.
  bool Read(std::string_view piece);
  // The page has ended: true when all of it agreed with all of the document.
  bool Finish();

  // Why they disagree (kNone while they agree), and after how many word characters.
  Disagreement disagreement() const { return disagreement_; }
  uint64_t characters() const { return characters_; }
  // Whether the walk of the document has reached its end. Compared with a part of a document
  // (its first blocks), a disagreement found then may be only where the part ends.
  bool document_ended() const { return document_ended_; }

 private:
  bool Characters(std::u32string_view run, const ShownFormat& format) override;
  bool Character(char32_t c, const ShownFormat& format);
  bool Item(ShownItem item, std::string_view target) override;
  // The next item of the document that is neither a space nor a line start, noting those.
  const DocumentItem& NextDocumentItem();
  Disagreement FormatDifference(const ShownFormat& page, const DocumentItem& item);
  bool Disagree(Disagreement why) {
    disagreement_ = why;
    return false;
  }
  bool SameFont(int32_t page_font, int32_t font);

  const model::Document& document_;
  DocumentItems items_;
  PageReader reader_;
  float size_reduction_ = 0;  // points, the settings' `umrazm`
  // Since the last word character on each side: a space, a line start.
  bool page_space_ = true;
  bool page_line_ = true;
  bool document_space_ = true;
  bool document_line_ = true;
  Disagreement disagreement_ = Disagreement::kNone;
  uint64_t characters_ = 0;
  bool document_ended_ = false;
  std::vector<int32_t> page_fonts_;
  // The last formats found alike: the page's (its id), the document's and the paragraph's
  // alignment.
  uint32_t alike_page_ = 0;
  const model::CharFormat* alike_document_ = nullptr;
  model::Alignment alike_alignment_ =
      model::Alignment::kLeft;  // for each font of the document, its FontNames id; -2 not seen yet
};

}  // namespace tessarine
