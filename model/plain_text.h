// The text of a document without formatting, for the Text pane and for comparing words.
#pragma once

#include <string>

#include "model/document.h"

namespace tessarine::model {

// Appends the document's text (UTF-8) to `out`: every paragraph ends with '\n', a line break is
// '\n', tabs and the ends of table cells are '\t', list markers come before their item's text
// followed by a space. With `notes` set, the notes' text follows the body, note by note.
enum class WithNotes { kNo, kYes };
void AppendPlainText(const Document& document, WithNotes notes, std::string& out);

}  // namespace tessarine::model
