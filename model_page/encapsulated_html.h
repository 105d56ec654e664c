// Outlook's encapsulated HTML: the original message's HTML, made safe and put in code page 1251,
// becomes the page's body.
#pragma once

#include <string>
#include <string_view>

#include "page/page_head.h"

namespace tessarine {

// Whether `html` holds any markup (a tag, comment or declaration) rather than text alone.
bool HoldsMarkup(std::string_view html);

// Appends the content of `html` (UTF-8) that belongs in a page body, in code page 1251 with
// numeric references for the rest and CR LF line ends, ending with a line end:
// - held in one element of the class kMessageClass, which takes the colours, style, language
//   and direction of the body tag (its link colours as rules); the message's own div end tags
//   never close it;
// - the safe rules of its screen style sheets (AppendMessageStyleSheet), scoped to that element,
//   and the base look of its paragraphs (AppendMessageBaseRules) go to `flags.more_rules`;
// - left out with their content: script, style, title, iframe, object, embed, applet, svg,
//   math, noscript, template, xml and similar elements, comments and declarations;
// - left out as tags, their content kept: html, head, body, meta, link, base, frame, param;
// - every attribute that runs code or loads from outside the page (AppendSafeAttribute), so
//   opening the page sends no request: no remote picture, style sheet, frame or beacon;
// - a tag the input ends in.
// Kept tags are written again from their parts, so no attribute can leave its quotes; style
// values are read as Outlook writes them (StyleQuotes::kOutlook). Sets the hyperlink flag when
// the content has links (the page's cell rules are not wanted: the message's tables keep their
// own look).
void AppendEncapsulatedHtml(std::string& out, std::string_view html, StylesheetFlags& flags);

}  // namespace tessarine
