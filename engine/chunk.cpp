#include "engine/chunk.h"

namespace tessarine {

// Not built yet: the paragraph is consumed without output.
void ConvertChunk(std::string& chunk, ConversionState& /*st*/) { chunk.clear(); }

}  // namespace tessarine
