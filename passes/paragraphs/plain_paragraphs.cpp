#include "passes/paragraphs/plain_paragraphs.h"

#include "passes/fallback/chunk.h"
#include "passes/tables/tables.h"

namespace tessarine {

namespace {

constexpr long kShortest = 10;  // the source is done when fewer characters are left

// The first paragraph boundary at or after position 2 of the source: a "\pard" after a line
// break or a space, or one followed by a space; -1 when there is none.
long NextBoundary(const SourceBuffer& src) {
  // One search for "\pard" serves the three forms: the first "\pard" that has a line break or a
  // space before it (the boundary then starts there) or a space after it gives the first
  // boundary, as no two "\pard" overlap.
  const std::string_view text = src.Content();
  for (long at = src.Find("\\pard", 2); at >= 0; at = src.Find("\\pard", at + 1)) {
    const auto q = static_cast<size_t>(at);
    if (q >= 3 && (text[q - 1] == '\r' || text[q - 1] == ' ')) return at - 1;
    if (q + 5 < text.size() && text[q + 5] == ' ') return at;
  }
  return -1;
}

// Converts the paragraphs the source holds, one ConvertChunk each, until it is used up.
void ConvertParagraphRun(std::string& chunk, ConversionState& st) {
  SourceBuffer& src = st.Source;
  bool read_whole = false;
  do {
    long e = NextBoundary(src);
    if (e > 1) {
      chunk = src.Cut(0, e);
    } else {
      st.PassesDone = true;
      read_whole = true;
      chunk = src.TakeAll();
    }
    ConvertChunk(chunk, st);
    LookAtBody(st);
  } while (!read_whole && src.Length() >= kShortest && !st.Stopped);
}

}  // namespace

void ConvertPlainParagraphs(std::string& chunk, ConversionState& st) {
  SourceBuffer& src = st.Source;
  src.PutBack(chunk);
  do {
    long tp = 0;
    if (st.HasTables) {
      tp = src.Find("\\trowd", 2);
      if (tp < 0) st.HasTables = false;
    }
    const bool table_ahead = st.HasTables;
    // With a table ahead, the source holds only the text in front of it for a while.
    if (table_ahead) src.HideFrom(tp);
    ConvertParagraphRun(chunk, st);
    if (table_ahead) {
      src.ShowHidden();
      if (!st.Stopped) ConvertTableInText(st);
    }
  } while (src.Length() >= kShortest && !st.Stopped);
  st.SecondPath = false;
}

}  // namespace tessarine
