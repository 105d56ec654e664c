// What the writers of one page share: the document, the page's look, the notes' numbers, the
// anchors written so far and the stylesheet's rule groups the page needs.
#pragma once

#include <string>
#include <unordered_set>

#include "model/document.h"
#include "model_page/notes.h"
#include "model_page/page_style.h"
#include "page/page_head.h"
#include "settings/settings.h"

namespace tessarine {

struct PageContext {
  PageContext(const model::Document& d, const Settings& settings)
      : document(d), style(d, settings), notes(d.notes.size()) {}

  const model::Document& document;
  PageStyle style;
  NoteNumbers notes;
  std::unordered_set<std::string> anchors;  // bookmark anchor names written, so each is written once
  StylesheetFlags flags;
};

}  // namespace tessarine
