// A file's bytes mapped into memory instead of read into it: nothing is copied, and no fresh
// memory is touched for them (the system's cache of the file is what the mapping shows).
#pragma once

#include <cstddef>
#include <string_view>

namespace tessarine {

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps the first `size` bytes of the regular file open as `fd` (which may be closed then),
  // followed by `room` bytes the caller may write, zeros at first; whatever was mapped before
  // is let go. False, with nothing mapped, when the system refuses. The bytes are the file's as
  // long as it is mapped: a program that cuts the file shorter meanwhile makes reading the cut
  // part end this program (SIGBUS), so only files read in one go are mapped.
  bool Map(int fd, size_t size, size_t room);

  bool mapped() const { return data_ != nullptr; }
  // The file's bytes; empty when nothing is mapped.
  std::string_view bytes() const { return {data_, size_}; }
  // The file's bytes and the room after them.
  std::string_view with_room() const { return {data_, size_ + room_}; }
  // The room after the bytes.
  char* room() { return data_ + size_; }

 private:
  void Unmap();

  char* data_ = nullptr;
  size_t size_ = 0;
  size_t room_ = 0;
  size_t length_ = 0;  // of the whole mapping, in whole pages
};

}  // namespace tessarine
