// The model way of converting RTF: the structured reader's document model and the page written
// from it. A large document's page is written beside its reading, on a second thread, from the
// body's blocks as the reader finishes them, so that the two take little more than the reading
// alone; the page is the same as when it is written after the reading.
#pragma once

#include <cstddef>
#include <string_view>

#include "page/conversion.h"
#include "reader/body_handoff.h"
#include "settings/settings.h"

namespace tessarine {

// How a page is written beside its reading: from which size of document (a smaller one is read
// first: a thread would cost more than it saves), and how many of the body's blocks gather
// before they go to the page's writing.
struct BesideReading {
  size_t from_size = size_t{512} * 1024;
  size_t piece_blocks = reader::kHandoffBlocks;
};

// Reads `rtf` into the document model and writes its page (`reading` is kModel), beside the
// reading when `rtf` is large enough. The progress sink receives positions 0 to 25 and finally
// 0, on the calling thread. Never fails.
Conversion ConvertByModel(std::string_view rtf, const Settings& settings, const ProgressSink& progress = {},
                          const BesideReading& beside = {});

}  // namespace tessarine
