#include "passes/scan/scan.h"

#include <algorithm>
#include <vector>

#include "passes/scan/number.h"
#include "passes/scan/search.h"

namespace tessarine {

long Pos(std::string_view sub, std::string_view s) {
  size_t at = FindExact(s, sub);
  return at == std::string_view::npos ? -1 : static_cast<long>(at) + 1;
}

std::string_view CopyLeft(std::string_view s, long n) {
  if (n <= 0) return {};
  return s.substr(0, std::min(static_cast<size_t>(n), s.size()));
}

std::string_view CopyFrom(std::string_view s, long i) {
  if (i <= 0) i = 1;
  if (static_cast<size_t>(i) > s.size()) return {};
  return s.substr(static_cast<size_t>(i) - 1);
}

long LastIndexOf(std::string_view s, std::string_view sub) {
  if (sub.empty() || sub.size() > s.size()) return -1;
  size_t at = s.rfind(sub);
  return at == std::string_view::npos ? -1 : static_cast<long>(at) + 1;
}

namespace {

// The offset in `text` of the first `c` at or after `from`, through `finder` when there is one.
size_t FindFrom(std::string_view text, char c, size_t from, NextFinder* finder) {
  if (finder == nullptr) return text.find(c, from);
  size_t at = finder->In(text.substr(from));
  return at == std::string_view::npos ? at : from + at;
}

}  // namespace

bool ExtractGroup(std::string_view& text, std::string_view& group, int& opens, GroupMemo* memo) {
  NextFinder* open_finder = memo != nullptr ? &memo->open : nullptr;
  NextFinder* close_finder = memo != nullptr ? &memo->close : nullptr;
  opens = 0;
  int closes = 0;
  size_t i = 0;  // the scan's front: everything before it is in the group
  size_t next_open = FindFrom(text, '{', 0, open_finder);
  size_t next_close = FindFrom(text, '}', 0, close_finder);
  bool closed = false;
  for (;;) {
    if (next_open != std::string_view::npos && next_close != std::string_view::npos &&
        next_close > next_open) {
      ++opens;
      i = next_open + 1;
      next_open = FindFrom(text, '{', i, open_finder);
    } else if (next_close != std::string_view::npos &&
               (next_open == std::string_view::npos || next_close < next_open)) {
      ++closes;
      i = next_close + 1;
      next_close = FindFrom(text, '}', i, close_finder);
    } else {
      break;  // no "}" left
    }
    if (opens <= closes) {
      closed = true;
      break;
    }
  }
  group = text.substr(0, i);
  if (opens == 0 || opens < closes || !closed) {
    text = {};
    return false;
  }
  text = text.size() >= group.size() + 2 ? text.substr(group.size()) : std::string_view{};
  return true;
}

namespace {

bool IsBrace(char c) {
  return c == '{' || c == '}';
}

// The text start reached from the space at offset `sp` of `t`, or null: walks the control
// words that follow spaces. With a memo, every space passed on the way remembers the outcome.
const char* WalkFromSpace(std::string_view t, size_t sp, TextStartMemo* memo) {
  const char* result = nullptr;
  const char* first = nullptr;  // the spaces this walk passes, when remembered
  const char* last = nullptr;
  bool joined = false;  // the walk reached one made before
  for (;;) {
    const char* key = t.data() + sp;
    if (memo != nullptr) {
      std::vector<TextStartMemo::Walk>& walks = memo->walks;
      while (!walks.empty() && walks.back().last < key) walks.pop_back();
      if (!walks.empty() && walks.back().first <= key) {
        result = walks.back().result;
        joined = true;
        break;
      }
      if (first == nullptr) first = key;
      last = key;
    }
    if (sp + 1 >= t.size()) break;
    std::string_view rest = t.substr(sp + 1);
    if (IsBrace(rest[0])) break;
    if (!(rest[0] == '\\' && rest.size() > 1 && IsLetter(rest[1]))) {
      result = rest.data();
      break;
    }
    size_t next_space = memo != nullptr ? memo->space.In(rest) : rest.find(' ');
    size_t brace =
        memo != nullptr ? std::min(memo->open.In(rest), memo->close.In(rest)) : rest.find_first_of("{}");
    if (next_space == std::string_view::npos || next_space + 1 >= rest.size() ||
        (brace != std::string_view::npos && brace < next_space)) {
      break;
    }
    t = rest;
    sp = next_space;
  }
  if (memo != nullptr && first != nullptr) {
    if (joined) {
      memo->walks.back().first = first;
    } else {
      memo->walks.push_back({first, last, result});
    }
  }
  return result;
}

}  // namespace

long FindTextStart(std::string_view s, TextStartMemo* memo) {
  size_t sp = memo != nullptr ? memo->space.In(s) : s.find(' ');
  if (sp == std::string_view::npos || sp + 1 >= s.size()) return -1;
  size_t brace = memo != nullptr ? std::min(memo->open.In(s), memo->close.In(s)) : s.find_first_of("{}", 0);
  if (brace != std::string_view::npos && brace < sp) return -1;
  const char* start = WalkFromSpace(s, sp, memo);
  return start == nullptr ? -1 : static_cast<long>(start - s.data()) + 1;
}

long FindTextEnd(std::string_view s) {
  const size_t n = s.size();
  size_t resume = 0;  // a control symbol's second character is skipped over
  auto stops_at = [&](size_t i) __attribute__((always_inline)) {
    if (i < resume) return false;
    if (s[i] != '\\') return true;
    if (i + 1 < n && IsLetter(s[i + 1])) return true;
    if (i + 3 >= n) return true;
    resume = i + 2;  // a hex escape or other control symbol: skip the backslash and the next character
    return false;
  };
  // Before the last three characters a hex escape only skips its apostrophe, which stops
  // nothing: the scan in blocks leaves hex escapes out there.
  const size_t head = n > 3 ? n - 3 : 0;
  size_t end = FindControlOrBraceWhere(s.substr(0, head), 0, stops_at);
  for (size_t i = head; end == std::string_view::npos && i < n; ++i) {
    if ((s[i] == '{' || s[i] == '}' || s[i] == '\\') && stops_at(i)) end = i;
  }
  return static_cast<long>(end == std::string_view::npos ? n : end) + 1;
}

}  // namespace tessarine
