// Backing large working buffers with the system's huge pages: one page fault for each 2 MB
// written instead of one for each 4 KB.
#pragma once

#include <cstddef>

namespace tessarine {

// Asks the system to back the whole 2 MB pages within [data, data + size) with huge pages as they
// are first written (transparent huge pages, where the system offers them on request). Buffers
// below a few megabytes are left as they are; nothing changes what the buffer holds.
void AdviseHugePages(void* data, size_t size);



// Makes the program's heap grow by `room` bytes at a time and asks for huge pages for the room
// it has now: the many small allocations of a large document (a document model's runs and
// strings) then fault once for each 2 MB. For a program's start, before the work; where the C
// library or the system cannot do it, nothing changes. Memory is still taken only as it is
// written, but in 2 MB steps.
inline constexpr size_t kHeapRoom = size_t{256} << 20;
void GrowHeapOnHugePages(size_t room = kHeapRoom);

}  // namespace tessarine
