#include "engine/escapes.h"

#include <cstring>
#include <string_view>

#include "engine/decode_text.h"

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

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The first occurrence of `pattern` at or after `from`, letter case not regarded; npos if none.
size_t FindFolded(std::string_view text, std::string_view pattern, size_t from) {
  while (from + pattern.size() <= text.size()) {
    const void* hit = std::memchr(text.data() + from, pattern[0], text.size() - from - pattern.size() + 1);
    if (hit == nullptr) return std::string_view::npos;
    size_t at = static_cast<size_t>(static_cast<const char*>(hit) - text.data());
    size_t i = 1;
    while (i < pattern.size() && Lower(text[at + i]) == Lower(pattern[i])) ++i;
    if (i == pattern.size()) return at;
    from = at + 1;
  }
  return std::string_view::npos;
}

// Replaces every occurrence, scanning on after each replacement (no replacement can start a
// new occurrence). An occurrence at position 0 ends the pass before anything is replaced.
void ReplaceAll(std::string& text, const EscapePass& pass) {
  size_t at = FindFolded(text, pass.pattern, 0);
  if (at == std::string_view::npos || at == 0) return;
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  size_t from = 0;
  while (at != std::string_view::npos) {
    out.append(text, from, at - from);
    out.append(pass.replacement);
    from = at + pass.pattern.size();
    at = FindFolded(text, pass.pattern, from);
  }
  out.append(text, from);
  text.swap(out);
}

}  // namespace

void NormaliseEscapes(std::string& text) {
  for (const EscapePass& pass : kPasses) ReplaceAll(text, pass);
}

}  // namespace tessarine
