#include "base/base64.h"

#include <cstdint>

namespace tessarine {

void AppendBase64(std::string& out, std::string_view data) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const size_t start = out.size();
  out.resize(start + (data.size() + 2) / 3 * 4);
  char* w = out.data() + start;
  const auto* p = reinterpret_cast<const unsigned char*>(data.data());
  size_t n = data.size();
  for (; n >= 3; n -= 3, p += 3) {
    uint32_t v = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    *w++ = kDigits[v >> 18];
    *w++ = kDigits[(v >> 12) & 63];
    *w++ = kDigits[(v >> 6) & 63];
    *w++ = kDigits[v & 63];
  }
  if (n > 0) {
    uint32_t v = uint32_t{p[0]} << 16;
    if (n == 2) v |= uint32_t{p[1]} << 8;
    *w++ = kDigits[v >> 18];
    *w++ = kDigits[(v >> 12) & 63];
    *w++ = n == 2 ? kDigits[(v >> 6) & 63] : '=';
    *w++ = '=';
  }
}

}  // namespace tessarine
