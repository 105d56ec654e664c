#include "passes/fallback/flat_group.h"

#include <algorithm>
#include <string>

#include "passes/notes/ignorable_groups.h"
#include "passes/paragraphs/run_format.h"
#include "passes/scan/decode_text.h"
#include "passes/scan/scan.h"
#include "passes/scan/search.h"

namespace tessarine {

namespace {

constexpr std::string_view kTabSpaces = "&nbsp;&nbsp;";

bool Contains(std::string_view s, std::string_view word) {
  return FindExact(s, word) != std::string_view::npos;
}

// Whether `s` holds a "\par" other than the "\pard" of the group's head (compared by position,
// the head's "\pard" position standing for any text).
bool HasParagraphMark(std::string_view s, long head_pard) {
  long par = Pos("\\par", s);
  return par > 0 && par != head_pard;
}

void OpenGroupParagraph(ConversionState& st) {
  std::string style;
  if (!st.ParagraphFont.empty()) {
    style += "font-family:";
    AppendFontFamily(style, st.ParagraphFont);
    style += ';';
  }
  if (!st.ParagraphSize.empty()) style += "font-size:" + st.ParagraphSize + "pt;";
  if (!st.ParagraphColour.empty()) style += "color:" + st.ParagraphColour + ";";
  std::string& out = st.OutputText;
  if (style.empty()) {
    out += "<p>";
  } else {
    out += "<p style=\"";
    out += style;  // the final ";" stays
    out += "\">";
  }
}

// The span style of the group: everything its head sets, in a fixed order, the last ";" kept.
std::string GroupStyle(const RunFormat& f) {
  std::string style;
  if (!f.FontName.empty()) {
    style += "font-family:";
    AppendFontFamily(style, f.FontName);
    style += ';';
  }
  if (!f.FontSize.empty()) style += "font-size:" + f.FontSize + "pt;";
  if (!f.Colour.empty()) style += "color:" + f.Colour + ";";
  if (!f.Bold.empty()) style += "font-weight:bold;";
  if (!f.Italic.empty()) style += "font-style:italic;";
  if (!f.Underline.empty()) style += "text-decoration:underline;";
  return style;
}

}  // namespace

void ConvertFlatGroup(std::string_view& chunk, int& run_count, ConversionState& st) {
  std::string_view rest = chunk;
  std::string_view group;
  int opens = 0;
  if (!ExtractGroup(rest, group, opens)) {
    // The paragraph ends inside the group (it closes in a later paragraph): its text is here.
    group = chunk;
    opens = static_cast<int>(std::count(chunk.begin(), chunk.end(), '{'));
    rest = chunk.substr(chunk.size());
  }
  chunk = rest;
  std::string flat;
  if (opens > 1) {
    // Nested groups: dropped, unless they are all ignorable marks (smart tags, list tags)
    // around the text, which then keeps its words.
    if (!RemoveIgnorableGroups(group, flat)) return;
    group = flat;
  }
  group.remove_prefix(1);

  if (run_count == 0) {
    OpenGroupParagraph(st);
    ++run_count;
  }

  std::string out;
  std::string_view head;
  TextStartMemo memo;
  long p = FindTextStart(group, &memo);
  if (p > 0) {
    head = CopyLeft(group, p);
    const long head_pard = Pos("\\pard", head);
    if (HasParagraphMark(head, head_pard)) out = "<br>";
    if (Contains(head, "\\tab")) out += kTabSpaces;
    for (;;) {
      p = FindTextStart(group, &memo);
      if (p > 0 && p < static_cast<long>(group.size())) {
        std::string_view part = CopyLeft(group, p);
        group = CopyFrom(group, p);
        if (HasParagraphMark(part, head_pard)) out += "<br>";
        if (Contains(part, "\\tab")) out += kTabSpaces;
        const long e = FindTextEnd(group);
        std::string_view text = CopyLeft(group, e - 1);
        group = e < static_cast<long>(group.size()) ? CopyFrom(group, e) : group.substr(group.size());
        DecodeText(text, out);
      } else {
        if (HasParagraphMark(group, head_pard)) out += "<br>";
        if (Contains(group, "\\tab")) out += kTabSpaces;
        break;
      }
    }
  } else {
    if (Contains(group, "\\par")) out = "<br>";
    head = group;
  }

  std::string style = GroupStyle(ParseRunFormat(head, st));
  std::string& html = st.OutputText;
  if (style.empty()) {
    html += out;
    return;
  }
  style.pop_back();
  html += "<span style=\"";
  html += style;
  html += "\">";
  html += out;
  html += "</span>";
}

}  // namespace tessarine
