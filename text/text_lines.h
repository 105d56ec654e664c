// Splitting a piece of a text into lines and deciding which lines are headings by isolation.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "page/progress.h"
#include "text/text_run.h"

namespace tessarine {

// Consumes `piece` line by line (lines end with CR LF) and appends each line's block to `out`.
// Empty lines before a line are skipped and counted; a line with an empty line before it and
// the rest of the piece beginning with CR (an empty line after it) is a heading. What is left
// without a CR LF (the text's final line, or "" when the piece ends with empty lines) is
// written as the final line and ends the piece. `run.firstHeading` may come to point into
// `piece`, which must outlive its use.
void AppendPieceLines(std::string_view piece, TextRun& run, std::string& out);

// The progress rule: n := `outLength` div `step`; when n < 26 the bar goes to n. A step of 0
// (texts shorter than 25 characters) leaves the bar where it is.
void ReportTextProgress(Progress& progress, size_t outLength, size_t step);

}  // namespace tessarine
