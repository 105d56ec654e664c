// Convert text: a plain text document into a page with paragraphs and headings.
#pragma once

#include <string_view>

#include "engine/conversion.h"
#include "settings/settings.h"

namespace tessarine {

// Converts `document` (code page 1251, lines ending with CR LF) into a complete page. A text
// without any CR LF is refused (Refusal::kTextNotConvertible) and comes back unchanged as the
// page.
Conversion ConvertText(std::string_view document, const Settings& settings,
                       const ProgressSink& progress = {});

}  // namespace tessarine
