// Substring searches tuned for RTF text. Control words make a backslash stand every few
// characters, so a search that stops at every occurrence of a pattern's first character (as
// std::string_view::find does) spends its time in calls; these search whole blocks instead.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessarine {

// 0-based offset of the first occurrence of `pattern` in `text` at or after `from`, exact case;
// npos when there is none (an empty pattern is found at `from`).
size_t FindExact(std::string_view text, std::string_view pattern, size_t from = 0);

// The same with ASCII letters compared without regard to their case.
size_t FindFolded(std::string_view text, std::string_view pattern, size_t from = 0);

// The same within text[from, to) (a `to` beyond the text counts as its end); an empty pattern
// is not found there.
size_t FindFolded(std::string_view text, std::string_view pattern, size_t from, size_t to);

// 0-based offset of the first character at or after `from` that is `a` or `b`; npos if none.
size_t FindEither(std::string_view text, char a, char b, size_t from = 0);

}  // namespace tessarine
