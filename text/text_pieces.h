// Cutting a long text into pieces of about 10000 characters that end at line breaks.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessarine {

// A rest of the text longer than this is cut; a shorter one is the last piece.
inline constexpr size_t kLongestWholePiece = 12000;
// A cut piece holds at least this many characters, then runs through the next CR LF.
inline constexpr size_t kPieceHead = 9999;

// The 0-based end (exclusive) of the piece that starts at offset `start` of `text`: the end of
// the text when at most 12000 characters remain; otherwise the end of the first CR LF that
// begins at or after `start` + 9999 (a CR LF straddling that offset does not count), or the end
// of the text when there is none. For `start` >= the text's length, returns the length.
size_t PieceEnd(std::string_view text, size_t start);

}  // namespace tessarine
