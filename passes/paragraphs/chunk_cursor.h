// ChunkCursor: a chunk of body text owned once and consumed from the front.
//
// Paragraph conversion cuts the front off its chunk again and again, rewrites the front in
// place ("\pard" becomes "\rd") and searches the rest for the same
// patterns each time. The cursor keeps the text in one buffer and moves an offset over it, and
// its finders remember where the next "{", "}" and "\q" stand, so all of that stays linear.
#pragma once

#include <string>
#include <string_view>

#include "passes/scan/next_finder.h"
#include "passes/scan/scan.h"

namespace tessarine {

class ChunkCursor {
 public:
  explicit ChunkCursor(std::string text) { Reset(std::move(text)); }
  ChunkCursor(const ChunkCursor&) = delete;
  ChunkCursor& operator=(const ChunkCursor&) = delete;

  // Replaces the whole text.
  void Reset(std::string text) {
    buf_ = std::move(text);
    front_ = 0;
    end_ = buf_.size();
    ForgetSearches();
  }

  // The text not yet consumed; valid until the next change of the cursor.
  std::string_view View() const { return std::string_view(buf_).substr(front_, end_ - front_); }
  size_t Size() const { return end_ - front_; }
  bool Empty() const { return front_ == end_; }
  bool StartsWith(std::string_view s) const { return View().substr(0, s.size()) == s; }

  // Consumes the first `n` characters (all of them when fewer are left).
  void Drop(size_t n) { front_ = n >= Size() ? end_ : front_ + n; }

  // Consumes everything.
  void Clear() { front_ = end_; }

  // Makes `rest`, a suffix of View() (or an empty view), the text not yet consumed.
  void Assign(std::string_view rest) {
    if (rest.empty()) {
      Clear();
      return;
    }
    front_ = static_cast<size_t>(rest.data() - buf_.data());
  }

  // Turns a leading "\pard" into "\rd" in place, so it no longer reads as a paragraph marker.
  // No pattern the finders look for starts inside either word, so they stay valid.
  void ReplacePardWithRd() {
    if (!StartsWith("\\pard")) return;
    front_ += 2;
    buf_[front_] = '\\';
    buf_[front_ + 1] = 'r';
    buf_[front_ + 2] = 'd';
  }

  // Remembered searches over the text's suffixes.
  GroupMemo groups;     // "{" and "}"
  NextFinder q{"\\q"};  // the alignment control word

 private:
  void ForgetSearches() {
    groups.Reset();
    q.Reset();
  }

  std::string buf_;
  size_t front_ = 0;
  size_t end_ = 0;
};

}  // namespace tessarine
