#include "engine/tables.h"

namespace tessarine {

// Not built yet: the table is left in the source.
void ConvertTableRegion(ConversionState& /*st*/) {}

void ConvertTableInText(ConversionState& /*st*/) {}

}  // namespace tessarine
