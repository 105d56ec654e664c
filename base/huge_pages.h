// Backing large working buffers with the system's huge pages: one page fault for each 2 MB
// written instead of one for each 4 KB.
#pragma once

#include <cstddef>

namespace tessarine {

// Asks the system to back the whole 2 MB pages within [data, data + size) with huge pages as they
// are first written (transparent huge pages, where the system offers them on request). Buffers
// below a few megabytes are left as they are; nothing changes what the buffer holds.
void AdviseHugePages(void* data, size_t size);

}  // namespace tessarine
