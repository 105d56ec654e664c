// The pass pipeline: normalises the source, cuts its header and converts the body.
#pragma once

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Converts the RTF source held in st.Source into st.OutputText. Sets st.SecondPath (and leaves
// the source in place) when the document has neither "}\pard\plain" nor "\trowd".
void RunPipeline(ConversionState& st);

}  // namespace tessarine
