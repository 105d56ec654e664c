#include "engine/complex_group.h"

namespace tessarine {

// Not built yet: every complex group is dropped.
void ConvertComplexGroup(std::string_view /*group*/, int /*run_count*/, ConversionState& /*st*/) {}

}  // namespace tessarine
