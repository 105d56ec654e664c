#include "app/commands/batch.h"

#include <filesystem>

#include "app/commands/command_texts.h"
#include "base/file_text.h"
#include "base/line_break.h"

namespace tessarine {

namespace {

void Tell(const BatchObserver& observer, const std::string& text) {
  if (observer.status) observer.status(text);
}

std::string SizeLine(SourceKind kind, const std::string& path, size_t length) {
  std::string line(kind == SourceKind::kText ? texts::kStatusLoadedColon : texts::kStatusProcessing);
  line.append(path);
  line.append(texts::kStatusSizeBefore);
  line.append(std::to_string(length));
  line.append(texts::kStatusSizeAfter);
  return line;
}

}  // namespace

BatchReport RunBatch(const std::vector<std::string>& paths, SourceKind kind, const Settings& settings,
                     const BatchObserver& observer) {
  BatchReport report;
  std::string last_output;
  for (size_t i = 0; i < paths.size(); ++i) {
    const std::string& path = paths[i];
    if (i + 1 < paths.size()) Tell(observer, std::string(texts::kStatusProcessing) + path);
    FileOutcome outcome = ConvertFile(path, kind, settings, "", nullptr, observer.progress,
                                      [&](size_t length) { Tell(observer, SizeLine(kind, path, length)); });
    if (outcome.ok) {
      ++report.converted;
      last_output = outcome.output_path;
    } else {
      report.failures.push_back({std::filesystem::path(path).filename().string(), outcome.reason});
    }
  }
  if (!last_output.empty()) {
    Status read = ReadFileBytes(last_output, &report.last_page);
    if (!read.ok()) report.last_page.clear();
  }
  return report;
}

std::string BatchMessage(const BatchReport& report) {
  std::string message(texts::kBatchDone);
  for (const BatchFailure& failure : report.failures) {
    message.append(kLineBreak);
    message.append(failure.name);
    message.append(": ");
    message.append(failure.reason);
  }
  return message;
}

}  // namespace tessarine
