// Convert RTF: one RTF-to-HTML conversion of a document.
#pragma once

#include <string>
#include <string_view>

#include "page/conversion.h"
#include "passes/pipeline/conversion_state.h"
#include "settings/settings.h"

namespace tessarine {

// Converts `document` (code page 1251, as read by the file text rule) into a complete page,
// starting from a fresh ConversionState. Never fails: malformed input gives less output. A
// source the fallback path refuses as not RTF is reported in `refusal`, with the page built
// from what was converted. The progress sink receives positions 0 to 25 and finally 0. `watch`,
// when given, looks at the body as it is written (body_watch.h); when it stops the passes the
// result is an empty Conversion.
Conversion ConvertRtf(std::string_view document, const Settings& settings, const ProgressSink& progress = {},
                      BodyWatch* watch = nullptr);

// The end of a run, once the passes are done: closes the last paragraph of st.OutputText
// ("</span></p>" when st.SpanOpen, else "</p>", then CR LF), resets the progress to 0, drops
// the control characters of the body and the footnotes (all below 0x20 but tab, CR and LF) and
// appends to `page` the head, the stylesheet and body tag, the body, the footnotes under their
// rule when there are any, and the page's closing. An empty `page` takes over the body's storage
// instead of a copy (st.OutputText is left empty).
void FinishPage(ConversionState& st, std::string& page);

}  // namespace tessarine
