#include "engine/paragraphs.h"

namespace tessarine {

// Not built yet.
void ConvertParagraphs(std::string /*chunk*/, ConversionState& /*st*/) {}

void ConvertSimpleGroup(std::string_view /*group*/, int /*run_count*/, ConversionState& /*st*/) {}

}  // namespace tessarine
