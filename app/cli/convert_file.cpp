#include "app/cli/convert_file.h"

#include <filesystem>
#include <system_error>

#include "app/messages.h"
#include "base/file_text.h"
#include "base/output_name.h"
#include "choice/convert_rtf_document.h"
#include "text/convert_text.h"

namespace tessarine {

namespace {

// True when both paths name the same existing file (hard and symbolic links included).
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

std::string WithSystemReason(std::string_view what, const Status& status) {
  std::string reason(what);
  if (!status.message().empty()) {
    reason += ": ";
    reason += status.message();
  }
  return reason;
}

// Converts `document` and writes or hands back its page; `source` (empty for a document that is
// no file) is never overwritten. The document may be let go while it is converted.
FileOutcome ConvertAndSave(DocumentBytes&& document, SourceKind kind, const Settings& settings,
                           const std::string& source, std::string output_path, std::string* page,
                           const ProgressSink& progress,
                           const std::function<void(size_t text_length)>& loaded) {
  FileOutcome outcome;
  outcome.output_path = std::move(output_path);
  const std::string_view text = document.text();
  if (kind == SourceKind::kRtf && !HasRtfHeader(text)) {
    outcome.reason = messages::kNotRtfFile;
    return outcome;
  }
  if (loaded) loaded(text.size());
  Conversion conversion = kind == SourceKind::kRtf ? ConvertRtfDocument(std::move(document), settings, progress)
                                                   : ConvertText(text, settings, progress);
  if (conversion.refusal != Refusal::kNone) {
    outcome.reason = messages::ForRefusal(conversion.refusal);
    return outcome;
  }
  if (page != nullptr) {
    *page = std::move(conversion.page);
    outcome.ok = true;
    return outcome;
  }
  // A source named like its page (a.htm) is never replaced.
  if (!source.empty() && SameFile(outcome.output_path, source)) {
    outcome.reason = messages::kPageWouldOverwriteSource;
    return outcome;
  }
  const std::string cannot_write = std::string(messages::kCannotWritePage) + " " + outcome.output_path;
  if (IsFolder(outcome.output_path)) {
    outcome.reason = cannot_write + ": " + std::string(messages::kFolderNotFile);
    return outcome;
  }
  if (Status written = SavePageText(outcome.output_path, conversion.page); !written.ok()) {
    outcome.reason = WithSystemReason(cannot_write, written);
    return outcome;
  }
  outcome.ok = true;
  return outcome;
}

}  // namespace

SourceKind KindFromPath(std::string_view path) {
  return EndsWithIgnoringCase(path, ".txt") ? SourceKind::kText : SourceKind::kRtf;
}

bool HasRtfHeader(std::string_view text) {
  if (text.size() <= 10) return false;
  return text.substr(0, 10).find("{\\rtf") != std::string_view::npos;
}

FileOutcome ConvertFile(const std::string& source, SourceKind kind, const Settings& settings,
                        const std::string& output, std::string* page, const ProgressSink& progress,
                        const std::function<void(size_t text_length)>& loaded) {
  std::string output_path = output.empty() ? OutputNameFor(source) : output;
  if (IsFolder(source)) return FileOutcome{false, std::string(messages::kFolderNotFile), output_path};
  if (!IsExistingFile(source)) return FileOutcome{false, std::string(messages::kFileNotFound), output_path};
  DocumentBytes document;
  if (Status read = ReadDocumentFile(source, &document); !read.ok()) {
    return FileOutcome{false, WithSystemReason(messages::kCannotReadFile, read), output_path};
  }
  return ConvertAndSave(std::move(document), kind, settings, source, std::move(output_path), page, progress,
                        loaded);
}

FileOutcome ConvertDocument(DocumentBytes&& document, SourceKind kind, const Settings& settings,
                            const std::string& output, std::string* page) {
  return ConvertAndSave(std::move(document), kind, settings, "", output, page, {}, {});
}

}  // namespace tessarine
