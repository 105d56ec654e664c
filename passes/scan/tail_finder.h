// Remembers where the next occurrence of one pattern stands in the working text, across passes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "passes/scan/source_buffer.h"

namespace tessarine {

// A search for one pattern (exact letter case) in the stored content of a SourceBuffer whose
// answer outlives the call: while the buffer only loses text from its front, a later search
// from a position the remembered one covers costs nothing, so searches repeated by pass after
// pass stay linear in total. Any other change to the buffer makes it search afresh.
class TailFinder {
 public:
  explicit TailFinder(std::string_view pattern) : pattern_(pattern) {}

  // 0-based position in source.Content() of the first occurrence at or after `from`, or -1.
  long Find(const SourceBuffer& source, size_t from) {
    const std::string_view content = source.Content();
    if (from > content.size()) return -1;
    const size_t tail = content.size() - from;
    if (!(valid_ && revision_ == source.Revision() && searched_tail_ >= tail &&
          (found_tail_ == 0 || found_tail_ <= tail))) {
      const size_t at = content.find(pattern_, from);
      valid_ = true;
      revision_ = source.Revision();
      searched_tail_ = tail;
      found_tail_ = at == std::string_view::npos ? 0 : content.size() - at;
    }
    return found_tail_ == 0 ? -1 : static_cast<long>(content.size() - found_tail_);
  }

 private:
  std::string pattern_;
  bool valid_ = false;
  unsigned long revision_ = 0;
  size_t searched_tail_ = 0;  // distance from the end where the remembered search began
  size_t found_tail_ = 0;     // distance from the end of the remembered match; 0 for none
};

}  // namespace tessarine
