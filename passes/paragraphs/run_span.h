// Writing the opening of a paragraph for its first run, and span elements for later runs.
#pragma once

#include <string_view>

#include "passes/paragraphs/run_format.h"
#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// For the first run (run_count 0): writes "<p>" or the p tag with the run's font, size and
// colour where they differ from the page defaults, the alignment when it is not "left" (and
// "text-indent:0pt" inside a list item), then "<b>", "<i>", "<u>" for what the run or the open
// flags say. For a later run it calls WriteRunSpan. Counts run_count up.
void OpenParagraph(std::string_view s, int& run_count, ConversionState& st);

// As OpenParagraph, with a left margin from "\li" (its value div 10 added to `marginleft`).
void OpenIndentedParagraph(std::string_view s, int& run_count, ConversionState& st);

// Appends "<b>", "<i>" and "<u>" to OutputText for each of bold, italic and underline that is
// open already or that `f` names, and marks each of them open.
void OpenEmphasis(const RunFormat& f, ConversionState& st);

// For a later run: closes the open span when the run's format differs from it and opens a
// span for what differs from the paragraph (bold, italic and underline as CSS). Counts
// run_count up.
void WriteRunSpan(std::string_view s, int& run_count, ConversionState& st);

}  // namespace tessarine
