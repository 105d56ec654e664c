// The string scanners every pass uses: groups, control words and text runs.
//
// Positions here are 1-based and -1 means "not found" (never 0). Texts are views into a
// buffer owned by the caller; "consuming" a text moves the view forward. A control word is a
// backslash followed by a letter "A"-"Z" or "a"-"z"; a backslash followed by anything else
// (a hex escape's apostrophe, a digit, a space) is not one.
#pragma once

#include <string_view>
#include <vector>

#include "passes/scan/next_finder.h"

namespace tessarine {

// 1-based position of the first occurrence of `sub` in `s`, -1 when absent.
long Pos(std::string_view sub, std::string_view s);

// The first `n` characters of `s` (empty when n <= 0, all of `s` when n >= its length).
std::string_view CopyLeft(std::string_view s, long n);

// The characters of `s` from position `i` on; i <= 0 counts as 1, i beyond the end gives "".
std::string_view CopyFrom(std::string_view s, long i);

// 1-based position of the last occurrence of `sub` in `s` (occurrences may overlap), or -1.
long LastIndexOf(std::string_view s, std::string_view sub);

// Remembers where the next "{" and "}" stand in one text whose suffixes are scanned again and
// again (by ExtractGroup and by callers looking for the next group), so the scans stay linear.
struct GroupMemo {
  NextFinder open{"{"}, close{"}"};
  void Reset() {
    open.Reset();
    close.Reset();
  }
};

// Cuts the first complete group off the front of `text`: `group` becomes the front of `text`
// through the "}" that balances the first "{" (any characters before that "{" included) and
// `opens` the number of "{" met on the way (1 = a group without nested groups). `text` then
// continues after the group, except that a single character left after it is dropped too.
// Returns false, with `text` emptied, when a "}" comes before any "{" or the group never closes
// (`group` then holds what was scanned). With a memo, `text` must be a suffix of its text.
bool ExtractGroup(std::string_view& text, std::string_view& group, int& opens, GroupMemo* memo = nullptr);

// Remembers, for one text scanned from the front again and again, where the control words
// after each space lead, so that repeated FindTextStart calls over suffixes of that text stay
// linear in total. Only valid while the text is not changed in place.
class TextStartMemo {
 public:
  NextFinder space{" "}, open{"{"}, close{"}"};
  // A walk passes every space from its first to its last one, and all of them lead to the same
  // text start (null: none). Walks are kept nearest last; one that lies behind the space
  // being looked up is dropped, since searches only move forward over the text.
  struct Walk {
    const char* first;
    const char* last;
    const char* result;
  };
  std::vector<Walk> walks;
};

// Skips the control words at the front of `s` that are separated by spaces: the position of
// the first text character after a space, or -1 when a brace comes first, no space follows, or
// the last space ends `s`. A hex escape or other backslash-non-letter counts as text.
long FindTextStart(std::string_view s, TextStartMemo* memo = nullptr);

// The position where the text run at the front of `s` ends: the first control word or brace
// (hex escapes and other backslash-non-letter pairs are skipped over; a backslash among the
// last three characters ends the run). With neither, one past the last character, so the run
// CopyLeft(s, result - 1) is all of `s`.
long FindTextEnd(std::string_view s);

}  // namespace tessarine
