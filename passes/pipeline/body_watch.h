// A look at the page's body while the passes write it, which may stop them: the automatic choice
// compares the body with the document as it comes and stops the passes once their page cannot
// be the one chosen.
#pragma once

#include <string_view>

#include "page/page_head.h"

namespace tessarine {

class BodyWatch {
 public:
  virtual ~BodyWatch() = default;
  // Called between paragraphs of the body with all of it written so far (before its control
  // characters are dropped) and the stylesheet flags as they stand: has_sections stays as it
  // is, has_tables may still be cleared, has_hyperlinks and has_footnotes may still be set.
  // Every byte of `body` up to and including its last '>' stays as it is in the finished body.
  // False stops the passes: ConvertRtf then gives no page.
  virtual bool Look(std::string_view body, const StylesheetFlags& flags) = 0;
};

}  // namespace tessarine
