// Convert text: a plain text document into a page with paragraphs and headings.
#pragma once

#include <string_view>

#include "page/conversion.h"
#include "settings/settings.h"

namespace tessarine {

// Converts `document` (code page 1251, lines ending with CR LF) into a complete page: the head
// with the title (`titul`, else the text's first heading) and author, the text stylesheet, the
// body rebuilt from the lines of the text, and the page close. Progress goes to `progress`
// while the lines are written and back to 0 at the end. A text without any CR LF is refused
// (Refusal::kTextNotConvertible) and comes back unchanged as the page, with no progress.
Conversion ConvertText(std::string_view document, const Settings& settings,
                       const ProgressSink& progress = {});

}  // namespace tessarine
