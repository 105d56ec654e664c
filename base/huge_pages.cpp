#include "base/huge_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstdint>
#include <cstdlib>

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

void GrowHeapOnHugePages(size_t room) {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
  const int pad = room > (size_t{1} << 30) ? 1 << 30 : static_cast<int>(room);
  // The heap grows by `room` beyond each request and is never given back on the way (the
  // program gives it all back when it ends); large blocks are still mapped on their own.
  if (mallopt(M_TOP_PAD, pad) == 0 || mallopt(M_TRIM_THRESHOLD, pad * 2 > 0 ? pad * 2 : pad) == 0) return;
  // A block from the heap (not mapped on its own) makes it grow, by `room`, if it must; from
  // that block to the heap's end lies the room the work will use.
  constexpr int kProbe = 1 << 20;
  constexpr int kMapped = 128 * 1024;  // the library's default threshold for mapped blocks
  if (mallopt(M_MMAP_THRESHOLD, 2 * kProbe) == 0) return;
  void* probe = std::malloc(kProbe);
  auto* const end = static_cast<char*>(sbrk(0));
  (void)mallopt(M_MMAP_THRESHOLD, kMapped);
  auto* const begin = static_cast<char*>(probe);
  if (probe != nullptr && end != reinterpret_cast<char*>(-1) && end > begin) {
    AdviseHugePages(begin, static_cast<size_t>(end - begin));
  }
  std::free(probe);
#else
  (void)room;
#endif
}

}  // namespace tessarine
