// Loading one document chosen with "Открыть файлы RTF" or "Открыть файлы TXT".
#pragma once

#include <string>

#include "app/cli/convert_file.h"
#include "base/file_text.h"

namespace tessarine {

enum class LoadResult {
  kLoaded,
  kMissing,     // no file of that path
  kUnreadable,  // the file exists but cannot be read; `reason` says why
  kNotRtf,      // an RTF document that fails the RTF header test
};

struct LoadedDocument {
  LoadResult result = LoadResult::kMissing;
  std::string name;        // the document's page name: the output name of the path (always set)
  DocumentBytes document;  // the file's bytes and text (kLoaded and kNotRtf)
  std::string reason;      // UTF-8, for kUnreadable
};

// Reads the document at `path` (a local path). RTF documents must pass the RTF header test.
LoadedDocument LoadDocument(const std::string& path, SourceKind kind);

}  // namespace tessarine
