// The fallback conversion path for documents the pipeline declines.
#pragma once

#include "engine/conversion_state.h"

namespace tessarine {

// Converts what st.Source holds paragraph by paragraph; sets st.NotRtf when it is not RTF.
void ConvertFallbackPath(ConversionState& st);

}  // namespace tessarine
