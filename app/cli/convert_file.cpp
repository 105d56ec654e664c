#include "app/cli/convert_file.h"

#include <filesystem>
#include <system_error>

#include "app/messages.h"
#include "base/file_text.h"
#include "base/output_name.h"
#include "engine/convert_rtf.h"
#include "text/convert_text.h"

namespace tessarine {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SamePath(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  return std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec);
}

}  // namespace

SourceKind KindFromPath(std::string_view path) {
  if (path.size() < 4) return SourceKind::kRtf;
  std::string_view ext = path.substr(path.size() - 4);
  const char* txt = ".txt";
  for (size_t i = 0; i < 4; ++i) {
    if (Lower(ext[i]) != txt[i]) return SourceKind::kRtf;
  }
  return SourceKind::kText;
}

bool HasRtfHeader(std::string_view text) {
  if (text.size() <= 10) return false;
  return text.substr(0, 10).find("{\\rtf") != std::string_view::npos;
}

FileOutcome ConvertFile(const std::string& source, SourceKind kind, const Settings& settings,
                        const std::string& output, std::string* page, const ProgressSink& progress,
                        const std::function<void(size_t text_length)>& loaded) {
  FileOutcome outcome;
  outcome.output_path = output.empty() ? OutputNameFor(source) : output;
  if (!IsExistingFile(source)) {
    outcome.reason = "файл не найден";
    return outcome;
  }
  std::string text;
  Status read = ReadFileText(source, &text);
  if (!read.ok()) {
    outcome.reason = read.message();
    return outcome;
  }
  if (kind == SourceKind::kRtf && !HasRtfHeader(text)) {
    outcome.reason = std::string(messages::kNotRtfFile);
    return outcome;
  }
  if (loaded) loaded(text.size());
  Conversion conversion =
      kind == SourceKind::kRtf ? ConvertRtf(text, settings, progress) : ConvertText(text, settings, progress);
  if (conversion.refusal != Refusal::kNone) {
    outcome.reason = std::string(messages::ForRefusal(conversion.refusal));
    return outcome;
  }
  if (page != nullptr) {
    *page = std::move(conversion.page);
    outcome.ok = true;
    return outcome;
  }
  if (SamePath(outcome.output_path, source)) {
    outcome.reason = "страница совпадает с исходным файлом, исходный файл не перезаписан";
    return outcome;
  }
  Status written = SavePageText(outcome.output_path, conversion.page);
  if (!written.ok()) {
    outcome.reason = written.message();
    return outcome;
  }
  outcome.ok = true;
  return outcome;
}

}  // namespace tessarine
