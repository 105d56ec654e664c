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

}  // namespace tessarine
