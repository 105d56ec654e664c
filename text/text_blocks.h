// Writing one line of a text as a heading or as paragraph text.
#pragma once

#include <string>
#include <string_view>

#include "text/text_run.h"

namespace tessarine {

// Appends the block of `line`, a line that ended with CR LF: "</p>" CR LF first when
// `run.closePara`; then, for ten or more leading spaces or `run.inHeading`,
// "<h2>" + line + "</h2>" CR LF; otherwise "<p>" when it has two or more leading spaces or
// `run.newPara`, and the line itself followed by one space, or without its final character when
// its last non-space character is "-". A last non-space character ".", "!", "?" or ":" ends the
// paragraph unless `next` (the rest of the piece after the line) begins with a lower-case
// Cyrillic letter (byte 0xE0 to 0xFF). The line's "<" and ">" are written as "&lt;" and "&gt;".
void AppendLineBlock(std::string_view line, std::string_view next, TextRun& run, std::string& out);

// Appends the final line `rest` of a piece, without the heading, sentence and hyphen rules:
// "</p>" CR LF when `run.closePara`, "<p>" when `run.newPara`, then `rest` + "</p>" CR LF.
// Leaves `run` unchanged.
void AppendFinalLine(std::string_view rest, const TextRun& run, std::string& out);

}  // namespace tessarine
