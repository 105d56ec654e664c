// The working values of one plain-text conversion.
#pragma once

#include <cstddef>
#include <string_view>

#include "page/progress.h"

namespace tessarine {

// Created fresh for every conversion; the values carry over from piece to piece.
struct TextRun {
  bool newPara = true;            // the next text line starts a new "<p>"
  bool closePara = false;         // a "</p>" must be written before the next block
  bool inHeading = true;          // the previous block was a heading (or the run has just begun)
  bool titleTaken = false;        // firstHeading holds the first heading
  std::string_view firstHeading;  // the first heading line as it stands in the text
  size_t step = 0;                // progress divisor: the text's length div 25 (0 = no progress)
  Progress* progress = nullptr;   // receives the position after every line; may be null
};

}  // namespace tessarine
