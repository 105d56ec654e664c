#include "base/file_text.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "base/line_break.h"

namespace tessarine {

namespace {

std::string Describe(const std::filesystem::path& path, const char* what) {
  std::string reason = std::strerror(errno);
  return std::string(what) + " " + path.string() + ": " + reason;
}

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
  return std::filesystem::is_regular_file(path, ec) ||
         (std::filesystem::exists(path, ec) && !std::filesystem::is_directory(path, ec));
}

Status ReadFileBytes(const std::filesystem::path& path, std::string* bytes) {
  bytes->clear();
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return Status::Error("is a folder: " + path.string());
  std::ifstream in(path, std::ios::binary);
  if (!in) return Status::Error(Describe(path, "cannot open"));
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size > 0) {
    in.seekg(0, std::ios::beg);
    bytes->resize(static_cast<size_t>(size));
    in.read(bytes->data(), size);
    if (!in) return Status::Error(Describe(path, "cannot read"));
  } else {
    // Not seekable (a pipe): read to the end.
    in.clear();
    in.seekg(0, std::ios::beg);
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
  *text = JoinLinesWithCrLf(raw);
  return Status::Ok();
}

Status WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return Status::Error(Describe(path, "cannot create"));
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return Status::Error(Describe(path, "cannot write"));
  return Status::Ok();
}

Status SavePageText(const std::filesystem::path& path, std::string_view text) {
  return WriteFileBytes(path, WithCrLfLineBreaks(text));
}

}  // namespace tessarine
