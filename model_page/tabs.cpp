#include "model_page/tabs.h"

#include <algorithm>

#include "model_page/text_encoding.h"

namespace tessarine {

namespace {

constexpr int64_t kFarthest = 31680;  // 22 inches: no stop lies farther

int64_t FloorDiv(int64_t a, int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

int32_t TabSize(const TabLine& line, int n) {
  const int64_t spacing = line.default_stop > 0 ? line.default_stop : 720;
  const int64_t edge = line.edge;
  const int64_t start = line.start;
  int64_t rest = std::max(n, 1);
  int64_t last = start;  // the default stops go on after it
  int64_t target = 0;
  bool found = false;

  const std::vector<int32_t> none;
  const std::vector<int32_t>& stops = line.stops != nullptr ? *line.stops : none;
  const auto first = std::upper_bound(stops.begin(), stops.end(), line.start);
  // A hanging first line has a stop at the edge, unless one of its own comes first.
  if (line.hanging && edge > start && (first == stops.end() || *first > edge)) {
    last = edge;
    if (--rest == 0) {
      target = edge;
      found = true;
    }
  }
  if (!found) {
    const int64_t own = stops.end() - first;
    if (rest <= own) {
      target = *(first + (rest - 1));
      found = true;
    } else {
      if (own > 0) last = std::max<int64_t>(last, stops.back());
      rest -= own;
      // Default stops at the multiples of the spacing: periodic from an edge that is one of them.
      if (FloorDiv(edge, spacing) * spacing == edge) return static_cast<int32_t>(spacing);
      target = std::min(kFarthest, (FloorDiv(last, spacing) + std::min<int64_t>(rest, kFarthest)) * spacing);
    }
  }
  if (target > edge) return static_cast<int32_t>(std::min(target - edge, kFarthest));
  // A stop at the edge or before it: the line's start is one multiple before the edge.
  return static_cast<int32_t>(edge > start ? edge - start : spacing);
}

void AppendTab(std::string& out, int32_t size_twips) {
  out.append("<span style=\"white-space:pre;tab-size:");
  AppendHundredths(out, int64_t{size_twips} * 5);
  out.append("pt\">\t</span>");
}

}  // namespace tessarine
