#include "settings/colour_table.h"

namespace tessarine {

int ColourIndexFor(std::string_view code, int fallback) {
  for (size_t i = 0; i < kColourTable.size(); ++i) {
    if (kColourTable[i].code == code) return static_cast<int>(i);
  }
  return fallback;
}

int ColourIndexNamed(std::string_view name) {
  for (size_t i = 0; i < kColourTable.size(); ++i) {
    if (kColourTable[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tessarine
