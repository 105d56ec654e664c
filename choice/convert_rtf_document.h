// Converting an RTF document the way the settings choose: by the text-rewriting passes, by the
// structured reader and the page writer of its document model, or automatically.
#pragma once

#include <string_view>

#include "base/file_text.h"
#include "model/document.h"
#include "page/conversion.h"
#include "settings/settings.h"

namespace tessarine {

enum class RtfEngine { kAuto, kPasses, kModel };

// The engine named "auto", "passes" or "model"; false for any other name.
bool RtfEngineFromName(std::string_view name, RtfEngine* engine);
std::string_view RtfEngineName(RtfEngine engine);

// The engine the settings choose (`rtfengine`); auto when the setting is empty or unknown.
RtfEngine RtfEngineOf(const Settings& settings);

// The rule of the automatic choice: the passes' page keeps the document when its body holds
// every distinct word the reader finds in the document (body and notes), holds no word the
// reader does not find (but numbers, which the page writes for its notes), and the document has
// no picture a page can show (PNG, JPEG, a metafile or a bitmap: the passes show none) and no
// table inside a table's cell (the passes flatten nested tables). Words as words.h defines them.
bool PassesKeepDocument(std::string_view passes_page, const model::Document& document);

// Converts `document` (code page 1251) with the settings' engine: the passes read its text (the
// file text rule), the structured reader its bytes as the file holds them, so "\bin" data stays
// intact. Automatic: the passes' page when it keeps the document, otherwise the model's page; a
// document the passes refuse as not RTF keeps that refusal only when the reader finds no word in
// it either. `reading` of the result tells which way the page was made. Never fails.
Conversion ConvertRtfDocument(const DocumentBytes& document, const Settings& settings,
                              const ProgressSink& progress = {});

// The same for a document given as its bytes (copied for the conversion).
Conversion ConvertRtfDocument(std::string_view bytes, const Settings& settings,
                              const ProgressSink& progress = {});

}  // namespace tessarine
