#include "passes/paragraphs/run_text.h"

#include "passes/scan/decode_text.h"
#include "passes/scan/next_finder.h"
#include "passes/scan/scan.h"

namespace tessarine {

long ConvertRunText(std::string_view text, std::string& html, ConversionState& st) {
  html.clear();
  if (text.size() > 1 && text[0] == '{') text.remove_prefix(1);

  // After a paragraph mark the text is "\" followed by what came after "\pa": held as the view
  // that starts at the mark's "a", whose first character then counts as a backslash.
  bool lead_backslash = false;
  TextStartMemo memo;
  NextFinder par("\\par");
  bool done = false;
  do {
    if (text.empty()) {
      done = true;
      continue;
    }
    const size_t before = text.size();
    const bool starts_with_backslash = lead_backslash || text[0] == '\\';
    long s = starts_with_backslash ? FindTextStart(text, &memo) : 1;
    long p = par.Pos(text);
    if (s > 0 && (p < 0 || p > s)) {
      text = CopyFrom(text, s);
      lead_backslash = false;
      long e = FindTextEnd(text);
      if (e <= 1 && !text.empty() && (text[0] == '{' || text[0] == '}')) {
        text.remove_prefix(1);  // a brace at the front of the run: nothing to convert, drop it
      } else {
        DecodeText(CopyLeft(text, e - 1), html);
        text = CopyFrom(text, e);
      }
    } else if (p > 0 && (s < 0 || s > p)) {
      // The first "\parar" can only be the first "\par" itself: no line break for it.
      if (!text.substr(static_cast<size_t>(p - 1)).starts_with("\\parar")) html.append("<br>");
      text = CopyFrom(text, p + 2);
      lead_backslash = true;
    } else {
      done = true;
    }
    if (!done && text.size() == before) {
      // Nothing was consumed: a leading brace is dropped, anything else ends the run.
      if (!lead_backslash && (text[0] == '{' || text[0] == '}')) {
        text.remove_prefix(1);
      } else {
        done = true;
      }
    }
    st.progress.SetFromRemaining(text.size(), static_cast<size_t>(st.ProgressStep < 0 ? 0 : st.ProgressStep));
  } while (!done && text.size() >= 3);
  return static_cast<long>(html.size());
}

}  // namespace tessarine
