#include "base/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace tessarine {

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
constexpr size_t kAdvisedFrom = size_t{4} << 20;

}  // namespace

void AdviseHugePages(void* data, size_t size) {
#if defined(MADV_HUGEPAGE)
  if (data == nullptr || size < kAdvisedFrom) return;
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kHugePage - 1) / kHugePage * kHugePage;
  const std::uintptr_t last = (begin + size) / kHugePage * kHugePage;
  if (first >= last) return;
  // Advice only: a system without huge pages refuses it and the buffer stays as it was.
  (void)madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

}  // namespace tessarine
