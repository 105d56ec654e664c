#include "text/text_lines.h"

#include <cstring>

#include "base/line_break.h"
#include "text/text_blocks.h"

namespace tessarine {

namespace {

// The 0-based offset of the first CR LF at or after `from` in `text`; npos when there is none.
size_t FindLineBreak(std::string_view text, size_t from) {
  while (from < text.size()) {
    const void* cr = std::memchr(text.data() + from, '\r', text.size() - from);
    if (cr == nullptr) return std::string_view::npos;
    const size_t at = static_cast<size_t>(static_cast<const char*>(cr) - text.data());
    if (at + 1 < text.size() && text[at + 1] == '\n') return at;
    from = at + 1;
  }
  return std::string_view::npos;
}

bool LineBreakAt(std::string_view text, size_t at) {
  return at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n';
}

// Decides whether the line just cut is a heading by isolation: an empty line before it and the
// rest of the piece beginning with CR (an empty line after it).
void UpdateHeading(size_t blankBefore, std::string_view next, TextRun& run) {
  if (blankBefore > 0 && !next.empty() && next.front() == '\r') {
    // A heading after running text closes the open paragraph; a second heading in a row does
    // not write another "</p>".
    run.closePara = !run.inHeading;
    run.inHeading = true;
  } else {
    run.inHeading = false;
  }
}

}  // namespace

void ReportTextProgress(Progress& progress, size_t outLength, size_t step) {
  if (step == 0) return;
  const size_t n = outLength / step;
  if (n < 26) progress.Set(static_cast<int>(n));
}

void AppendPieceLines(std::string_view piece, TextRun& run, std::string& out) {
  size_t pos = 0;  // the front of the piece not yet consumed
  do {
    size_t blankBefore = 0;
    while (LineBreakAt(piece, pos)) {
      ++blankBefore;
      pos += kLineBreak.size();
    }
    const size_t brk = FindLineBreak(piece, pos);
    if (brk == std::string_view::npos) {
      AppendFinalLine(piece.substr(pos), run, out);
      return;
    }
    const std::string_view line = piece.substr(pos, brk - pos);
    pos = brk + kLineBreak.size();
    const std::string_view next = piece.substr(pos);

    UpdateHeading(blankBefore, next, run);
    if (run.inHeading && !run.titleTaken) {
      run.firstHeading = line;
      run.titleTaken = true;
    }
    AppendLineBlock(line, next, run, out);
    if (run.progress != nullptr) ReportTextProgress(*run.progress, out.size(), run.step);
  } while (pos < piece.size());
}

}  // namespace tessarine
