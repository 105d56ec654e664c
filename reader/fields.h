// Fields ("{\field{\*\fldinst ...}{\fldrslt ...}}"): what an instruction says. Every field shows
// its result; a HYPERLINK field's result is also a link.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessarine::reader {

struct LinkTarget {
  std::string target;  // a URL, a URL with "#anchor", or (local) a bookmark's name
  bool local = false;  // the target is a bookmark of this document
};

// The link of the instruction `instruction` (UTF-8, as written between the field's braces):
// HYPERLINK "url", HYPERLINK \l "bookmark", HYPERLINK "url" \l "anchor" and unquoted words, in
// any letter case; "\\" inside quotes is one backslash. nullopt for any other field and for a
// HYPERLINK without a target.
std::optional<LinkTarget> HyperlinkOf(std::string_view instruction);

}  // namespace tessarine::reader
