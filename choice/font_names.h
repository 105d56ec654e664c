// The font names a page uses, each kept once under a small number, so that formatting carries
// a number rather than a name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessarine {

class FontNames {
 public:
  // The number of the family name `utf8`: spaces around it and quotes around it left out, letters
  // compared without case (FoldLetter). -1 for an empty name.
  int32_t Intern(std::string_view utf8);
  // The name kept under `id`, folded; empty for an unknown id.
  std::string_view Name(int32_t id) const;

  // Whether `utf8` is the name kept under `id`, compared as Intern compares.
  bool Same(int32_t id, std::string_view utf8) const;

  // `utf8` trimmed, unquoted and folded, appended to `out`.
  static void AppendFolded(std::string_view utf8, std::string& out);

 private:
  std::vector<std::string> names_;
  std::unordered_map<std::string, int32_t> ids_;
  std::string key_;  // reused for each look-up
};

}  // namespace tessarine
