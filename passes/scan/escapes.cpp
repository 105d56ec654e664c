#include "passes/scan/escapes.h"

#include <string_view>

#include "passes/scan/decode_text.h"
#include "passes/scan/search.h"

namespace tessarine {

namespace {

struct EscapePass {
  std::string_view pattern;  // begins with a backslash
  std::string_view replacement;
};

constexpr EscapePass kPasses[] = {
    {"\\endash", "-"},
    {"\\\\{", "\\\\ {"},
    {"\\\\}", "\\\\ }"},
    {"\\{", kOpenBracePlaceholder},
    {"\\}", kCloseBracePlaceholder},
};

// Writes `text` with every occurrence replaced into `out`, scanning on after each replacement
// (no replacement can start a new occurrence). An occurrence at position 0 ends the pass
// before anything is replaced: then nothing is written and the result is false.
bool ReplaceAll(std::string_view text, const EscapePass& pass, std::string& out) {
  size_t at = FindFolded(text, pass.pattern, 0);
  if (at == std::string_view::npos || at == 0) return false;
  out.clear();
  out.reserve(text.size() + text.size() / 16);
  size_t from = 0;
  while (at != std::string_view::npos) {
    out.append(text.substr(from, at - from));
    out.append(pass.replacement);
    from = at + pass.pattern.size();
    at = FindFolded(text, pass.pattern, from);
  }
  out.append(text.substr(from));
  return true;
}

// Whether any pass's pattern occurs in `text`: one walk over the backslashes instead of a search
// per pass.
bool HasAnyPattern(std::string_view text) {
  return FindBackslashBeforeWhere(text, "eE\\{}", 0, [&](size_t i) {
    for (const EscapePass& pass : kPasses) {
      if (FindFolded(text.substr(i, pass.pattern.size()), pass.pattern, 0) == 0) return true;
    }
    return false;
  }) != std::string_view::npos;
}

}  // namespace

bool NormaliseEscapes(std::string_view text, std::string& out) {
  if (!HasAnyPattern(text)) return false;
  bool changed = false;
  std::string pass_out;
  for (const EscapePass& pass : kPasses) {
    if (ReplaceAll(changed ? std::string_view(out) : text, pass, pass_out)) {
      out.swap(pass_out);
      changed = true;
    }
  }
  return changed;
}

}  // namespace tessarine
