// Batch conversion: every selected file converted into a page beside it, as tessarine-convert
// does, with the window's status texts and a final report of the files not converted.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/cli/convert_file.h"
#include "page/conversion.h"
#include "settings/settings.h"

namespace tessarine {

struct BatchFailure {
  std::string name;    // the file's name without its folder
  std::string reason;  // UTF-8
};

struct BatchReport {
  std::vector<BatchFailure> failures;  // in the order of the files
  size_t converted = 0;
  std::string last_page;  // the bytes written for the last converted file; empty when none
};

struct BatchObserver {
  std::function<void(const std::string& utf8)> status;  // the status bar's new text
  ProgressSink progress;
};

// Converts `paths` (local paths) one after the other with ConvertFile. Before every file but
// the last the status is "Обработка файла " + path; once a file is read the status is its size
// line. No file stops the run: each failure is collected in the report.
BatchReport RunBatch(const std::vector<std::string>& paths, SourceKind kind, const Settings& settings,
                     const BatchObserver& observer);

// "Обработка файлов закончена." followed by one line "name: reason" per failure, lines joined
// with CR LF.
std::string BatchMessage(const BatchReport& report);

}  // namespace tessarine
