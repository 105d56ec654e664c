// Row runs: the table rows that follow each other from a "\trowd" in the working text, found
// without relying on a last-row mark, which most writers other than one word processor omit.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "passes/scan/source_buffer.h"
#include "passes/scan/tail_finder.h"

namespace tessarine {

// One row: [begin, end) in the stored content. A row runs from where the previous row ended (the
// first row: its "\trowd") through its "\row" word and, when only spaces, line breaks and
// control words stand between them, the "}" that closes the row's group. `mark` is where its
// "\row" stands.
struct RowExtent {
  size_t begin = 0;
  size_t mark = 0;
  size_t end = 0;
};

// Hands out the rows of the run that starts at the "\trowd" at `first` (0-based in
// source.Content()), one by one. After a row the run goes on when the next paragraph belongs
// to a table: a "\trowd", "\intbl", "\itap" above 0 or a cell end comes before any text,
// paragraph mark or section mark, looking past control words, spaces, line breaks, braces and
// ignorable "{\*...}" groups, but no further than kGapLimit characters. A row needs a "\row"
// after its start; `row_marks` remembers the next one across calls.
class RowScanner {
 public:
  static constexpr size_t kGapLimit = 16384;

  RowScanner(const SourceBuffer& source, size_t first, TailFinder& row_marks)
      : source_(source), content_(source.Content()), next_(first), row_marks_(row_marks) {}

  // The next row of the run, or nullopt when the run has ended. The content must not change
  // while the scanner is in use.
  std::optional<RowExtent> Next();

 private:
  size_t NextRowMark(size_t from);

  const SourceBuffer& source_;
  std::string_view content_;
  size_t next_;        // where the next row begins
  bool first_ = true;  // the next row is the one at the "\trowd" the run starts with
  bool ended_ = false;
  TailFinder& row_marks_;
};

}  // namespace tessarine
