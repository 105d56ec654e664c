// The RTF pane's formatted view of a document.
#pragma once

#include <string_view>

class QTextEdit;

namespace tessarine {

// Replaces the content of `pane` with the RTF document `rtf` formatted: paragraphs with their
// alignment, line breaks, tabs, bold, italic, underline, font size and colour. Web and mail
// addresses in the text are shown as links. The pane's undo history starts afresh.
void ShowFormattedRtf(QTextEdit* pane, std::string_view rtf);

}  // namespace tessarine
