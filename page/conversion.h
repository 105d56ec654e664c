// What a converter hands back: the page, and whether the converter refused the document.
#pragma once

#include <functional>
#include <string>

namespace tessarine {

enum class Refusal {
  kNone,
  kNotRtf,             // "Этот текст не RTF!": the fallback path found no RTF to convert
  kTextNotConvertible  // "Этот текст не годится для перевода в HTML": a text without CR LF
};

struct Conversion {
  std::string page;  // the finished page (code page 1251); for a refused text, the input itself
  Refusal refusal = Refusal::kNone;
};

// Receives the progress bar position (0 to 25) while a conversion runs.
using ProgressSink = std::function<void(int position)>;

}  // namespace tessarine
