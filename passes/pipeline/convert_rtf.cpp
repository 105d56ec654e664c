#include "passes/pipeline/convert_rtf.h"

#include <algorithm>
#include <utility>

#include "base/line_break.h"
#include "page/rtf_page.h"
#include "passes/fallback/fallback_path.h"
#include "passes/pipeline/pipeline.h"
#include "passes/scan/search.h"
#include "passes/scan/unicode_escapes.h"

namespace tessarine {

namespace {

// Control characters a document holds as text (all but tab, CR and LF) have no place in a page.
void DropControlCharacters(std::string& text) {
  const size_t first = FindControlCharacter(text);
  if (first == std::string::npos) return;
  const auto kept = std::remove_if(text.begin() + static_cast<long>(first), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n';
  });
  text.erase(kept, text.end());
}

}  // namespace

Conversion ConvertRtf(std::string_view document, const Settings& settings, const ProgressSink& progress,
                      BodyWatch* watch) {
  // A fresh state for every run (colour and font tables included): a page never depends on the
  // documents converted before it.
  ConversionState st(settings, progress);
  // Letters written as "\uN" or in another code page are turned into what the passes read.
  // The source takes over the rewritten text's storage: the document is never held three times.
  std::string rewritten;
  if (RewriteEscapes(document, rewritten)) {
    st.Source.Adopt(std::move(rewritten));
  } else {
    st.Source.Load(document);
  }
  st.ProgressStep = st.Source.Length() / 25;  // 0 for sources shorter than 25 characters
  st.Watch = watch;

  RunPipeline(st);
  if (st.Stopped) return Conversion();
  if (st.SecondPath) ConvertFallbackPath(st);
  st.Source = SourceBuffer();  // consumed: its storage goes before the page is put together

  Conversion result;
  FinishPage(st, result.page);
  if (st.NotRtf) result.refusal = Refusal::kNotRtf;
  return result;
}

void FinishPage(ConversionState& st, std::string& page) {
  st.OutputText.append(st.SpanOpen ? "</span></p>" : "</p>");
  st.OutputText.append(kLineBreak);
  st.progress.Set(0);
  DropControlCharacters(st.OutputText);
  DropControlCharacters(st.FootnotesText);
  AssembleRtfPage(page, st.settings,
                  StylesheetFlags{st.HasTables, st.HasSections, st.HasHyperlinks, st.HasFootnotes}, st.OutputText,
                  st.FootnotesText);
}

}  // namespace tessarine
