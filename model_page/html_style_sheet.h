// The style sheets of Outlook's encapsulated HTML as a page keeps them: the message's own rules,
// scoped to the element that holds the message, with nothing that runs code or loads anything.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// The class of the element that holds the message on the page.
inline constexpr std::string_view kMessageClass = "from-html";

// Appends the rules that give the message's paragraphs the look a browser gives them (its size
// and font, no margins or indent of their own) instead of the page's paragraph rule. Any rule of
// the message outweighs them.
void AppendMessageBaseRules(std::string& out);

// Appends the safe rules of the style sheet `css` (UTF-8, a style element's text), one a line in
// code page 1251 with CR LF, each selector put under the message's element ("html" and "body"
// stand for that element itself). Left out: comments, at-rules with their blocks (@import,
// @font-face, @media ...), rules whose selectors hold anything but names, classes, ids,
// pseudo-classes, "*", "," and combinators, declarations that load or could run code (as in a
// style attribute) or hold "\", "<", ">", "@", "&", a control character or one code page 1251
// lacks, and rules with no declaration left. Linear in the size of `css`.
void AppendMessageStyleSheet(std::string& out, std::string_view css);

}  // namespace tessarine
