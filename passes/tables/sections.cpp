#include "passes/tables/sections.h"

#include <string>
#include <string_view>
#include <utility>

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
  return source.TakeAll();
}

// What converting a section changes besides its HTML: the paragraph, span and list state.
// Taken before a section and put back when the section shows nothing, so that what follows is
// written as if the section had not been there.
struct ParagraphState {
  std::string Alignment, ParagraphFont, ParagraphSize, ParagraphColour;
  std::string SpanFont, SpanSize, SpanColour, SpanBold, SpanItalic, SpanUnderline;
  std::string ListCarryText;
  int ListItemParagraphs = 0;
  bool SpanOpen = false, BoldOpen = false, ItalicOpen = false, UnderlineOpen = false;
  bool InListItem = false, SecondPath = false, ListPardPending = false;

  explicit ParagraphState(const ConversionState& st)
      : Alignment(st.Alignment),
        ParagraphFont(st.ParagraphFont),
        ParagraphSize(st.ParagraphSize),
        ParagraphColour(st.ParagraphColour),
        SpanFont(st.SpanFont),
        SpanSize(st.SpanSize),
        SpanColour(st.SpanColour),
        SpanBold(st.SpanBold),
        SpanItalic(st.SpanItalic),
        SpanUnderline(st.SpanUnderline),
        ListCarryText(st.ListCarryText),
        ListItemParagraphs(st.ListItemParagraphs),
        SpanOpen(st.SpanOpen),
        BoldOpen(st.BoldOpen),
        ItalicOpen(st.ItalicOpen),
        UnderlineOpen(st.UnderlineOpen),
        InListItem(st.InListItem),
        SecondPath(st.SecondPath),
        ListPardPending(st.ListPardPending) {}

  void Restore(ConversionState& st) {
    st.Alignment = std::move(Alignment);
    st.ParagraphFont = std::move(ParagraphFont);
    st.ParagraphSize = std::move(ParagraphSize);
    st.ParagraphColour = std::move(ParagraphColour);
    st.SpanFont = std::move(SpanFont);
    st.SpanSize = std::move(SpanSize);
    st.SpanColour = std::move(SpanColour);
    st.SpanBold = std::move(SpanBold);
    st.SpanItalic = std::move(SpanItalic);
    st.SpanUnderline = std::move(SpanUnderline);
    st.ListCarryText = std::move(ListCarryText);
    st.ListItemParagraphs = ListItemParagraphs;
    st.SpanOpen = SpanOpen;
    st.BoldOpen = BoldOpen;
    st.ItalicOpen = ItalicOpen;
    st.UnderlineOpen = UnderlineOpen;
    st.InListItem = InListItem;
    st.SecondPath = SecondPath;
    st.ListPardPending = ListPardPending;
  }
};

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
  ParagraphState before(st);
  // The watch sees only the page's body, which is set aside meanwhile.
  BodyWatch* const watch = std::exchange(st.Watch, nullptr);
  ConvertParagraphs(std::string(section), st);
  st.Watch = watch;

  if (!HasContent(st.OutputText)) {
    // A section without text (a document's last "\sectd" with nothing after it) writes nothing:
    // no empty column table, no tag closed early.
    before.Restore(st);
    st.OutputText.swap(saved);
    return;
  }
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
