#include "passes/fallback/fallback_path.h"

#include <array>
#include <string>
#include <string_view>

#include "passes/fallback/chunk.h"
#include "passes/paragraphs/run_format.h"
#include "passes/pipeline/colour_table.h"
#include "passes/scan/control_word.h"
#include "passes/scan/number.h"
#include "passes/scan/scan.h"

namespace tessarine {

namespace {

constexpr size_t kNone = std::string_view::npos;

// The text with each stored line break (one CR) written as CR LF, as the whole source reads.
std::string WithLineBreaks(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    out.push_back(c);
    if (c == '\r') out.push_back('\n');
  }
  return out;
}

// Parses the colour table and the font table found anywhere in `whole`: the colours after the
// first ";" that follows "{\colortbl" up to the next "}" (the automatic entry may be written with
// a space before it), and the balanced group that begins with "{\fonttbl".
void ApplyTables(std::string_view whole, ConversionState& st) {
  if (size_t table = whole.find("{\\colortbl"); table != kNone) {
    if (size_t semicolon = whole.find(';', table); semicolon != kNone) {
      std::string_view colours = whole.substr(semicolon + 1);
      colours = colours.substr(0, colours.find('}'));
      st.ColourList = ParseColourTable(colours);
    }
  }
  if (size_t table = whole.find("{\\fonttbl"); table != kNone) {
    std::string_view text = whole.substr(table);
    std::string_view group;
    int opens = 0;
    ExtractGroup(text, group, opens);
    ApplyFontTable(st, WithLineBreaks(group));
  }
}

// The 0-based position where the body begins: the first "\pard" that neither opens the text
// left after the "\pard" words before it nor follows a space or a line break; the first "\pard"
// when every one does; -1 when there is none.
long BodyStart(const SourceBuffer& source) {
  std::string_view content = source.Content();
  const long first = source.Find("\\pard", 0);
  long front = 0;  // where the text left after the "\pard" words passed over begins
  for (long p = first; p >= 0; p = source.Find("\\pard", front)) {
    const char before = p > 0 ? content[static_cast<size_t>(p - 1)] : '\0';
    if (p > front && before != ' ' && before != '\r') return p;
    front = p + 5;
  }
  return first;
}

// True when the group at `open` (its "{") is one of the groups that open a document: an
// ignorable "{\*..." group, a table (fonts, colours, styles, lists, files, revisions) or the
// document information.
bool IsHeaderGroup(std::string_view content, size_t open) {
  static constexpr std::string_view kHeaderWords[] = {
      "fonttbl", "colortbl", "stylesheet", "info", "filetbl", "listtable", "listoverridetable",
      "rsidtbl", "revtbl", "pgdsctbl", "generator", "xmlnstbl", "latentstyles", "themedata"};
  size_t at = open + 1;
  while (at < content.size() && (content[at] == '\r' || content[at] == ' ')) ++at;
  if (content.substr(at, 2) == "\\*") return true;
  if (at + 1 >= content.size() || content[at] != '\\' || !IsLetter(content[at + 1])) return false;
  const std::string_view word = ReadControlWord(content, at).name;
  for (std::string_view header_word : kHeaderWords) {
    if (word == header_word) return true;
  }
  return false;
}

// Where the body of a document without any "\pard" begins: after "{\rtf" and the groups that
// open the document, with the control words between them; text, or a group of another kind,
// begins the body.
size_t BodyAfterHeaderGroups(std::string_view content) {
  // From the "\rtf" word on, so that its number is passed over with it.
  size_t i = content.find("{\\rtf");
  i = i == kNone ? 0 : i + 1;
  size_t body = i;
  while (i < content.size()) {
    const char c = content[i];
    if (IsBlank(c)) {
      ++i;
    } else if (c == '\\' && i + 1 < content.size() && IsLetter(content[i + 1])) {
      i = ReadControlWord(content, i).end;
    } else if (c == '{' && IsHeaderGroup(content, i)) {
      i = SkipGroup(content, i, content.size());
      if (i == kNone) return content.size();  // the group never closes: nothing is left
      body = i;
    } else {
      break;
    }
  }
  return body;
}

// Finds the paragraph boundaries CR "\pard", " \pard" and "\pard " from position 2 of the
// source on, remembering where each pattern stands while the source is cut from the front, so
// that the search for a pattern that no longer occurs is not repeated over the rest.
class BoundaryFinder {
 public:
  // The earliest boundary after the front of the source; -1 when there is none.
  long Next(const SourceBuffer& source) {
    long e = -1;
    for (size_t i = 0; i < kPatterns.size(); ++i) {
      long& at = at_[i];
      if (at != kGone && at < 2) at = source.Find(kPatterns[i], 2);
      if (at < 0) at = kGone;
      if (at != kGone && (e < 0 || at < e)) e = at;
    }
    return e;
  }

  // The source has lost its first `count` characters.
  void Cut(long count) {
    for (long& at : at_) {
      if (at != kGone) at -= count;
    }
  }

 private:
  static constexpr long kGone = -1;  // the pattern occurs nowhere after the front
  static constexpr std::array<std::string_view, 3> kPatterns = {"\r\\pard", " \\pard", "\\pard "};
  std::array<long, 3> at_ = {0, 0, 0};  // below 2: not searched yet
};

// The end of a piece cut at a boundary: the "r" of a closing "\par" goes (the piece's end closes
// the paragraph instead), and so does a whole "\pard" that opened an empty paragraph.
void TrimBoundaryEnd(std::string& chunk) {
  std::string_view c = chunk;
  if (c.ends_with("\\pard")) {
    chunk.resize(chunk.size() - 5);
  } else if (c.ends_with("\\par")) {
    chunk.pop_back();
  }
}

}  // namespace

void ConvertFallbackPath(ConversionState& st) {
  // After the pipeline's body loop only its leftovers are here; they are no document of their own.
  if (st.PassesDone) return;
  SourceBuffer& source = st.Source;
  st.ProgressStep = source.Length() / 25;

  std::string_view content = source.Content();
  if (content.substr(0, 22).find("{\\rtf") == kNone) {
    st.NotRtf = true;
    return;
  }
  const long body = BodyStart(source);
  ApplyTables(content, st);
  if (body >= 0) {
    source.Cut(0, body);
  } else {
    // A document without any paragraph word is one paragraph: its body after the header groups.
    source.Cut(0, static_cast<long>(BodyAfterHeaderGroups(content)));
    source.Replace(0, 0, "\\pard ");
  }

  st.BoldOpen = st.ItalicOpen = st.UnderlineOpen = false;
  BoundaryFinder boundaries;
  do {
    std::string chunk;
    const long e = boundaries.Next(source);
    if (e > 1) {
      chunk = source.Cut(0, e);
      boundaries.Cut(e);
      TrimBoundaryEnd(chunk);
    } else {
      st.PassesDone = true;
      chunk = source.ReadAll();
      source.Load({});
    }
    ConvertChunk(chunk, st);
  } while (!st.PassesDone && source.Length() >= 10);
}

}  // namespace tessarine
