// Where the escape rewrite (unicode_escapes.h) may change a document, so that it can pass over
// the stretches between those places instead of walking every character of them.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessarine {

// Whether the rewrite of `document` (read in code page 1251) may pass over stretches: it holds
// no "\uc" (every group's fallback is one character), no "\bin" (no data to pass over), no "\\",
// no hex escape with a backslash for a digit and no kReferenceMark. Then every backslash starts a
// piece of the walk (a control word or symbol, a hex escape), and nothing but the places
// NextRewritePlace finds can change.
bool RewriteMayPassOver(std::string_view document);

// The first place at or after `from` where the rewrite of such a document may change something,
// npos when there is none: a backslash that starts "\~", "\_", "\-", "\u" and a digit or "-",
// "\lq", "\ld", "\rq", "\rd" or "\bu"; a hex escape after a letter, a digit, "-" or a brace, but
// not right after another whole one; a CR or LF after a letter, a digit or "-" (the end of a
// control word's number or name). Blocks of sixteen characters are looked at together.
size_t NextRewritePlace(std::string_view document, size_t from);

}  // namespace tessarine
