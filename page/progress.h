// The 25-step progress of one conversion, forwarded to a sink only when the position changes.
#pragma once

#include <cstddef>

#include "page/conversion.h"

namespace tessarine {

class Progress {
 public:
  static constexpr int kSteps = 25;

  explicit Progress(ProgressSink sink = {}) : sink_(std::move(sink)) {}

  // Sets the position, clamped to 0..25.
  void Set(int position) {
    if (position < 0) position = 0;
    if (position > kSteps) position = kSteps;
    if (position == last_) return;
    last_ = position;
    if (sink_) sink_(position);
  }

  // The converters' rule: with n = remaining div step, the bar goes to 26 - n when that is
  // below 26. A step of 0 (sources shorter than 25 characters) leaves the bar where it is.
  void SetFromRemaining(size_t remaining, size_t step) {
    if (step == 0) return;
    size_t n = remaining / step;
    if (n > 0) Set(n > 26 ? 0 : static_cast<int>(26 - n));
  }

 private:
  ProgressSink sink_;
  int last_ = -1;
};

}  // namespace tessarine
