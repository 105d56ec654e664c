// The first blocks of a document's body, copied while the document is still being read, so that
// the automatic choice can compare the passes' page with them long before the reading ends.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>

#include "model/document.h"
#include "reader/body_handoff.h"

namespace tessarine {

// When the opening is copied: once the body holds more than `blocks` finished blocks or the
// reading has passed `bytes` of the input, whichever comes first. It is not copied at all when
// the reading has passed twice `bytes` by then (one block that large), nor for an HTML message.
struct OpeningSize {
  size_t blocks = 2048;
  size_t bytes = size_t{512} * 1024;
};

// A handoff (reader/body_handoff.h) that takes nothing from the document: it copies the body's
// finished blocks once, with the fonts and what the comparison needs of the pictures (their
// data left out), into a document of its own. The notes are left out, so the opening's walk
// (document_items.h) ends with its last block.
class DocumentOpening final : public reader::BodyHandoff {
 public:
  explicit DocumentOpening(const OpeningSize& size = {});

  void BodyGrew(model::Document& document, size_t read) override;

  // Null until the opening is copied, then the opening (stored with release order, on the
  // reading's thread). It lives as long as this handoff.
  const std::atomic<const model::Document*>& opening() const { return published_; }

  // Whether what the opening shows is what `whole`, the document read to its end, shows of the
  // same blocks: the fonts they name are still the same fonts. True when nothing was copied.
  bool HoldsFor(const model::Document& whole) const;

 private:
  OpeningSize size_;
  bool done_ = false;
  std::unique_ptr<model::Document> copy_;
  std::atomic<const model::Document*> published_{nullptr};
};

}  // namespace tessarine
