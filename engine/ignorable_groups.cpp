#include "engine/ignorable_groups.h"

namespace tessarine {

namespace {

// Whether the group opening at `open` is an ignorable destination: "{\*", possibly after
// line breaks or spaces.
bool IsIgnorableAt(std::string_view s, size_t open) {
  size_t i = open + 1;
  while (i < s.size() && (s[i] == '\r' || s[i] == '\n' || s[i] == ' ')) ++i;
  return i + 1 < s.size() && s[i] == '\\' && s[i + 1] == '*';
}

}  // namespace

bool RemoveIgnorableGroups(std::string_view group, std::string& flat) {
  flat.clear();
  if (group.empty() || group[0] != '{') return false;
  flat.reserve(group.size());
  int depth = 0;
  size_t kept_from = 0;
  for (size_t i = 0; i < group.size(); ++i) {
    const char c = group[i];
    if (c == '{') {
      ++depth;
      if (depth == 2) {
        if (!IsIgnorableAt(group, i)) return false;
        flat.append(group.substr(kept_from, i - kept_from));
      }
    } else if (c == '}') {
      --depth;
      if (depth == 1) kept_from = i + 1;
      if (depth == 0) {
        flat.append(group.substr(kept_from, i + 1 - kept_from));
        return true;
      }
    }
  }
  return false;
}

}  // namespace tessarine
