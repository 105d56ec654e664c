#include "passes/notes/hyperlink.h"

#include <utility>

#include "page/link_target.h"
#include "passes/paragraphs/paragraphs.h"
#include "passes/paragraphs/run_text.h"
#include "passes/scan/number.h"
#include "passes/scan/scan.h"

namespace tessarine {

namespace {

// An instruction or result group from its fifth character (after "{\*\" or "{\fl") on, then
// from its first "{" on: the groups inside it.
std::string_view InnerGroups(std::string_view group) {
  group = CopyFrom(group, 5);
  return CopyFrom(group, Pos("{", group));
}

// Appends to `out` the text of the groups at the front of `groups` that have no nested groups,
// stopping at the first one with nested groups or when no group is left.
void AppendLeadingFlatGroups(std::string_view groups, std::string& out, ConversionState& st) {
  std::string_view group;
  std::string html;
  int opens = 0;
  while (ExtractGroup(groups, group, opens) && opens == 1) {
    ConvertRunText(group, html, st);
    out += html;
  }
}

// Appends to `out` the text of every group of `groups` without nested groups, in order; groups
// with nested groups give nothing.
void AppendAllFlatGroups(std::string_view groups, std::string& out, ConversionState& st) {
  std::string_view group;
  std::string html;
  int opens = 0;
  GroupMemo memo;
  while (ExtractGroup(groups, group, opens, &memo)) {
    if (opens != 1) continue;
    ConvertRunText(group, html, st);
    out += html;
  }
}

bool IsSpace(char c) {
  return c == ' ';
}

// Skips the spaces at the front of `s`.
std::string_view TrimFront(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  return s.substr(i);
}

// Removes a "\l" switch (one or two backslashes, then "l" ending at a space, a quote or the end)
// from the front of `s`; true when there was one.
bool CutBookmarkSwitch(std::string_view& s) {
  size_t i = 0;
  while (i < s.size() && i < 2 && s[i] == '\\') ++i;
  if (i == 0 || i >= s.size() || s[i] != 'l') return false;
  ++i;
  if (i < s.size() && s[i] != ' ' && s[i] != '"') return false;
  s.remove_prefix(i);
  return true;
}

// The length of the reference at the front of `s` that the page keeps as it stands: those the run
// decoder writes ("&lt;", "&gt;", "&amp;", and numeric references for letters code page 1251
// lacks) and "&quot;"; 0 for anything else. `value` receives its character.
size_t KeptReference(std::string_view s, unsigned long& value) {
  for (const auto& [entity, c] :
       {std::pair{std::string_view("&lt;"), '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}}) {
    if (s.starts_with(entity)) {
      value = static_cast<unsigned char>(c);
      return entity.size();
    }
  }
  return NumericReferenceLength(s, value);
}

bool IsControl(unsigned long c) {
  return c < 0x20 || c == 0x7F;
}

// Appends `text`, HTML text as the run decoder writes it, as the value of a double-quoted
// attribute: quotes, "<", ">" and every "&" that does not start a kept reference are written as
// references, so nothing in it can end the attribute or spell a character it does not show;
// control characters, also written as references, are left out.
void AppendAttributeValue(std::string_view text, std::string& out) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    unsigned long value = 0;
    if (c == '"') {
      out += "&quot;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '&') {
      const size_t kept = KeptReference(text.substr(i), value);
      if (kept == 0) {
        out += "&amp;";
      } else {
        if (!IsControl(value)) out.append(text.substr(i, kept));
        i += kept - 1;
      }
    } else if (!IsControl(static_cast<unsigned char>(c))) {
      out += c;
    }
  }
}

}  // namespace

HyperlinkTarget ReadHyperlinkTarget(std::string_view instruction) {
  constexpr std::string_view kWord = "HYPERLINK";
  HyperlinkTarget result;
  const size_t word = instruction.find(kWord);
  if (word == std::string_view::npos) return result;
  result.hyperlink = true;
  std::string_view rest = TrimFront(instruction.substr(word + kWord.size()));
  result.bookmark = CutBookmarkSwitch(rest);
  const size_t open = rest.find('"');
  if (open != std::string_view::npos) {
    rest.remove_prefix(open + 1);
    result.target = rest.substr(0, rest.find('"'));
  } else {
    rest = TrimFront(rest);
    result.target = rest.substr(0, rest.find(' '));
  }
  return result;
}

void ConvertHyperlinkField(std::string_view field, ConversionState& st) {
  std::string_view inst, rslt;
  int opens = 0;
  ExtractGroup(field, inst, opens);
  std::string instruction;
  if (opens == 1) {
    // An instruction without groups of its own ("{\*\fldinst HYPERLINK "x"}") is its own text.
    ConvertRunText(CopyFrom(inst, 4), instruction, st);
  } else {
    AppendAllFlatGroups(InnerGroups(inst), instruction, st);
  }
  const HyperlinkTarget link = ReadHyperlinkTarget(instruction);
  std::string href;
  AppendAttributeValue(link.target, href);
  const bool linked = link.hyperlink && !IsScriptTarget(href);
  std::string& out = st.OutputText;
  if (linked) out.append(link.bookmark ? "<a href=\"#" : "<a href=\"").append(href).append("\">");
  ExtractGroup(field, rslt, opens);
  AppendLeadingFlatGroups(InnerGroups(rslt), out, st);
  if (linked) out += "</a>";
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
