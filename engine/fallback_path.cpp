#include "engine/fallback_path.h"

namespace tessarine {

// Not built yet: the declined document gives an empty body.
void ConvertFallbackPath(ConversionState& /*st*/) {}

}  // namespace tessarine
