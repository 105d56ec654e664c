#include "app/commands/open_document.h"

#include "base/file_text.h"
#include "base/output_name.h"

namespace tessarine {

LoadedDocument LoadDocument(const std::string& path, SourceKind kind) {
  LoadedDocument loaded;
  loaded.name = OutputNameFor(path);
  if (!IsExistingFile(path)) return loaded;
  std::string raw;
  Status read = ReadFileBytes(path, &raw);
  if (!read.ok()) {
    loaded.result = LoadResult::kUnreadable;
    loaded.reason = read.message();
    return loaded;
  }
  loaded.document = DocumentBytes(std::move(raw));
  loaded.result = (kind == SourceKind::kRtf && !HasRtfHeader(loaded.document.text())) ? LoadResult::kNotRtf
                                                                                      : LoadResult::kLoaded;
  return loaded;
}

}  // namespace tessarine
