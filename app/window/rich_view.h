// The RTF pane's formatted view of a document model.
#pragma once

#include <string_view>

#include "model/document.h"

class QTextEdit;

namespace tessarine {

// Replaces the content of `pane` with `document` formatted: paragraphs with their alignment,
// indents, spacing, line spacing, shading and tab stops, bordered paragraphs in a frame (one
// border all round, as a frame has), headings, list markers in their own format, line breaks
// and tabs; bold, italic, underline, strike, superscript and subscript, capitals, font, size,
// colour and background; tables with their merged cells, nested tables, cells' shading,
// borders and vertical alignment; links and bookmarks; PNG and JPEG pictures, and metafiles and
// bitmaps drawn as the page draws them, at their size (other pictures, and any that does not
// decode, as a grey "[рисунок]"); note marks, with the notes after a rule at the end; the
// page's colour and default tab stops. Web and mail addresses in the text are shown as links
// too. The pane's undo history starts afresh.
void ShowDocument(QTextEdit* pane, const model::Document& document);

}  // namespace tessarine
