// Putting an RTF page together: head, stylesheet, body, notes and closing, in the order every
// writer of RTF pages uses.
#pragma once

#include <string>
#include <string_view>

#include "page/page_head.h"
#include "settings/settings.h"

namespace tessarine {

// Appends to `page` the head with the title and author settings, the RTF stylesheet for `flags`
// with the body tag, `body` (already closed), then "<hr color=..." and `notes` when `notes` is
// not empty, then PageClose. An empty `page` takes over the storage of `body` instead of a copy
// (`body` is left empty); otherwise `body` is copied and kept.
void AssembleRtfPage(std::string& page, const Settings& settings, const StylesheetFlags& flags,
                     std::string& body, std::string_view notes);

}  // namespace tessarine
