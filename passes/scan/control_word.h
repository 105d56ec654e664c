// Reading control words and skipping groups in RTF text, for the passes that walk a text from
// front to back instead of searching it.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessarine {

// A control word at a backslash: its letters, its numeric parameter (0 without one) and the
// 0-based position after it, its delimiting space included.
struct ControlWord {
  std::string_view name;
  long value = 0;
  size_t end = 0;
};

// Reads the control word whose backslash stands at 0-based `at` (a letter must follow it).
ControlWord ReadControlWord(std::string_view text, size_t at);

// The 0-based position after the group whose "{" stands at `at`, or npos when it does not close
// before `limit`. A backslash escapes the character after it.
size_t SkipGroup(std::string_view text, size_t at, size_t limit);

// A space, tab or line-break character.
inline bool IsBlank(char c) {
  return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

}  // namespace tessarine
