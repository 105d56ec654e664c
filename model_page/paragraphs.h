// A paragraph in the page: <p> (or <h1> to <h6> for a heading, with its own font, size and
// weight) with its alignment, indents, the font, size and colour of its first run, and its box's
// line spacing, borders and shading in the style attribute, a list item's marker in the marker's
// own format, then its runs (runs of spaces kept), tabs that reach their stops, links, anchors,
// note marks and pictures, every inline tag closed in order.
#pragma once

#include <cstdint>
#include <string>

#include "model/document.h"
#include "model_page/blocks.h"
#include "model_page/page_context.h"

namespace tessarine {

struct ParagraphOptions {
  Place place = Place::kBody;
  // The first paragraph of a note: its number in bold in front, and the text a link back to the
  // note's mark when the mark's anchor has been written (`back_link`).
  uint32_t note_number = 0;
  bool back_link = false;
};

// Appends `paragraph` and a line end.
void WriteParagraph(PageContext& context, std::string& out, const model::Paragraph& paragraph,
                    const ParagraphOptions& options);

}  // namespace tessarine
