#include "engine/sections.h"

namespace tessarine {

// Not built yet: the section is left in the source.
void ConvertSection(ConversionState& /*st*/) {}

}  // namespace tessarine
