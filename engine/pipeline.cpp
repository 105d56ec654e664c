#include "engine/pipeline.h"

namespace tessarine {

// The body passes are not built yet: the page body stays empty.
void RunPipeline(ConversionState& st) { st.OutputText.clear(); }

}  // namespace tessarine
