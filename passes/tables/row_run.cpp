#include "passes/tables/row_run.h"

#include <algorithm>

#include "passes/scan/control_word.h"
#include "passes/scan/number.h"

namespace tessarine {

namespace {

// Where the search for the next row's "\row" starts when the text at `from` continues the
// table, or npos when the table ends there.
size_t TableGoesOn(std::string_view text, size_t from) {
  const size_t limit = std::min(text.size(), from + RowScanner::kGapLimit);
  size_t i = from;
  while (i < limit) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size() && IsLetter(text[i + 1])) {
      const ControlWord w = ReadControlWord(text, i);
      if (w.name == "trowd" || w.name == "intbl" || w.name == "cell" || w.name == "row" ||
          (w.name == "itap" && w.value > 0)) {
        return i;
      }
      if (w.name == "par" || w.name == "line" || w.name == "tab" || w.name == "page" || w.name == "sect" ||
          w.name == "sectd" || w.name == "column" || w.name == "bin") {
        return std::string_view::npos;
      }
      i = w.end;
    } else if (c == '{') {
      if (i + 2 < text.size() && text[i + 1] == '\\' && text[i + 2] == '*') {
        i = SkipGroup(text, i, limit);
        if (i == std::string_view::npos) return std::string_view::npos;
      } else {
        ++i;
      }
    } else if (c == '}' || IsBlank(c)) {
      ++i;
    } else {
      return std::string_view::npos;  // text, or a control symbol standing for text
    }
  }
  return std::string_view::npos;
}

// The end of the row whose "\row" stands at `mark`: after the "}" that closes the row's group
// when only blanks and control words other than paragraph and table words come first,
// otherwise right after "\row".
size_t RowEnd(std::string_view text, size_t mark) {
  const size_t after_mark = mark + 4;
  const size_t limit = std::min(text.size(), after_mark + RowScanner::kGapLimit);
  size_t i = after_mark;
  while (i < limit) {
    const char c = text[i];
    if (c == '}') return i + 1;
    if (IsBlank(c)) {
      ++i;
    } else if (c == '\\' && i + 1 < text.size() && IsLetter(text[i + 1])) {
      const ControlWord w = ReadControlWord(text, i);
      if (w.name == "trowd" || w.name == "pard" || w.name == "par" || w.name == "intbl" || w.name == "cell" ||
          w.name == "row" || w.name == "sect" || w.name == "sectd") {
        break;
      }
      i = w.end;
    } else {
      break;
    }
  }
  return after_mark;
}

}  // namespace

size_t RowScanner::NextRowMark(size_t from) {
  for (;;) {
    const long r = row_marks_.Find(source_, from);
    if (r < 0) return std::string_view::npos;
    const size_t at = static_cast<size_t>(r);
    if (at + 4 < content_.size() && IsLetter(content_[at + 4])) {
      from = at + 1;  // a longer word that begins with "row"
      continue;
    }
    return at;
  }
}

std::optional<RowExtent> RowScanner::Next() {
  if (ended_) return std::nullopt;
  size_t search_from;
  if (first_) {
    first_ = false;
    search_from = std::min(content_.size(), next_ + 6);
  } else {
    search_from = TableGoesOn(content_, next_);
  }
  const size_t mark = search_from == std::string_view::npos ? search_from : NextRowMark(search_from);
  if (mark == std::string_view::npos) {
    ended_ = true;
    return std::nullopt;
  }
  RowExtent row{next_, mark, RowEnd(content_, mark)};
  next_ = row.end;
  return row;
}

}  // namespace tessarine
