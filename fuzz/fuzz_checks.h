// What the fuzz targets demand of every input, shared with the test that runs the kept findings
// (tests/fuzz/) so that a finding checks in the test exactly what it broke in the fuzzer. Each
// check returns "" when the input passes, otherwise what went wrong. Crashes, hangs, leaks and
// sanitizer reports need no check: the sanitizers and the time limits catch them.
#pragma once

#include <string>
#include <string_view>

#include "base/file_text.h"
#include "passes/pipeline/convert_rtf.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "text/convert_text.h"

namespace tessarine::fuzzing {

// Convert RTF on the bytes as they come and as the file text rule hands them over: both give a
// complete page, even for a refused document.
inline std::string CheckConvertRtf(std::string_view bytes) {
  const Settings settings;
  for (const std::string& input : {std::string(bytes), JoinLinesWithCrLf(bytes)}) {
    const Conversion c = ConvertRtf(input, settings);
    if (c.page.find("<HTML>") == std::string::npos || !c.page.ends_with("</html>")) return "incomplete page";
  }
  return "";
}

// Convert text on the bytes as they come and through the file text rule: a refused text comes
// back unchanged, any other gives a complete page.
inline std::string CheckConvertText(std::string_view bytes) {
  const Settings settings;
  for (const std::string& input : {std::string(bytes), JoinLinesWithCrLf(bytes)}) {
    const Conversion c = ConvertText(input, settings);
    if (c.refusal != Refusal::kNone) {
      if (c.page != input) return "refused text changed";
    } else if (c.page.find("<HTML>") == std::string::npos || !c.page.ends_with("</html>")) {
      return "incomplete page";
    }
  }
  return "";
}

// The bytes as a settings file: the settings read, written and read again are the same.
inline std::string CheckSettingsFile(std::string_view bytes) {
  auto any_file_exists = [](const std::string&) { return true; };
  (void)SettingsFromText(bytes, {});  // a text that skipped the file text rule
  const Settings read = SettingsFromText(JoinLinesWithCrLf(bytes), any_file_exists);
  const Settings again = SettingsFromText(JoinLinesWithCrLf(SettingsFileText(read)), any_file_exists);
  if (!(again == read)) return "settings written and read again differ";
  return "";
}

}  // namespace tessarine::fuzzing
