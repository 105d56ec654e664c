// Hyperlink fields and groups with bookmarks.
#pragma once

#include <string>
#include <string_view>

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// The target a HYPERLINK instruction names, as a view into the instruction's text.
struct HyperlinkTarget {
  std::string_view target;
  bool hyperlink = false;  // the instruction holds the word "HYPERLINK"
  bool bookmark = false;   // a "\l" switch: the target is a place in the page itself
};

// Reads the target from the text of a field instruction (as decoded from its groups): after the
// first "HYPERLINK", the text between the next two double quotes; after a single quote, the rest;
// with no quote, the first word (up to a space). A "\l" switch (one or two backslashes) right
// after the word, spaces aside, marks a bookmark. No "HYPERLINK": no hyperlink, empty target.
HyperlinkTarget ReadHyperlinkTarget(std::string_view instruction);

// Converts a HYPERLINK field into a link appended to st.OutputText. `field` is the field group
// from the first "{" after "\field" on: the instruction group, then the result group. The target
// is read (ReadHyperlinkTarget) from the text of all the instruction's groups without nested
// groups, in order (an instruction without groups of its own: its own text), and written quoted
// and escaped, control characters left out, `<a href="target">` (`"#target"` for a bookmark); the
// link text is the text of the result's groups without nested groups, up to the first group with
// nested groups. A target that, as written, a browser would take for a script (IsScriptTarget),
// or an instruction without "HYPERLINK" (a field whose result merely holds links), gives the link
// text alone, without `<a>`. A missing group gives an empty target or text.
void ConvertHyperlinkField(std::string_view field, ConversionState& st);

// The flat group a group with bookmarks comes down to: "{", the text before its first nested
// group, and the text after its last nested group through the closing brace. Every nested
// group goes, and so does any text between two of them. Empty when `group` (its first
// character aside) has no nested group.
std::string WithoutNestedGroups(std::string_view group);

// Converts a group holding bookmarks ("\*\bkmk") as the flat group WithoutNestedGroups gives,
// with the group's own formatting; writes nothing when that is empty. `run_count` is a copy.
void ConvertBookmarkGroup(std::string_view group, int run_count, ConversionState& st);

}  // namespace tessarine
