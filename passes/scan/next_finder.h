// Remembers where the next occurrence of a pattern stands in one text whose views all end where
// the text ends (suffixes of it), so a search repeated over a text consumed from the front costs
// no more than one scan. A text changed in place from the remembered start on must Reset() the
// finders that look at it.
#pragma once

#include <algorithm>
#include <cstring>
#include <string_view>

#include "passes/scan/search.h"

namespace tessarine {

class NextFinder {
 public:
  explicit NextFinder(std::string_view pattern) : pattern_(pattern) {}

  // 0-based offset in `suffix` of the first occurrence of the pattern, or npos. A suffix that
  // starts before the last one searched costs only the look at the part in between, so the
  // text in front of the remembered start may be rewritten (as a consumed front is).
  size_t In(std::string_view suffix) {
    const char* begin = suffix.data();
    const char* end = begin + suffix.size();
    if (valid_ && end == end_) {
      if (begin >= from_ && (found_ == nullptr || begin <= found_)) return Offset(begin);
      if (begin < from_) {
        size_t window = std::min(suffix.size(), static_cast<size_t>(from_ - begin) + pattern_.size() - 1);
        size_t at = FindExact(suffix.substr(0, window), pattern_);
        from_ = begin;
        if (at != std::string_view::npos) found_ = begin + at;
        return Offset(begin);
      }
    }
    size_t at = FindExact(suffix, pattern_);
    valid_ = true;
    from_ = begin;
    end_ = end;
    found_ = at == std::string_view::npos ? nullptr : begin + at;
    return at;
  }

  // 1-based position in `suffix`, or -1.
  long Pos(std::string_view suffix) {
    size_t at = In(suffix);
    return at == std::string_view::npos ? -1 : static_cast<long>(at) + 1;
  }

  void Reset() { valid_ = false; }

 private:
  size_t Offset(const char* begin) const {
    return found_ == nullptr ? std::string_view::npos : static_cast<size_t>(found_ - begin);
  }

  std::string_view pattern_;
  bool valid_ = false;
  const char* from_ = nullptr;
  const char* end_ = nullptr;
  const char* found_ = nullptr;
};

}  // namespace tessarine
