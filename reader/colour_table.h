// The colour table ("\colortbl"): entries of "\redN\greenN\blueN" ended by ";".
#pragma once

#include <cstdint>
#include <vector>

#include "model/document.h"

namespace tessarine::reader {

class ColourTable {
 public:
  // "\red", "\green" or "\blue" of the entry being read (`component` 0, 1, 2); values are kept
  // within 0 to 255.
  void SetComponent(int component, int32_t value);
  // The ";" that ends an entry; an entry without components is the automatic colour.
  void EndEntry();
  // The colour of "\cfN" and its kind: kNoColour for 0 (automatic), for automatic entries and for
  // numbers the table does not have.
  model::Colour At(int32_t index) const;

 private:
  std::vector<model::Colour> colours_;
  model::Colour entry_ = 0;
  bool entry_given_ = false;
};

}  // namespace tessarine::reader
