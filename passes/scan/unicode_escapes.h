// Keeping the text of documents that write letters as "\uN" escapes or in another code page.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// Rewrites `document` so that the converter, which reads code page 1251 "\'xx" escapes, keeps
// every character: a "\uN" escape (N + 65536 when negative) and its fallback ("\ucN" characters,
// default 1, a "\'xx" escape counting as one; "\uc" follows the group nesting) become the 1251
// escape of the character (printable ASCII but braces and backslash as itself), or, when 1251
// has no such character, the numeric reference "&#N;" after kReferenceMark (decode_text.h; marks
// the document holds itself are left out); in a document declared "\ansicpgN" with N other than
// 1251, every "\'xx" escape is read in that code page and written the same way. Returns false,
// leaving `out` untouched, when there is nothing to rewrite (no "\uN", and code page 1251 or none
// declared).
bool RewriteEscapes(std::string_view document, std::string& out);

// The same rewrite, walking every character of the document where RewriteEscapes passes over
// the stretches that cannot change (rewrite_places.h): a check that both give the same.
bool RewriteEscapesStepByStep(std::string_view document, std::string& out);

}  // namespace tessarine
