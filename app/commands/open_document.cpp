#include "app/commands/open_document.h"

#include "base/file_text.h"
#include "base/output_name.h"

namespace tessarine {

LoadedDocument LoadDocument(const std::string& path, SourceKind kind) {
  LoadedDocument loaded;
  loaded.name = OutputNameFor(path);
  if (!IsExistingFile(path)) return loaded;
  Status read = ReadFileText(path, &loaded.text);
  if (!read.ok()) {
    loaded.result = LoadResult::kUnreadable;
    loaded.reason = read.message();
    return loaded;
  }
  loaded.result =
      (kind == SourceKind::kRtf && !HasRtfHeader(loaded.text)) ? LoadResult::kNotRtf : LoadResult::kLoaded;
  return loaded;
}

}  // namespace tessarine
