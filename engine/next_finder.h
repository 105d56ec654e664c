// Remembers where the next occurrence of a pattern stands in one text whose views all end where
// the text ends (suffixes of it), so a search repeated over a text consumed from the front costs
// no more than one scan. A text changed in place must Reset() the finders that look at it.
#pragma once

#include <cstring>
#include <string_view>

namespace tessarine {

class NextFinder {
 public:
  explicit NextFinder(std::string_view pattern) : pattern_(pattern) {}

  // 0-based offset in `suffix` of the first occurrence of the pattern, or npos.
  size_t In(std::string_view suffix) {
    const char* begin = suffix.data();
    const char* end = begin + suffix.size();
    if (valid_ && end == end_ && begin >= from_ && (found_ == nullptr || begin <= found_)) {
      return found_ == nullptr ? std::string_view::npos : static_cast<size_t>(found_ - begin);
    }
    size_t at = suffix.find(pattern_);
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
  std::string_view pattern_;
  bool valid_ = false;
  const char* from_ = nullptr;
  const char* end_ = nullptr;
  const char* found_ = nullptr;
};

}  // namespace tessarine
