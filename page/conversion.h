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

// Which of the two readings of an RTF document wrote its page.
enum class RtfReading {
  kNone,    // not an RTF page
  kPasses,  // the text-rewriting passes
  kModel,   // the structured reader and the page writer of its document model
};

struct Conversion {
  std::string page;  // the finished page (code page 1251); for a refused text, the input itself
  Refusal refusal = Refusal::kNone;
  RtfReading reading = RtfReading::kNone;
};

// Receives the progress bar position (0 to 25) while a conversion runs.
using ProgressSink = std::function<void(int position)>;

}  // namespace tessarine
