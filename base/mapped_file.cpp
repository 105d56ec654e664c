#include "base/mapped_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <utility>

namespace tessarine {

MappedFile::~MappedFile() {
  Unmap();
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      room_(std::exchange(other.room_, 0)),
      length_(std::exchange(other.length_, 0)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
  if (this != &other) {
    Unmap();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    room_ = std::exchange(other.room_, 0);
    length_ = std::exchange(other.length_, 0);
  }
  return *this;
}

void MappedFile::Unmap() {
  if (data_ != nullptr) munmap(data_, length_);
  data_ = nullptr;
  size_ = room_ = length_ = 0;
}

bool MappedFile::Map(int fd, size_t size, size_t room) {
  Unmap();
  const long page_size = sysconf(_SC_PAGESIZE);
  if (page_size <= 0 || size + room < size) return false;
  const auto page = static_cast<size_t>(page_size);
  const size_t length = (size + room + page - 1) / page * page;
  if (length == 0) return false;
  // Writable zero pages for the whole length first; the file then takes their place but for the
  // room beyond its last page.
  void* region = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (region == MAP_FAILED) return false;
  auto* data = static_cast<char*>(region);
  if (size > 0) {
    // Populated at once: one call maps the cached pages instead of a fault for each.
    if (mmap(data, size, PROT_READ, MAP_PRIVATE | MAP_FIXED | MAP_POPULATE, fd, 0) == MAP_FAILED) {
      munmap(data, length);
      return false;
    }
    // The room that starts inside the file's last page: that page becomes the program's own
    // copy when written.
    const size_t last_page = size / page * page;
    if (room > 0 && size % page != 0 && mprotect(data + last_page, page, PROT_READ | PROT_WRITE) != 0) {
      munmap(data, length);
      return false;
    }
  }
  data_ = data;
  size_ = size;
  room_ = room;
  length_ = length;
  return true;
}

}  // namespace tessarine
