// Any bytes through the structured reader and the model's page writer, the passes and the
// automatic choice between them: no crash, no hang, no leak, no sanitizer report, and what
// CheckConvertRtfDocument demands (fuzz_checks.h).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!tessarine::fuzzing::CheckConvertRtfDocument(bytes).empty()) __builtin_trap();
  return 0;
}
