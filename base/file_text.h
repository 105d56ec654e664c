// Reading documents and writing pages. Bytes are never re-encoded: code page 1251 in and out.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/mapped_file.h"
#include "base/status.h"

namespace tessarine {

// The file text rule: splits `raw` into lines at CR or CR LF (a lone LF is an ordinary
// character) and joins them again with CR LF after every line, the last one included. A final
// line without a line end still counts; an empty input gives "".
std::string JoinLinesWithCrLf(std::string_view raw);

// JoinLinesWithCrLf of `raw`, taking over its buffer when the rule changes no more than the end
// (a text without CR, or whose every CR is followed by LF): no copy of a large document.
std::string JoinLinesWithCrLf(std::string&& raw);

// A document as its file holds it (`bytes`: what the structured reader reads, "\bin" data
// intact) and as the file text rule gives it (`text`: what the passes and the text converter
// read). One buffer serves both when the rule adds no more than the last line end, the bytes
// then being the text's beginning; only a document with a lone CR keeps two.
// A large file may be mapped rather than read (ReadDocumentFile): its bytes are then the
// mapping, and so is its text but for a lone CR.
class DocumentBytes {
 public:
  DocumentBytes() = default;
  explicit DocumentBytes(std::string raw);
  // The document of a mapped file whose mapping has room for two bytes after the file's.
  explicit DocumentBytes(MappedFile file);

  std::string_view bytes() const;
  std::string_view text() const;
  // Hands over the text's buffer (a copy of a mapped text), leaving the document empty.
  std::string TakeText();

 private:
  std::string text_;   // unless the text is the mapping
  std::string bytes_;  // only when the text differs from the bytes before its end, and they are not mapped
  MappedFile file_;
  size_t size_ = 0;       // of the bytes
  size_t text_size_ = 0;  // of a mapped text
  bool two_ = false;
};

// Reads the file at `path` as a document, as ReadFileBytes reads its bytes; a large regular file
// is mapped instead (MappedFile). Fails as ReadFileBytes, the document then empty.
Status ReadDocumentFile(const std::filesystem::path& path, DocumentBytes* document);

// Writes every line break of `text` (CR LF, a lone CR or a lone LF) as CR LF, as saving a pane
// as plain text does.
std::string WithCrLfLineBreaks(std::string_view text);

// True when every line break of `text` is already CR LF, so WithCrLfLineBreaks would change
// nothing.
bool HasOnlyCrLfLineBreaks(std::string_view text);

// Reads the whole file into `bytes` unchanged. Fails when the path is missing, is a folder, or
// cannot be read; the message is then the system's reason and `bytes` is empty.
Status ReadFileBytes(const std::filesystem::path& path, std::string* bytes);

// Reads `in` (standard input, for one) to its end into `bytes`. Fails, with `bytes` empty and
// the system's reason, when reading fails.
Status ReadStreamBytes(std::FILE* in, std::string* bytes);

// Reads a file with the file text rule (JoinLinesWithCrLf). Fails as ReadFileBytes.
Status ReadFileText(const std::filesystem::path& path, std::string* text);

// Creates or replaces the file with exactly `bytes`, safely (ReplaceFile): a failure leaves the
// old file as it was, never a cut one. The message of a failure is the system's reason.
Status WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// Saves a page as a pane is saved as plain text: every line break written as CR LF.
Status SavePageText(const std::filesystem::path& path, std::string_view text);

// True when `path` names an existing file that is not a folder (symbolic links followed).
bool IsExistingFile(const std::filesystem::path& path);

// True when `path` names an existing folder (symbolic links followed).
bool IsFolder(const std::filesystem::path& path);

}  // namespace tessarine
