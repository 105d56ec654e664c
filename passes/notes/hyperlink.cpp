#include "passes/notes/hyperlink.h"

#include "passes/paragraphs/paragraphs.h"
#include "passes/paragraphs/run_text.h"
#include "passes/scan/scan.h"

namespace tessarine {

namespace {

// An instruction or result group from its fifth character (after "{\*\" or "{\fl") on, then
// from its first "{" on: the groups inside it.
std::string_view InnerGroups(std::string_view group) {
  group = CopyFrom(group, 5);
  return CopyFrom(group, Pos("{", group));
}

// Appends the text of the groups at the front of `groups` that have no nested groups, stopping
// at the first one with nested groups or when no group is left. Groups holding `skip` (when not
// empty) give no text.
void AppendFlatGroups(std::string_view groups, std::string_view skip, ConversionState& st) {
  std::string_view group;
  std::string html;
  int opens = 0;
  while (ExtractGroup(groups, group, opens) && opens == 1) {
    if (!skip.empty() && Pos(skip, group) > 0) continue;
    ConvertRunText(group, html, st);
    st.OutputText += html;
  }
}

}  // namespace

void ConvertHyperlinkField(std::string_view field, ConversionState& st) {
  std::string_view inst, rslt;
  int opens = 0;
  ExtractGroup(field, inst, opens);
  st.OutputText.append("<a href=");
  AppendFlatGroups(InnerGroups(inst), "HYPERLINK", st);
  st.OutputText.append(">");
  ExtractGroup(field, rslt, opens);
  AppendFlatGroups(InnerGroups(rslt), {}, st);
  st.OutputText.append("</a>");
}

std::string WithoutNestedGroups(std::string_view group) {
  group = CopyFrom(group, 2);
  const long first = Pos("{", group);
  if (first < 0) return {};
  const std::string_view head = CopyLeft(group, first - 1);
  std::string_view piece;
  int opens = 0;
  // Each piece taken is either a whole nested group with the text before it, or (when no group
  // is left) the text through the next "}"; ExtractGroup empties the text when it fails.
  do {
    ExtractGroup(group, piece, opens);
  } while (piece.find('{') != std::string_view::npos);
  std::string flat = "{";
  flat.append(head).append(piece);
  return flat;
}

void ConvertBookmarkGroup(std::string_view group, int run_count, ConversionState& st) {
  const std::string flat = WithoutNestedGroups(group);
  if (!flat.empty()) ConvertSimpleGroup(flat, run_count, st);
}

}  // namespace tessarine
