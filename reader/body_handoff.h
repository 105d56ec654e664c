// A way to take the body's blocks from a document while it is still being read, so that its page
// can be written beside the reading instead of after it.
#pragma once

#include <cstddef>

#include "model/document.h"

namespace tessarine::reader {

// How many blocks the body gathers before they are offered, unless the handoff says otherwise.
inline constexpr size_t kHandoffBlocks = 256;

class BodyHandoff {
 public:
  // The body gathers more than `blocks` blocks (at least 1) before they are offered.
  explicit BodyHandoff(size_t blocks = kHandoffBlocks) : blocks_(blocks < 1 ? 1 : blocks) {}
  virtual ~BodyHandoff() = default;

  size_t blocks() const { return blocks_; }

  // Called on the reading's thread whenever a block has been placed in the body and the body
  // holds more than blocks() blocks; `read` is how many bytes of the input are read. Every
  // block of `document.body` is final then: the callee may move all but the last one out (the
  // reader keeps reading into the last). Nothing else of `document` may change, and pictures
  // once added are never read again by the reader, so they may be moved out too.
  virtual void BodyGrew(model::Document& document, size_t read) = 0;

 private:
  size_t blocks_;
};

}  // namespace tessarine::reader
