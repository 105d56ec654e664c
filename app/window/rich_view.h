// The RTF pane's formatted view of a document model.
#pragma once

#include <string_view>

#include "model/document.h"

class QTextEdit;

namespace tessarine {

// Replaces the content of `pane` with `document` formatted: paragraphs with their alignment,
// indents and spacing, headings, list markers, line breaks and tabs; bold, italic, underline,
// strike, superscript and subscript, capitals, font, size, colour and background; tables with
// their merged cells and nested tables; links and bookmarks; PNG and JPEG pictures, and
// metafiles and bitmaps drawn as the page draws them, at their size (other pictures, and any
// that does not decode, as a grey "[рисунок]"); note marks, with
// the notes after a rule at the end. Web and mail addresses in the text are shown as links too.
// The pane's undo history starts afresh.
void ShowDocument(QTextEdit* pane, const model::Document& document);

}  // namespace tessarine
