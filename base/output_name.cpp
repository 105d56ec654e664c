#include "base/output_name.h"

namespace tessarine {

std::string OutputNameFor(std::string_view source_path) {
  size_t name_start = source_path.find_last_of('/');
  name_start = (name_start == std::string_view::npos) ? 0 : name_start + 1;
  size_t dot = source_path.rfind('.');
  if (dot == std::string_view::npos || dot < name_start) {
    return std::string(source_path) + ".htm";
  }
  return std::string(source_path.substr(0, dot + 1)) + "htm";
}

bool EndsWithIgnoringCase(std::string_view name, std::string_view ending) {
  if (name.size() < ending.size()) return false;
  std::string_view tail = name.substr(name.size() - ending.size());
  for (size_t i = 0; i < ending.size(); ++i) {
    char c = tail[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != ending[i]) return false;
  }
  return true;
}

}  // namespace tessarine
