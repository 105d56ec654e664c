// ConversionState: the flags, counters and texts of one RTF conversion run.
#pragma once

#include <string>
#include <vector>

#include "page/progress.h"
#include "passes/pipeline/body_watch.h"
#include "passes/pipeline/font_table.h"
#include "passes/scan/source_buffer.h"
#include "passes/scan/tail_finder.h"
#include "settings/settings.h"

namespace tessarine {

// Every conversion creates a fresh state, so no run depends on what was converted before.
// Field names are the converter's own; the passes of the engine read and write them directly.
struct ConversionState {
  ConversionState(const Settings& s, ProgressSink sink) : settings(s), progress(std::move(sink)) {}
  ConversionState(const ConversionState&) = delete;
  ConversionState& operator=(const ConversionState&) = delete;

  const Settings& settings;
  Progress progress;
  SourceBuffer Source;  // the RTF source being consumed

  long ProgressStep = 0;        // Source length div 25 at the start; the divisor of progress
  int FootnoteCount = 0;        // footnotes and comments so far; numbers their anchors
  int ListItemParagraphs = 0;   // paragraphs since a list-number text was written
  std::string Alignment;        // "left", "center", "right" or "justify"
  std::string ParagraphSize, ParagraphColour, ParagraphFont;  // written into the paragraph style
  std::string ListCarryText;    // list-number text carried to the next paragraph
  std::string SpanSize, SpanColour, SpanBold, SpanItalic, SpanUnderline, SpanFont;  // open span
  std::string StyleText;        // the style attribute being built
  bool InListItem = false;      // a list number was written; the item's text follows
  bool HasTables = false;       // the source has "\trowd"
  bool TableFlag = false;       // a cell paragraph is open
  bool SpanOpen = false;        // a span element is open in OutputText
  bool HasSections = false;     // the source has "\sectd" after its header
  bool PassesDone = false;      // ends the pipeline loop
  bool HasHyperlinks = false;   // a HYPERLINK field was converted
  bool BoldOpen = false, ItalicOpen = false, UnderlineOpen = false;  // b, i, u open
  bool HasFootnotes = false;    // a footnote was converted
  std::string OutputText;       // the HTML body being built
  bool SecondPath = false;      // the fallback path (or, within a chunk, the plain way) takes it
  bool ListPardPending = false; // a paragraph marker next continues the list item
  std::string FontTableText;    // font table entries "\f<n>\<name>**"
  FontIndex FontLookup;         // where each font key stands in FontTableText
  std::string FootnotesText;    // notes for the bottom of the page
  std::vector<std::string> ColourList;  // "#RRGGBB" by colour number, then an empty entry
  bool CommentPending = false;  // the next complex group is a comment's text

  bool NotRtf = false;          // the fallback path refused the source as not RTF

  BodyWatch* Watch = nullptr;   // looks at the body between paragraphs; null: none
  bool Stopped = false;         // the watch stopped the passes: no page is made

  TailFinder TableRowMarks{"\\row"};  // the next row end in Source, remembered across tables
};

// Between two paragraphs of the body: shows it to the watch, if any, and stops the passes when
// the watch says so.
inline void LookAtBody(ConversionState& st) {
  if (st.Watch == nullptr) return;
  const StylesheetFlags flags{st.HasTables, st.HasSections, st.HasHyperlinks, st.HasFootnotes};
  if (st.Watch->Look(st.OutputText, flags)) return;
  st.Stopped = true;
  st.Watch = nullptr;
}

}  // namespace tessarine
