#include "passes/paragraphs/plain_paragraphs.h"

#include "passes/fallback/chunk.h"
#include "passes/tables/tables.h"

namespace tessarine {

namespace {

constexpr long kShortest = 10;  // the source is done when fewer characters are left

// The first paragraph boundary at or after position 2 of the source: a "\pard" after a line
// break or a space, or one followed by a space; -1 when there is none.
long NextBoundary(const SourceBuffer& src) {
  long best = -1;
  for (const char* pattern : {"\r\\pard", " \\pard", "\\pard "}) {
    long at = src.Find(pattern, 2);
    if (at >= 0 && (best < 0 || at < best)) best = at;
  }
  return best;
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
  } while (!read_whole && src.Length() >= kShortest);
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
      ConvertTableInText(st);
    }
  } while (src.Length() >= kShortest);
  st.SecondPath = false;
}

}  // namespace tessarine
