// Outlook's encapsulated HTML: the original message's HTML, made safe and put in code page 1251,
// becomes the page's body.
#pragma once

#include <string>
#include <string_view>

#include "page/page_head.h"

namespace tessarine {

// Appends the content of `html` (UTF-8) that belongs in a page body, in code page 1251 with
// numeric references for the rest and CR LF line ends, ending with a line end:
// - left out with their content: script, style, title, iframe, object, embed, applet, svg,
//   math, noscript, template, xml and similar elements, comments and declarations;
// - left out as tags, their content kept: html, head, body, meta, link, base, frame, param;
// - every attribute that runs code or loads from outside the page (AppendSafeAttribute), so
//   opening the page sends no request: no remote picture, style sheet, frame or beacon;
// - a tag the input ends in.
// Kept tags are written again from their parts, so no attribute can leave its quotes. Sets the
// table and hyperlink flags when the content has tables or links.
void AppendEncapsulatedHtml(std::string& out, std::string_view html, StylesheetFlags& flags);

}  // namespace tessarine
