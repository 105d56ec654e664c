// The plain way of paragraph conversion: paragraphs whose runs are not enclosed in groups.
#pragma once

#include <string>

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Takes the rest of the document the plain way: puts `chunk` back in front of st.Source, cuts
// the source into paragraphs at CR, space or "\pard " boundaries and hands each to ConvertChunk;
// a table row ahead ("\trowd") is converted by ConvertTableInText once the paragraphs in front
// of it are done. Returns with fewer than 10 characters left in st.Source, SecondPath cleared,
// and in `chunk` what ConvertChunk left of the last paragraph.
void ConvertPlainParagraphs(std::string& chunk, ConversionState& st);

}  // namespace tessarine
