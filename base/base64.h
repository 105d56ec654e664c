// Base64 (RFC 4648), as "data:" URIs carry pictures.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// Appends `data` in base64 (RFC 4648, with padding).
void AppendBase64(std::string& out, std::string_view data);

}  // namespace tessarine
