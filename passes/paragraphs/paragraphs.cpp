#include "passes/paragraphs/paragraphs.h"

#include <algorithm>

#include "base/line_break.h"
#include "passes/notes/complex_group.h"
#include "passes/paragraphs/chunk_cursor.h"
#include "passes/paragraphs/plain_paragraphs.h"
#include "passes/paragraphs/run_format.h"
#include "passes/paragraphs/run_span.h"
#include "passes/paragraphs/run_text.h"
#include "passes/scan/scan.h"
#include "passes/scan/search.h"

namespace tessarine {

namespace {

constexpr size_t kHeadWindow = 2000;  // how far paragraph decisions look ahead
constexpr size_t kShortest = 10;      // a remainder shorter than this is not converted
constexpr std::string_view kListGap = "&nbsp;&nbsp;";

// Alignment from the character after the first "\q" of the rest of the chunk; "left" when
// there is none, unchanged for a character that names no alignment.
void AlignFromFirstQ(ChunkCursor& chunk, ConversionState& st) {
  std::string_view text = chunk.View();
  size_t at = chunk.q.In(text);
  if (at == std::string_view::npos) {
    st.Alignment = "left";
    return;
  }
  if (at + 2 >= text.size()) return;
  const std::string_view word = AlignmentFor(text[at + 2]);
  if (!word.empty()) st.Alignment = word;
}

// Closes the paragraph this call opened, with its open elements innermost first.
void CloseParagraph(ConversionState& st) {
  std::string& out = st.OutputText;
  if (st.SpanOpen) {
    st.SpanOpen = false;
    out += "</span>";
  }
  if (st.UnderlineOpen) out += "</u>";
  if (st.ItalicOpen) out += "</i>";
  if (st.BoldOpen) out += "</b>";
  out += "</p>";
  out += kLineBreak;
}

// The way for the whole chunk, read from the look-ahead window of its first paragraph (whose
// "\pard" already reads "\rd"): plain when no "{" stands before the next paragraph marker.
bool TakesPlainWay(std::string_view head) {
  long np = Pos("\\pard", head);
  long ob = Pos("{", head);
  return (np > 0 && (ob < 0 || ob > np)) || (np < 0 && ob < 0);
}

void ResetParagraph(int& run_count, ConversionState& st) {
  st.ParagraphFont.clear();
  st.ParagraphSize.clear();
  st.ParagraphColour.clear();
  st.BoldOpen = st.ItalicOpen = st.UnderlineOpen = st.SpanOpen = false;
  run_count = 0;
  st.SpanBold.clear();
  st.SpanItalic.clear();
  st.SpanUnderline.clear();
  st.SpanFont.clear();
  st.SpanSize.clear();
  st.SpanColour.clear();
  if (!st.InListItem) {
    st.ListItemParagraphs = 0;
    st.ListCarryText.clear();
  }
}

void RemoveFirstBreak(std::string& html) {
  size_t at = html.find("<br>");
  if (at != std::string::npos) html.erase(at, 4);
}

void AppendRunText(std::string_view text, ConversionState& st) {
  std::string html;
  if (ConvertRunText(text, html, st) > 0) st.OutputText += html;
}

// A number or item text written before the list item's own text, without its first "<br>".
void AppendListText(std::string_view text, ConversionState& st) {
  std::string html;
  if (ConvertRunText(text, html, st) > 0) {
    RemoveFirstBreak(html);
    st.OutputText += html;
    st.OutputText += kListGap;
  }
}

// One step of the grouped way: the text before the next group (with any ignorable group
// dropped), carried list text, then the group itself. Sets `done` when nothing is left to take.
void ConvertNextGroup(ChunkCursor& chunk, int& run_count, bool& done, ConversionState& st) {
  // The text before the first group. With no "{" left, the rest is one last group, a "{" in
  // front of it: it runs to the first "}" (or to the end, closed there), and it is converted as
  // any other group.
  std::string prefix;
  std::string last_group;
  bool last = false;
  {
    std::string_view text = chunk.View();
    size_t k = chunk.groups.open.In(text);
    if (k == std::string_view::npos) {
      last = true;
      size_t close = chunk.groups.close.In(text);
      last_group.push_back('{');
      if (close == std::string_view::npos) {
        last_group.append(text);
        last_group.push_back('}');
        chunk.Clear();
      } else {
        last_group.append(text.substr(0, close + 1));
        std::string_view rest = text.substr(close + 1);
        chunk.Assign(rest.size() >= 2 ? rest : std::string_view{});  // a single character goes too
      }
    } else if (k > 0) {
      prefix.assign(text.substr(0, k));
      chunk.Drop(k);
    }
  }

  // An ignorable group ("\*\") is dropped; the text after it joins the prefix. Any other group
  // is taken off the chunk (with `rest` after it) only once the prefix is converted.
  std::string_view group = last_group;
  int opens = 1;
  std::string_view rest;
  bool found = true;
  if (!last) {
    rest = chunk.View();
    found = ExtractGroup(rest, group, opens, &chunk.groups);
  }
  const bool ignorable = (opens == 1 || st.InListItem) && FindExact(group, "\\*\\") != std::string_view::npos;
  if (ignorable) {
    if (!last) chunk.Assign(rest);
    std::string_view after = chunk.View();
    size_t next = chunk.groups.open.In(after);
    if (next == std::string_view::npos) {
      prefix.append(after);
      chunk.Clear();
      done = true;
    } else {
      prefix.append(after.substr(0, next));
      chunk.Drop(next);
    }
  }

  if (!prefix.empty() && st.ListItemParagraphs == 0) {
    if (st.InListItem) {
      OpenIndentedParagraph(prefix, run_count, st);
    } else {
      OpenParagraph(prefix, run_count, st);
      AppendRunText(prefix, st);
    }
  }

  if (st.InListItem && !st.ListCarryText.empty()) {
    std::string carry = std::move(st.ListCarryText);
    st.ListCarryText.clear();
    OpenParagraph(carry, run_count, st);
    st.ListItemParagraphs += 1;
    AppendListText(carry, st);
  }

  if (done) return;
  if (ignorable) {
    // The next group, after the dropped one.
    rest = chunk.View();
    found = ExtractGroup(rest, group, opens, &chunk.groups);
  } else if (last) {
    ConvertSimpleGroup(last_group, run_count, st);
    return;
  }
  chunk.Assign(rest);
  if (!found) return;
  if (opens > 1) {
    ConvertComplexGroup(group, run_count, st);
  } else {
    ConvertSimpleGroup(group, run_count, st);
  }
}

}  // namespace

void ConvertParagraphs(std::string text, ConversionState& st) {
  ChunkCursor chunk(std::move(text));
  if (chunk.StartsWith("}")) chunk.Drop(1);
  AlignFromFirstQ(chunk, st);
  bool opened = false;
  bool done = false;
  int run_count = 0;
  st.InListItem = false;
  st.SecondPath = false;
  st.ListPardPending = false;
  const size_t step = st.ProgressStep > 0 ? static_cast<size_t>(st.ProgressStep) : 0;

  do {
    {
      std::string_view view = chunk.View();
      size_t lead = 0;
      while (lead < view.size() && static_cast<unsigned char>(view[lead]) < 32) ++lead;
      chunk.Drop(lead);
    }
    if (chunk.Empty()) return;

    const size_t head_size = std::min(chunk.Size(), kHeadWindow);
    if (chunk.StartsWith("\\pard")) {
      if (st.ListPardPending && st.ListItemParagraphs > 0) {
        // The marker continues the list item: it no longer opens a paragraph.
        st.ListPardPending = false;
        chunk.ReplacePardWithRd();
      } else {
        chunk.ReplacePardWithRd();
        AlignFromFirstQ(chunk, st);
        if (opened) {
          CloseParagraph(st);
        } else {
          opened = true;
          st.SecondPath = TakesPlainWay(chunk.View().substr(0, head_size - 2));
        }
        ResetParagraph(run_count, st);
      }
    }

    if (st.SecondPath) {
      if (chunk.Size() > kShortest) {
        std::string rest(chunk.View());
        ConvertPlainParagraphs(rest, st);
        chunk.Reset(std::move(rest));
      } else {
        done = true;
      }
    } else {
      ConvertNextGroup(chunk, run_count, done, st);
    }

    st.progress.SetFromRemaining(chunk.Size(), step);
    LookAtBody(st);
  } while (!done && chunk.Size() >= kShortest && !st.Stopped);
}

void ConvertSimpleGroup(std::string_view group, int run_count, ConversionState& st) {
  if (group.empty()) return;
  // One walk over the group's control words finds both "\*\" (the group writes nothing) and
  // "\pntext" (a list number).
  bool list_number = false;
  const size_t ignorable = FindControlWhere(group, 0, [&](size_t i) {
    const std::string_view at = group.substr(i);
    if (at.starts_with("\\*\\")) return true;
    list_number = list_number || at.starts_with("\\pntext");
    return false;
  });
  if (ignorable != std::string_view::npos) return;
  if (st.InListItem) {
    ConvertListItemText(group, run_count, st);
    return;
  }
  if (list_number) {
    OpenParagraph(group, run_count, st);
    std::string html;
    if (ConvertRunText(group, html, st) > 0) {
      RemoveFirstBreak(html);
      st.OutputText += html;
      st.OutputText += kListGap;
      st.InListItem = true;
    }
    return;
  }
  WriteRunSpan(group, run_count, st);
  AppendRunText(group, st);
}

void ConvertListItemText(std::string_view group, int& run_count, ConversionState& st) {
  std::string_view text = !group.empty() && group[0] == '{' ? group.substr(1) : std::string_view{};
  st.ListPardPending = false;
  if (!text.empty()) {
    OpenParagraph(text, run_count, st);
    AppendRunText(text, st);
  }
  st.InListItem = false;
}

}  // namespace tessarine
