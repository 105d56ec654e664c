#include "reader/colour_table.h"

#include <algorithm>

namespace tessarine::reader {

void ColourTable::SetComponent(int component, int32_t value) {
  const auto v = static_cast<model::Colour>(std::clamp<int32_t>(value, 0, 255));
  const int shift = 16 - 8 * component;
  entry_ = (entry_ & ~(model::Colour{0xFF} << shift)) | (v << shift);
  entry_given_ = true;
}

void ColourTable::EndEntry() {
  colours_.push_back(entry_given_ ? entry_ : model::kNoColour);
  entry_ = 0;
  entry_given_ = false;
}

model::Colour ColourTable::At(int32_t index) const {
  if (index <= 0 || static_cast<size_t>(index) >= colours_.size()) return model::kNoColour;
  return colours_[static_cast<size_t>(index)];
}

}  // namespace tessarine::reader
