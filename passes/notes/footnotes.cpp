#include "passes/notes/footnotes.h"

#include <string>

#include "base/line_break.h"
#include "passes/paragraphs/run_span.h"
#include "passes/paragraphs/run_text.h"
#include "passes/scan/decode_text.h"
#include "passes/scan/number.h"
#include "passes/scan/scan.h"

namespace tessarine {

namespace {

enum class LeadingCharacter { kKeep, kDrop };

// `group` without its first character. When that character begins a control word, the whole
// word goes (letters, number and delimiting space): dropping the backslash alone would leave
// the word's letters to be written as text.
std::string_view WithoutLeadingCharacter(std::string_view group) {
  if (group.size() < 2 || group[0] != '\\' || !IsLetter(group[1])) return CopyFrom(group, 2);
  size_t i = 1;
  while (i < group.size() && IsLetter(group[i])) ++i;
  if (i < group.size() && group[i] == '-') ++i;
  while (i < group.size() && IsDigit(group[i])) ++i;
  if (i < group.size() && group[i] == ' ') ++i;
  return group.substr(i);
}

// The text of a note: the groups of `text` from the first one without nested groups on, each
// converted by ConvertRunText, until no complete group is left. Empty when the groups run out
// before one without nested groups is found.
std::string ConvertNoteGroups(std::string_view text, LeadingCharacter leading, ConversionState& st) {
  std::string_view group;
  int opens = 0;
  do {
    if (!ExtractGroup(text, group, opens)) return {};
  } while (opens != 1);
  std::string body, html;
  do {
    ConvertRunText(leading == LeadingCharacter::kDrop ? WithoutLeadingCharacter(group) : group, html, st);
    body += html;
  } while (ExtractGroup(text, group, opens));
  return body;
}

// The mark in the text: the anchor the note links back to, then `words` as the link to the
// note, then the bold superscript number.
void AppendMark(std::string& out, const std::string& n, std::string_view words) {
  out.append("<a name=\"hts").append(n).append("\"></a>").append(kLineBreak);
  out.append("<a class=\"sslk\" href=\"#dssl").append(n).append("\">");
  out.append(words);
  out.append("</a><b><sup>").append(n).append("</sup></b>");
}

// The note at the page's end. `link_open` is the opening of the link back to the mark, which
// footnotes and comments write differently.
void AppendNote(ConversionState& st, const std::string& n, std::string_view link_open,
                std::string_view body) {
  std::string& out = st.FootnotesText;
  out.append("<a name=\"dssl").append(n).append("\"></a><p style=\"font-size:");
  out.append(st.settings.fsizessl).append("pt\"><b>").append(n).append(".</b>");
  out.append(link_open).append(" href=\"#hts").append(n).append("\">");
  out.append(body);
  out.append("</a></p>").append(kLineBreak);
}

}  // namespace

std::string CutWordBeforeMark(std::string& output) {
  const size_t size = output.size();
  size_t i = size;
  while (i > 0) {
    const char c = output[i - 1];
    if (c == '>' || (c == ' ' && i < size)) break;
    --i;
  }
  std::string word = output.substr(i);
  output.resize(i);
  return word;
}

void ConvertFootnote(std::string_view group, ConversionState& st) {
  st.HasFootnotes = true;
  st.FootnoteCount += 1;
  const std::string n = std::to_string(st.FootnoteCount);
  const std::string word = CutWordBeforeMark(st.OutputText);
  AppendMark(st.OutputText, n, word);

  std::string body =
      ConvertNoteGroups(CopyFrom(group, Pos("\\footnote", group)), LeadingCharacter::kKeep, st);
  const size_t br = body.find("<br>");
  if (br != std::string::npos) body.erase(br, 4);
  AppendNote(st, n, "<a  class=\"ht\"", body);
}

void ConvertCommentReference(std::string_view group, long at, int run_count, ConversionState& st) {
  const std::string_view head = CopyLeft(CopyFrom(group, 2), at - 1);
  std::string_view rest = CopyFrom(group, at + 1);

  WriteRunSpan(head, run_count, st);
  std::string html;
  ConvertRunText(head, html, st);
  st.FootnoteCount += 1;
  st.OutputText += html;

  // The commented words stand between the end of the reference group and the next "}".
  rest = CopyFrom(rest, Pos("}", rest) + 1);
  rest = CopyLeft(rest, Pos("}", rest) - 1);
  std::string words;
  DecodeText(rest, words);
  AppendMark(st.OutputText, std::to_string(st.FootnoteCount), words);
  st.CommentPending = true;
}

void ConvertCommentText(std::string_view group, ConversionState& st) {
  st.CommentPending = false;
  const long p = Pos("\\pard\\plain", group);
  if (p < 0) return;
  const std::string body = ConvertNoteGroups(CopyFrom(group, p), LeadingCharacter::kDrop, st);
  AppendNote(st, std::to_string(st.FootnoteCount), "<a class=\"ht\"", body);
}

}  // namespace tessarine
