#include "passes/notes/complex_group.h"

#include <string>

#include "passes/notes/footnotes.h"
#include "passes/notes/hyperlink.h"
#include "passes/notes/ignorable_groups.h"
#include "passes/notes/list_number.h"
#include "passes/paragraphs/paragraphs.h"
#include "passes/scan/scan.h"

namespace tessarine {

namespace {

bool Contains(std::string_view s, std::string_view sub) {
  return s.find(sub) != std::string_view::npos;
}

}  // namespace

void ConvertComplexGroup(std::string_view group, int run_count, ConversionState& st) {
  if (Contains(group, "\\pntext\\pard\\plain") || Contains(group, "\\listtext\\pard\\plain")) {
    ConvertListNumberGroup(group, run_count, st);
  } else if (st.CommentPending) {
    ConvertCommentText(group, st);
  } else if (Contains(group, "\\field") && Contains(group, "HYPERLINK")) {
    st.HasHyperlinks = true;
    // The field's groups start at the first "{" after the word "\field".
    std::string_view field = CopyFrom(group, Pos("\\field", group) + 5);
    ConvertHyperlinkField(CopyFrom(field, Pos("{", field)), st);
  } else if (Contains(group, "\\super") && Contains(group, "\\footnote")) {
    ConvertFootnote(group, st);
  } else if (const long at = Pos("{\\*\\atrfstart", group); at > 0) {
    ConvertCommentReference(group, at, run_count, st);
  } else if (Contains(group, "\\*\\bkmk")) {
    ConvertBookmarkGroup(group, run_count, st);
  } else if (std::string flat; RemoveIgnorableGroups(group, flat)) {
    // Text a writer wrapped in marks of its own (smart tags, revision data) keeps its words.
    ConvertSimpleGroup(flat, run_count, st);
  }
  // Any other complex group is dropped.
}

}  // namespace tessarine
