// The attributes of Outlook's encapsulated HTML as a page keeps them: none that runs code, none
// that makes the page load anything from outside itself.
#pragma once

#include <string>
#include <string_view>

#include "model_page/html_scanner.h"

namespace tessarine {

// Appends ` name="value"` (the name lower-cased, the value in code page 1251 and escaped so that
// it cannot leave its quotes) for `attribute` of the element named `element`, and returns true;
// appends nothing and returns false for an attribute the page must not have:
// - an event attribute ("on..."), or a value a browser would follow as a script (IsScriptTarget);
// - one that loads or sends something without a click: "src" (but an img's "data:image/"
//   source), "srcset", "background", "poster", "data", "action", "ping" and the like, and "href"
//   anywhere but on a and area (links the user clicks stay);
// - a "style" that could run code or hides what it says from this check (expression, behavior,
//   binding, script URLs, CSS escapes, comments); any other style keeps its declarations but
//   those that load (url(), image-set() ...), and goes when none is left.
bool AppendSafeAttribute(std::string& out, std::string_view element, const HtmlAttribute& attribute);

// Whether a style as the browser reads it, lower-cased, could run code or hide what it says from
// these checks: expression, behavior, binding, script URLs, "@import", CSS escapes, comments.
bool IsUnsafeStyle(std::string_view lower);

// Whether a declaration as the browser reads it, lower-cased, loads something from outside the
// page: url(), image(), image-set(), cross-fade(), element(), src().
bool LoadsFromOutside(std::string_view lower);

}  // namespace tessarine
