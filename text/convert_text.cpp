#include "text/convert_text.h"

namespace tessarine {

// Not built yet: every text is refused.
Conversion ConvertText(std::string_view document, const Settings& /*settings*/,
                       const ProgressSink& /*progress*/) {
  return Conversion{std::string(document), Refusal::kTextNotConvertible};
}

}  // namespace tessarine
