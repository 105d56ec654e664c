#include "text/convert_text.h"

#include "base/line_break.h"
#include "page/page_head.h"
#include "page/progress.h"
#include "page/text_stylesheet.h"
#include "text/text_escape.h"
#include "text/text_lines.h"
#include "text/text_pieces.h"
#include "text/text_run.h"

namespace tessarine {

Conversion ConvertText(std::string_view document, const Settings& settings, const ProgressSink& sink) {
  if (document.find(kLineBreak) == std::string_view::npos) {
    return Conversion{std::string(document), Refusal::kTextNotConvertible};
  }
  Progress progress(sink);
  TextRun run;
  run.step = document.size() / Progress::kSteps;
  run.progress = &progress;

  // Stylesheet and body; the head goes in front once the title is known.
  std::string out;
  out.reserve(document.size() + document.size() / 4 + 1024);
  AppendTextStylesheet(out, settings);
  // Pieces of about 10000 characters, each ending at a line break, keep the lines short to
  // find; the run's values carry over from piece to piece.
  for (size_t start = 0; start < document.size();) {
    const size_t end = PieceEnd(document, start);
    AppendPieceLines(document.substr(start, end - start), run, out);
    start = end;
  }
  out.append("</p>");

  // The title setting is written as typed; a title taken from the text is text like any other.
  std::string title = settings.titul;
  if (title.empty()) AppendEscapedText(title, run.firstHeading);

  Conversion result;
  std::string& page = result.page;
  page.reserve(kHeadOpen.size() + title.size() + kHeadMeta.size() + settings.titulautor.size() +
               kHeadStyleOpen.size() + out.size() + kPageClose.size());
  AppendHead(page, title, settings.titulautor);
  page.append(out);
  page.append(kPageClose);
  progress.Set(0);
  return result;
}

}  // namespace tessarine
