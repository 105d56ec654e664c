// Any bytes through the picture decoders, as an RTF document's pictures or as one picture: no
// crash, no hang, no leak, no sanitizer report, and images that hold drawing only
// (CheckDrawPicture, fuzz_checks.h).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!tessarine::fuzzing::CheckDrawPicture(bytes).empty()) __builtin_trap();
  return 0;
}
