// Converting the text of one run (a group, or the text before a paragraph's first group).
#pragma once

#include <string>
#include <string_view>

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Converts the text of the run `text` into `html` (replacing its content): the text between
// control words is decoded, each "\par" becomes "<br>" ("\parar" gives none), everything else
// is dropped. A leading "{" is skipped, and a brace that cannot be consumed is dropped. Moves
// the progress bar by what is left of `text`. Returns the length of `html`.
long ConvertRunText(std::string_view text, std::string& html, ConversionState& st);

}  // namespace tessarine
