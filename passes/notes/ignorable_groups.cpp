#include "passes/notes/ignorable_groups.h"

#include "passes/scan/control_word.h"

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
  size_t kept_from = 0;
  for (size_t i = 1; i < group.size(); ++i) {
    if (group[i] == '{') {
      if (!IsIgnorableAt(group, i)) return false;
      const size_t end = SkipGroup(group, i, group.size());
      if (end == std::string_view::npos) return false;
      flat.append(group.substr(kept_from, i - kept_from));
      kept_from = end;
      i = end - 1;
    } else if (group[i] == '}') {
      flat.append(group.substr(kept_from, i + 1 - kept_from));
      return true;
    }
  }
  return false;
}

}  // namespace tessarine
