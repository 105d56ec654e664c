// This product's own page for a document read into the document model: the same head and
// stylesheet as the RTF pages, the body written from the model's blocks (or, for Outlook's
// encapsulated HTML, from the original HTML made safe), the notes after the rule.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/document.h"
#include "page/conversion.h"
#include "page/page_head.h"
#include "settings/settings.h"

namespace tessarine {

// Room a body keeps for the head and stylesheet, so that putting them in front moves the body in
// place.
inline constexpr size_t kPageHeadRoom = 4096;

// Writes the page of `document` with the settings' head and stylesheet (code page 1251, CR LF).
// Never fails. The progress sink receives positions 0 to 25 and finally 0.
Conversion WriteModelPage(const model::Document& document, const Settings& settings,
                          const ProgressSink& progress = {});

// The same for a document its caller gives up: a large body's second half is let go while the
// first is written.
Conversion WriteModelPage(model::Document&& document, const Settings& settings, const ProgressSink& progress = {});

// Puts a model page together as WriteModelPage does from its written `body` (taken over) and
// `notes`: in the document's own page colour `background` when it has one.
void AssembleModelPage(Conversion& result, const Settings& settings, const StylesheetFlags& flags,
                       std::string& body, std::string_view notes, model::Colour background);

}  // namespace tessarine
