// Converting one paragraph whose formatting stands as bare control words.
#pragma once

#include <string>

#include "engine/conversion_state.h"

namespace tessarine {

// Converts the paragraph text `chunk` (beginning at its "\pard") into one paragraph appended to
// st.OutputText. Consumes `chunk`, leaving what it did not convert.
void ConvertChunk(std::string& chunk, ConversionState& st);

}  // namespace tessarine
