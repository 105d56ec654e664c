// Link targets and anchor names as a page may carry them: a target cannot leave its attribute
// or run a script, and a bookmark's name is written the same way at its anchor and in every
// link to it.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// The target of a link as written in a document: without surrounding spaces and, when it
// starts with a quotation mark, the text up to the closing one.
std::string_view TrimTarget(std::string_view target);

// Appends `<a href="...">` for the external `target` (trimmed), escaped for the attribute with
// control characters left out, and returns true; appends nothing and returns false when the
// target as written would run a script or show inline data (IsScriptTarget).
bool AppendLinkOpen(std::string& out, std::string_view target);

// Appends `<a href="#...">` for a bookmark of this document (a leading "#" is not part of it).
void AppendLocalLinkOpen(std::string& out, std::string_view bookmark);

// Appends the anchor name of bookmark `name` (UTF-8), surrounding spaces left out: ASCII letters, digits,
// "_", "-" and "." stay, every other byte becomes "_" and two upper-case hexadecimal digits. A name that is
// empty or could be taken for a note's anchor ("hts1", "dssl2") gets a leading "_".
void AppendAnchorName(std::string& out, std::string_view name);

}  // namespace tessarine
