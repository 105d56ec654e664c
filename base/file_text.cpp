#include "base/file_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>
#include <utility>

#include "base/line_break.h"
#include "base/replace_file.h"

namespace tessarine {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

Status SystemError(int error) {
  return Status::Error(std::strerror(error));
}

// Files from this size on are mapped rather than read: below it the mapping's set-up costs more
// than the copy it saves.
constexpr std::uintmax_t kMappedFrom = std::uintmax_t{1} << 20;

// Whether a CR stands in `text` without an LF after it, so the file text rule changes its lines.
bool HasLoneCr(std::string_view text) {
  for (size_t cr = text.find('\r'); cr != std::string_view::npos; cr = text.find('\r', cr + 2)) {
    if (cr + 1 == text.size() || text[cr + 1] != '\n') return true;
  }
  return false;
}

struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

std::string JoinLinesWithCrLf(std::string_view raw) {
  std::string out;
  out.reserve(raw.size() + raw.size() / 32 + 2);
  size_t start = 0;
  while (start < raw.size()) {
    size_t cr = raw.find('\r', start);
    if (cr == std::string_view::npos) {
      out.append(raw.substr(start));
      out.append(kLineBreak);
      break;
    }
    out.append(raw.substr(start, cr - start));
    out.append(kLineBreak);
    start = cr + 1;
    if (start < raw.size() && raw[start] == '\n') ++start;
  }
  return out;
}

std::string JoinLinesWithCrLf(std::string&& raw) {
  const std::string_view view(raw);
  size_t cr = view.find('\r');
  while (cr != std::string_view::npos && cr + 1 < view.size() && view[cr + 1] == '\n') {
    cr = view.find('\r', cr + 2);
  }
  if (cr != std::string_view::npos) return JoinLinesWithCrLf(view);  // a lone CR: lines change
  // Every line already ends in CR LF but perhaps the last, which only gains its line end.
  if (!raw.empty() && !raw.ends_with(kLineBreak)) raw.append(kLineBreak);
  return std::move(raw);
}

DocumentBytes::DocumentBytes(std::string raw) : size_(raw.size()) {
  const std::string_view view(raw);
  two_ = HasLoneCr(view);
  if (two_) {
    text_ = JoinLinesWithCrLf(view);
    bytes_ = std::move(raw);
  } else {
    text_ = JoinLinesWithCrLf(std::move(raw));
  }
}

DocumentBytes::DocumentBytes(MappedFile file) : file_(std::move(file)), size_(file_.bytes().size()) {
  const std::string_view view = file_.bytes();
  two_ = HasLoneCr(view);
  if (two_) {
    text_ = JoinLinesWithCrLf(view);
  } else {
    text_size_ = view.size();
    if (!view.empty() && !view.ends_with(kLineBreak)) {
      kLineBreak.copy(file_.room(), kLineBreak.size());
      text_size_ += kLineBreak.size();
    }
  }
}

std::string_view DocumentBytes::bytes() const {
  if (file_.mapped()) return file_.bytes();
  return two_ ? std::string_view(bytes_) : std::string_view(text_).substr(0, size_);
}

std::string_view DocumentBytes::text() const {
  if (file_.mapped() && !two_) return file_.with_room().substr(0, text_size_);
  return text_;
}

std::string DocumentBytes::TakeText() {
  std::string taken = file_.mapped() && !two_ ? std::string(text()) : std::move(text_);
  *this = DocumentBytes();
  return taken;
}

bool HasOnlyCrLfLineBreaks(std::string_view text) {
  // Line by line, two memchr calls a line: each LF must follow a CR, and the line before it
  // must hold no other CR.
  const char* data = text.data();
  const size_t size = text.size();
  size_t line = 0;
  for (;;) {
    const auto* lf = static_cast<const char*>(std::memchr(data + line, '\n', size - line));
    const size_t end = lf == nullptr ? size : static_cast<size_t>(lf - data);
    const auto* cr = static_cast<const char*>(std::memchr(data + line, '\r', end - line));
    if (lf == nullptr) return cr == nullptr;
    if (end == line || cr != lf - 1) return false;
    line = end + 1;
  }
}

std::string WithCrLfLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  size_t i = 0;
  while (i < text.size()) {
    size_t brk = text.find_first_of("\r\n", i);
    if (brk == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, brk - i));
    out.append(kLineBreak);
    i = brk + 1;
    if (text[brk] == '\r' && i < text.size() && text[i] == '\n') ++i;
  }
  return out;
}

bool IsExistingFile(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::file_status st = std::filesystem::status(path, ec);
  return !ec && std::filesystem::exists(st) && !std::filesystem::is_directory(st);
}

bool IsFolder(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec) && !ec;
}

Status ReadFileBytes(const std::filesystem::path& path, std::string* bytes) {
  bytes->clear();
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return SystemError(EISDIR);
  File in(std::fopen(path.c_str(), "rb"));
  if (!in) return SystemError(errno);
  // A file of known size is read straight into its place; what follows (a file that grew) and
  // files of unknown size are read in blocks.
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size == 0) return ReadStreamBytes(in.get(), bytes);
  bytes->reserve(static_cast<size_t>(size) + kLineBreak.size());  // room for a last line end
  bytes->resize(static_cast<size_t>(size));
  const size_t got = std::fread(bytes->data(), 1, bytes->size(), in.get());
  bytes->resize(got);
  if (std::ferror(in.get())) {
    const int error = errno;
    bytes->clear();
    return SystemError(error != 0 ? error : EIO);
  }
  if (got < size) return Status::Ok();  // the file shrank: what there was
  std::string rest;
  Status status = ReadStreamBytes(in.get(), &rest);
  if (!status.ok()) {
    bytes->clear();
    return status;
  }
  bytes->append(rest);
  return Status::Ok();
}

Status ReadDocumentFile(const std::filesystem::path& path, DocumentBytes* document) {
  *document = DocumentBytes();
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return SystemError(EISDIR);
  {
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) return SystemError(errno);
    struct stat info {};
    if (::fstat(file.fd, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::uintmax_t>(info.st_size) >= kMappedFrom) {
      MappedFile mapped;
      if (mapped.Map(file.fd, static_cast<size_t>(info.st_size), kLineBreak.size())) {
        *document = DocumentBytes(std::move(mapped));
        return Status::Ok();
      }
    }
  }
  // Small files, and files the system will not map, are read.
  std::string raw;
  Status status = ReadFileBytes(path, &raw);
  if (status.ok()) *document = DocumentBytes(std::move(raw));
  return status;
}

Status ReadStreamBytes(std::FILE* in, std::string* bytes) {
  bytes->clear();
  // Read in blocks to the end: works for files whose size is unknown (pipes) as well.
  char block[1 << 16];
  for (;;) {
    size_t got = std::fread(block, 1, sizeof block, in);
    bytes->append(block, got);
    if (got < sizeof block) break;
  }
  if (std::ferror(in)) {
    int error = errno;
    bytes->clear();
    return SystemError(error != 0 ? error : EIO);
  }
  return Status::Ok();
}

Status ReadFileText(const std::filesystem::path& path, std::string* text) {
  std::string raw;
  Status status = ReadFileBytes(path, &raw);
  if (!status.ok()) {
    text->clear();
    return status;
  }
  *text = JoinLinesWithCrLf(std::move(raw));
  return Status::Ok();
}

Status WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  return ReplaceFile(path, bytes);
}

Status SavePageText(const std::filesystem::path& path, std::string_view text) {
  if (HasOnlyCrLfLineBreaks(text)) return WriteFileBytes(path, text);
  return WriteFileBytes(path, WithCrLfLineBreaks(text));
}

}  // namespace tessarine
