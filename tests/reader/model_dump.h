// A document model as short text, for tests that state what a reading must give:
//
//   p center h1 list=1/0 "1." | "plain " {b}"bold" <tab> <br> <note 0> <link http://x>"a"</link>
//   table
//    row left=0
//     cell right=2000 h=first
//      p | "in the cell"
//   section cols=2
//   note 0 footnote
//    p | "note text"
//   picture 0 png 1440x720 5 bytes
//
// Paragraph formats list only what differs from the defaults; text items show their bold,
// italic ... in braces, and with Detail::kFull also font, size and colours.
#pragma once

#include <string>

#include "model/document.h"

namespace tessarine::testing {

enum class Detail { kStructure, kFull };

// The body, then notes, pictures, title, author and HTML when there are any; one line each,
// children indented by one space.
std::string Dump(const model::Document& document, Detail detail = Detail::kStructure);

// Only the body's blocks.
std::string DumpBody(const model::Document& document, Detail detail = Detail::kStructure);

}  // namespace tessarine::testing
