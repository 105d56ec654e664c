// Cell geometry: the column and row span of every cell of a table, from the cell boundaries
// ("\cellx") and the vertical-merge marks of its rows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessarine {

// A list of span entries, each a decimal number followed by a backslash ("1\2\1\"), handed
// out one per cell from the front.
class SpanList {
 public:
  SpanList() = default;
  explicit SpanList(std::string text) : text_(std::move(text)) {}

  // Takes the entry at the front: the text before the first backslash (empty without one).
  // The entry is removed only when its backslash is not the last character, so the last entry
  // is handed out again by every later call.
  std::string_view Pop();

  // The entries not yet handed out.
  std::string_view Rest() const { return std::string_view(text_).substr(front_); }

  void Append(std::string_view entry) {
    text_.append(entry);
    text_.push_back('\\');
  }

 private:
  std::string text_;
  size_t front_ = 0;
};

// One row of a table as the geometry sees it: the reduced boundary of each cell, in the order of
// the cells, and one merge mark per cell ('0' plain, '1' first cell of a vertical merge, '2'
// cell merged into the one above).
struct GeometryRow {
  std::vector<std::string> boundaries;
  std::string marks;
};

// The reduced form of a boundary text: its decimal digits without the last one ("468" -> "46",
// "-108" -> "10", "7" -> "").
std::string ReduceBoundary(std::string_view boundary);

// The merge mark of a cell from the cell's property text: '1' when "\clvm" is followed by "g",
// '2' when it is followed by anything else, '0' without "\clvm". `next` is the character after
// the properties, read when "\clvm" ends them.
char MergeMark(std::string_view properties, char next);

// Appends the column span and row span of every cell of `rows` to `colspans` and `rowspans`.
// The column grid is every distinct boundary in ascending numeric order; a row gives one
// column-span entry per distinct boundary of its own, in grid order (so a repeated boundary gives
// one entry). A merge start spans the following cells of its boundary marked '2' ("1" + their
// number); a merged cell gets "0", a plain cell "1".
void AppendSpans(const std::vector<GeometryRow>& rows, SpanList& colspans, SpanList& rowspans);

// Computes the spans of the table at the front of `text` (the working text from the table on; a
// lone CR counts as CR LF). The row count is the "\irowband" number read from the 20 characters
// before the first "\lastrow", plus 1; each row's boundaries and merge marks come from the
// definition repeated in its end group (after its second "\irowband", up to its "\row").
// Without a readable row count both lists stay empty. Both lists are emptied first.
void ComputeTableGeometry(std::string_view text, SpanList& colspans, SpanList& rowspans);

}  // namespace tessarine
