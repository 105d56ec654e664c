// Convert RTF: one RTF-to-HTML conversion of a document.
#pragma once

#include <string_view>

#include "engine/conversion.h"
#include "settings/settings.h"

namespace tessarine {

// Converts `document` (code page 1251, as read by the file text rule) into a complete page.
// Never fails: malformed input gives less output. A source the fallback path refuses as not
// RTF is reported in `refusal`, with the page built from what was converted.
Conversion ConvertRtf(std::string_view document, const Settings& settings,
                      const ProgressSink& progress = {});

}  // namespace tessarine
