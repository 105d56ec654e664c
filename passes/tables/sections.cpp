#include "passes/tables/sections.h"

#include <string>
#include <string_view>

#include "passes/paragraphs/paragraphs.h"
#include "passes/scan/number.h"
#include "passes/scan/scan.h"
#include "passes/tables/column_layout.h"

namespace tessarine {

namespace {

// The section at the front of the source, removed from it: through the brace after its "\sect "
// (with the space), or the whole rest when there is no such "\sect " or no brace after it.
std::string CutSection(SourceBuffer& source) {
  const long p = source.Find("\\sect ", 1);
  const long b = p < 0 ? -1 : source.Find("}", p);
  if (b >= 0) return source.Cut(0, b + 1);
  std::string all = source.ReadAll();
  source.Clear();
  return all;
}

}  // namespace

void ConvertSection(ConversionState& st) {
  const std::string text = CutSection(st.Source);
  std::string_view section = text;

  // Columns: the one digit after "\cols" when a "\cols" stands before the first "\colsx".
  int columns = 1;
  const long a = Pos("\\cols", section);
  const long x = Pos("\\colsx", section);
  if (x > a) {
    section = CopyFrom(section, a + 5);
    columns = !section.empty() && IsDigit(section[0]) ? section[0] - '0' : 0;
  } else if (a > 0) {
    section = CopyFrom(section, a);
  }

  // The section is converted on its own: what came before is set aside meanwhile.
  std::string saved;
  saved.swap(st.OutputText);
  const long pard = Pos("\\pard", section);
  if (pard > 1) {
    section = CopyFrom(section, pard - 1);
  } else if (x > a) {
    // No paragraph mark to start at: the rest of the "\cols" number is not text.
    while (!section.empty() && IsDigit(section[0])) section.remove_prefix(1);
  }
  ConvertParagraphs(std::string(section), st);

  if (columns <= 1) {
    saved.append(st.OutputText);
    st.OutputText.swap(saved);
    return;
  }
  std::string html;
  html.swap(st.OutputText);
  st.OutputText.swap(saved);
  AppendColumns(html, columns, st.OutputText);
}

}  // namespace tessarine
