// The stylesheet in the head of this product's pages: rules for the body, paragraphs, table
// cells and links (all links, and links of a class: the notes' "sslk" and "ht").
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "choice/css_declarations.h"
#include "choice/font_names.h"

namespace tessarine {

struct PageStylesheet {
  Declarations body;
  Declarations p;
  Declarations td;
  Declarations td_p;                                               // "td p": paragraphs in a table's cell
  Declarations link;                                               // "a:link" and "a:visited"
  std::vector<std::pair<std::string, Declarations>> link_classes;  // "a.name:link", by name (lower case)
};

// Adds the rules of `css` (UTF-8) to `sheet`. Rules for a link's hover and active states count
// for nothing (a reader sees them only under the mouse). False when a selector is not one of the
// above, or a rule holds a declaration that ParseDeclarations does not understand.
bool ParseStylesheet(std::string_view css, FontNames& fonts, PageStylesheet& sheet);

}  // namespace tessarine
