// The fallback conversion path: documents the pipeline declines (no "}\pard\plain" and no
// "\trowd") are converted paragraph by paragraph, each paragraph cut at a "\pard" boundary.
#pragma once

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Converts the whole source held in st.Source, appending to st.OutputText: checks that it is
// RTF ("{\rtf" among its first 22 characters) and has a "\pard", else sets st.NotRtf and
// converts nothing; cuts the header off before the first "\pard" that follows neither a space
// nor a line break (the first "\pard" when all of them do); applies the colour and font tables;
// then cuts the body at the boundaries CR "\pard", " \pard" and "\pard " and converts each piece
// with ConvertChunk. Consumes st.Source. Does nothing when the pipeline has already converted
// the body (st.PassesDone set).
void ConvertFallbackPath(ConversionState& st);

}  // namespace tessarine
