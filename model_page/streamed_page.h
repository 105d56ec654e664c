// A model page written while its document is still being read: the body's blocks come in pieces,
// in reading order, and are written and let go as they come; the rest of the page follows when
// the reading ends. The page is WriteModelPage's of the whole document, byte for byte, unless
// what the body's writing took from the start of the document changed later (Finish tells).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/document.h"
#include "model_page/page_context.h"
#include "page/conversion.h"
#include "settings/settings.h"

namespace tessarine {

// A piece of a document being read: blocks of its body in reading order, with the looks and
// pictures added to the document since the piece before, and how many notes it has so far.
struct PagePiece {
  std::vector<model::Block> blocks;
  std::vector<model::ParagraphLook> looks;
  std::vector<model::Picture> pictures;
  size_t note_count = 0;
};

// Takes pieces from one document being read, for a StreamedModelPage.
class PieceTaker {
 public:
  // Moves out the blocks of `document.body` but the last `keep`, copies the looks and moves out
  // the pictures added since the last call (the reader never reads its pictures again).
  PagePiece Take(model::Document& document, size_t keep);

 private:
  size_t looks_ = 0;
  size_t pictures_ = 0;
};

class StreamedModelPage {
 public:
  // Starts the page of a document read as far as `start`, whose fonts and distance of default
  // tab stops the body is written with. `expected_size`: roughly how large the body will be.
  StreamedModelPage(const model::Document& start, const Settings& settings, size_t expected_size);
  StreamedModelPage(const StreamedModelPage&) = delete;
  StreamedModelPage& operator=(const StreamedModelPage&) = delete;

  // Writes the blocks of `piece`, which follows the pieces before; a section with columns is
  // held until it ends. The blocks are left in `piece` (those held moved from): a caller on
  // another thread than the reading's may hand them back to be let go there, where they were
  // made, which spares the two threads a fight over the memory allocator.
  void Add(PagePiece& piece);

  // Finishes the page with `end`, the document as read to its end, once its last piece has been
  // added (PieceTaker::Take with nothing kept). False when the page cannot be made so: the fonts
  // or the default tab stops changed after the start, or the document is an HTML message; then
  // the page is to be written from the whole document.
  bool Finish(model::Document& end, Conversion* result);

 private:
  void WriteHeldSection();

  model::Document seen_;  // fonts and tab distance of the start; looks, pictures, notes so far
  PageContext context_;
  std::string body_;
  int columns_ = 1;                    // of the section being written
  std::vector<model::Block> section_;  // the blocks of a section with columns so far
};

}  // namespace tessarine
