// The formatted view of an RTF document as a list of paragraphs, each a list of styled runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tests/support/reference_reader/rtf_reader.h"

namespace tessarine::reference {

struct Run {
  std::string text;  // UTF-8; '\t' is a tab, '\n' a line break inside the paragraph
  CharStyle style;
};

struct Paragraph {
  Alignment alignment = Alignment::kLeft;
  std::vector<Run> runs;  // adjacent runs differ in style
};

struct Document {
  std::vector<Paragraph> paragraphs;  // at least one, possibly empty
};

// Reads `rtf` as ReadRtf does. The last paragraph is kept even without a closing "\par";
// an empty one after a final "\par" is dropped.
Document ReadDocument(std::string_view rtf);

// The document's text without formatting (UTF-8): paragraphs and line breaks end with '\n',
// tabs and table cells are '\t'. Text after the last paragraph end follows without '\n'.
std::string ExtractPlainText(std::string_view rtf);

}  // namespace tessarine::reference
