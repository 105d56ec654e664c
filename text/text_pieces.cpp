#include "text/text_pieces.h"

#include "base/line_break.h"

namespace tessarine {

size_t PieceEnd(std::string_view text, size_t start) {
  if (start >= text.size() || text.size() - start <= kLongestWholePiece) return text.size();
  size_t brk = text.find(kLineBreak, start + kPieceHead);
  return brk == std::string_view::npos ? text.size() : brk + kLineBreak.size();
}

}  // namespace tessarine
