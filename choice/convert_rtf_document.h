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

// The rule of the automatic choice: whether the passes' page, read as a browser shows it, gives
// the document as the structured reader reads it (page_agreement.h says when they agree).
bool PassesPageShowsDocument(std::string_view passes_page, const model::Document& document,
                             const Settings& settings);

// Converts `document` (code page 1251) with the settings' engine: the passes read its text (the
// file text rule), the structured reader its bytes as the file holds them, so "\bin" data stays
// intact. Automatic: the passes' page when it shows the document, otherwise the model's page; a
// document the passes refuse as not RTF keeps that refusal only when the reader finds neither a
// word nor a picture in it. `reading` of the result tells which way the page was made. Never
// fails.
Conversion ConvertRtfDocument(const DocumentBytes& document, const Settings& settings,
                              const ProgressSink& progress = {});

// The same, for a caller that needs the document no more: with the model engine a document
// whose page is written after its reading (a small one, model_way.h) is let go as soon as it
// has been read, so the input and the page are never held together; a larger one's page is
// written beside the reading from the model's pieces, and the whole model is never held.
// `document` is left empty or unchanged.
Conversion ConvertRtfDocument(DocumentBytes&& document, const Settings& settings,
                              const ProgressSink& progress = {});

// The same for a document given as its bytes (copied for the conversion).
Conversion ConvertRtfDocument(std::string_view bytes, const Settings& settings,
                              const ProgressSink& progress = {});

}  // namespace tessarine
