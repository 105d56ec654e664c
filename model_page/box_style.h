// The look of a paragraph's or a cell's box as inline style declarations: borders with the
// space inside them, shading, line spacing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/document.h"

namespace tessarine {

// Declarations of one style attribute appended to `out`, separated by ";".
class Declarations {
 public:
  explicit Declarations(std::string& out) : out_(out), start_(out.size()) {}

  // Appends the separator when a declaration came before, then `name` (with its ":"), and
  // returns the text for the value to be appended to.
  std::string& Add(std::string_view name) {
    if (out_.size() != start_) out_.push_back(';');
    out_.append(name);
    return out_;
  }
  bool Empty() const { return out_.size() == start_; }

 private:
  std::string& out_;
  size_t start_;
};

// "border-top:1pt solid #RRGGBB" ... for each side that has a border, and with `padding` the
// space between border and text ("padding-top:...") of those sides.
void AppendBorders(Declarations& style, const model::Borders& borders, bool padding);

// "border-top:none" ... for each side without a border (a cell whose own borders replace the
// table's grid).
void AppendMissingBorders(Declarations& style, const model::Borders& borders);

// "line-height:..." for the paragraph's line spacing: a multiple of the single line as a
// number, an exact or least distance in points (a least distance only when it is more than a
// single line of text at `size_points`, an exact one only when it is at least half that size, as
// closer lines would lie over each other). Nothing for single lines.
void AppendLineSpacing(Declarations& style, const model::ParagraphLook& look, int size_points);

}  // namespace tessarine
