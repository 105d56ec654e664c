// The line end the program writes everywhere: CR LF.
#pragma once

#include <string_view>

namespace tessarine {

inline constexpr std::string_view kLineBreak = "\r\n";

}  // namespace tessarine
