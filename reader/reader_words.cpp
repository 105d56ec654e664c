// Control words and control symbols: what each does where it stands.
#include <algorithm>

#include "reader/reader.h"

namespace tessarine::reader {

void Reader::Word(const Token& token) {
  GroupState& s = state();
  const bool ignorable = s.ignorable;
  s.ignorable = false;
  const Keyword* keyword = FindKeyword(token.text, token.prefix);
  if (skip_ > 0) {  // the fallback of a "\u"
    --skip_;
    return;
  }
  if (keyword == nullptr) {
    if (ignorable) SkipRestOfGroup();  // "{\*\unknown ...}"
    return;
  }
  Act(*keyword, token.has_param, token.param);
}

bool Reader::ReadWordInPlace() {
  // Most words of a document are ones the reader ignores: passed over in one scan until a word
  // it knows. Only where an ignored word counts (as a "\u" fallback, or after "\*") does Word
  // see each one.
  if (skip_ > 0 || state().ignorable) return false;
  const size_t before = tokens_.position();
  bool has_param = false;
  int32_t param = 0;
  const Keyword* keyword = tokens_.NextKnownWord(&has_param, &param);
  if (keyword == nullptr) return tokens_.position() != before;
  Act(*keyword, has_param, param);
  return true;
}

void Reader::Symbol(char symbol) {
  if (symbol == '*') {
    state().ignorable = true;
    return;
  }
  state().ignorable = false;
  if (skip_ > 0) {
    --skip_;
    return;
  }
  const Keyword* keyword = FindKeyword(std::string_view(&symbol, 1));
  if (keyword != nullptr) Act(*keyword, false, 0);
}

void Reader::Act(const Keyword& keyword, bool has_param, int32_t param) {
  const int32_t value = has_param ? param : keyword.value;
  const bool on = !has_param || param != 0;
  GroupState& s = state();
  const Destination destination = s.destination;
  switch (keyword.action) {
    case Action::kNone:
    case Action::kIgnorable:
      return;
    // The document.
    case Action::kAnsi:
      return decoder_.SetDocumentPage(1252);
    case Action::kMac:
      return decoder_.SetDocumentPage(10000);
    case Action::kPc:
      return decoder_.SetDocumentPage(437);
    case Action::kPca:
      return decoder_.SetDocumentPage(850);
    case Action::kAnsiCodePage:
      return decoder_.SetDocumentPage(value);
    case Action::kDefaultFont:
      default_font_ = value;
      return ApplyDefaultFont();
    case Action::kDefaultTab:
      if (value > 0) document_.default_tab_twips = std::min(value, 31680);
      return;
    case Action::kFromHtml:
      document_.from_html = value != 0;
      return;
    case Action::kHtmlRtf:
      s.html_rtf = on;
      return;
    // Characters and breaks.
    case Action::kCharacter:
      return Character(static_cast<char32_t>(keyword.value));
    case Action::kUnicode:
      return Unicode(value);
    case Action::kUnicodeSkip:
      s.unicode_skip = static_cast<uint8_t>(std::clamp(value, 0, 255));
      return;
    case Action::kPar:
      return Par();
    case Action::kLine:
      if (destination == Destination::kText && !s.hidden && !s.deleted) builder_.LineBreak();
      if (WritesHtml() || destination == Destination::kHtmlTag) document_.html += "\r\n";
      return;
    case Action::kTab:
      return Tab();
    case Action::kPage:
      if (destination == Destination::kText && builder_.ParagraphHasContent())
        builder_.EndParagraph(s.paragraph);
      return;
    // Formatting words that mean something else inside some destinations.
    case Action::kFont:
      if (destination == Destination::kFontTable) {
        fonts_.EndEntry(document_.fonts);
        fonts_.BeginEntry(value);
        // One ending serves the entries of a group that holds several ("\f1 A;\f2 B;").
        if (endings_.empty() || endings_.back().kind != EndingKind::kFontEntry ||
            endings_.back().depth != stack_.size()) {
          PushEnding(EndingKind::kFontEntry);
        }
        return;
      }
      break;
    case Action::kBasedOn:
      if (destination == Destination::kStyleSheet) style_based_on_ = value;
      return;
    case Action::kPard:
      border_target_ = BorderTarget{};
      break;
    // Borders.
    case Action::kParagraphBorder:
      border_target_ = BorderTarget{BorderTarget::Kind::kParagraph, value};
      s.paragraph.given |= ParagraphProps::kGivenBorders;
      return;
    case Action::kCellBorder:
      border_target_ = BorderTarget{BorderTarget::Kind::kCell, value};
      RowBeingDefined().next.own_borders = true;
      return;
    case Action::kBorderNowhere:
      border_target_ = BorderTarget{};
      return;
    case Action::kBorderStyle:
    case Action::kBorderWidth:
    case Action::kBorderColour:
    case Action::kBorderSpace:
      return BorderWord(keyword.action, value);
    case Action::kStyle:
    case Action::kCharStyle:
      if (destination == Destination::kStyleSheet) {
        s.style_entry = value;
        s.character_style = keyword.action == Action::kCharStyle;
        return;
      }
      break;
    case Action::kList:
      if (destination == Destination::kListTable) return lists_.SetOverrideNumber(value);
      if (value == 0) {  // "\ls0": no list
        s.paragraph.list = -1;
        s.paragraph.given |= ParagraphProps::kGivenList;
        return;
      }
      break;
    // Sections.
    case Action::kSect:
      if (destination == Destination::kText) builder_.SectionBreak(s.paragraph);
      return;
    case Action::kSectionDefaults:
      return builder_.SetColumns(1);
    case Action::kColumns:
      return builder_.SetColumns(value);
    // Rows and cells.
    case Action::kRowDefaults:
    case Action::kRowLeft:
    case Action::kCellRight:
    case Action::kCellMergeFirst:
    case Action::kCellMerge:
    case Action::kCellVerticalFirst:
    case Action::kCellVertical:
    case Action::kCellBackground:
    case Action::kCellPattern:
    case Action::kCellShading:
    case Action::kCellVerticalAlignment:
      return RowWord(keyword.action, value);
    case Action::kCell:
      if (destination == Destination::kText) builder_.EndCell(1, s.paragraph);
      return;
    case Action::kNestCell:
      if (destination == Destination::kText)
        builder_.EndCell(std::max(2, s.paragraph.TableDepth()), s.paragraph);
      return;
    case Action::kRow:
      if (destination == Destination::kText) builder_.EndRow(1, rows_[1]);
      return;
    case Action::kNestRow:
      if (destination == Destination::kText || s.nested_row) {
        const int depth = std::clamp(s.paragraph.TableDepth(), 2, model::kMaxTableDepth);
        builder_.EndRow(depth, rows_[static_cast<size_t>(depth)]);
      }
      return;
    // Words of the destination tables.
    case Action::kFontCharset:
      if (destination == Destination::kFontTable) fonts_.SetCharset(value);
      return;
    case Action::kFontCodePage:
      if (destination == Destination::kFontTable) fonts_.SetCodePage(value);
      return;
    case Action::kRed:
    case Action::kGreen:
    case Action::kBlue:
      if (destination == Destination::kColourTable) {
        colours_.SetComponent(static_cast<int>(keyword.action) - static_cast<int>(Action::kRed), value);
      }
      return;
    case Action::kListId:
      return lists_.SetListId(value);
    case Action::kLevelNumberFormat:
      return lists_.SetNumberFormat(value);
    case Action::kLevelStartAt:
      return lists_.SetStartAt(value);
    case Action::kEndnote:
      if (last_note_ >= 0 &&
          document_.notes[static_cast<size_t>(last_note_)].kind == model::NoteKind::kFootnote) {
        document_.notes[static_cast<size_t>(last_note_)].kind = model::NoteKind::kEndnote;
      }
      return;
    case Action::kPictureFormat:
      return picture_.SetFormat(static_cast<model::PictureFormat>(keyword.value));
    case Action::kPictureWidth:
      return picture_.SetWidth(value);
    case Action::kPictureHeight:
      return picture_.SetHeight(value);
    case Action::kPictureGoalWidth:
      return picture_.SetGoalWidth(value);
    case Action::kPictureGoalHeight:
      return picture_.SetGoalHeight(value);
    case Action::kPictureScaleX:
      return picture_.SetScaleX(value);
    case Action::kPictureScaleY:
      return picture_.SetScaleY(value);
    case Action::kPictureBitsPerPixel:
      return picture_.SetBitmapLayout(value, -1, -1);
    case Action::kPicturePlanes:
      return picture_.SetBitmapLayout(-1, value, -1);
    case Action::kPictureWidthBytes:
      return picture_.SetBitmapLayout(-1, -1, value);
    default:
      if (keyword.kind == Kind::kDestination) return BeginDestination(keyword.action);
      break;
  }
  ApplyFormatting(keyword.action, value, on, s, Tables());
}

void Reader::Par() {
  const GroupState& s = state();
  if (s.destination == Destination::kText) builder_.EndParagraph(s.paragraph);
  if (WritesHtml() || s.destination == Destination::kHtmlTag) document_.html += "\r\n";
}

void Reader::Tab() {
  const GroupState& s = state();
  if (s.destination == Destination::kText) {
    if (!s.hidden && !s.deleted) builder_.Tab(s.chars);
  }
  if (WritesHtml() || s.destination == Destination::kHtmlTag) document_.html += "\t";
}

RowDefinition& Reader::RowBeingDefined() {
  // Row definitions are of the depth the paragraph is at when it is a nested table's
  // ("\itap2\trowd" before the cells, "\nesttableprops" after them), else of the outermost.
  const GroupState& s = state();
  const int paragraph_depth = std::min(s.paragraph.TableDepth(), model::kMaxTableDepth);
  const size_t depth =
      static_cast<size_t>(s.nested_row ? std::max(2, paragraph_depth) : std::max(1, paragraph_depth));
  return rows_[depth];
}

void Reader::RowWord(Action action, int32_t value) {
  RowDefinition& row = RowBeingDefined();
  switch (action) {
    case Action::kRowDefaults:
      row.left = 0;
      row.cells.clear();
      row.next = RowDefinition::Cell{};
      border_target_ = BorderTarget{};
      break;
    case Action::kRowLeft:
      row.left = value;
      break;
    case Action::kCellRight:
      row.next.right = value;
      row.next.background = ShadingColour(row.next.background, row.next.pattern, row.next.shading);
      row.cells.push_back(row.next);
      row.next = RowDefinition::Cell{};
      border_target_ = BorderTarget{};
      break;
    case Action::kCellMergeFirst:
      row.next.horizontal = model::Merge::kFirst;
      break;
    case Action::kCellMerge:
      row.next.horizontal = model::Merge::kContinue;
      break;
    case Action::kCellVerticalFirst:
      row.next.vertical = model::Merge::kFirst;
      break;
    case Action::kCellVertical:
      row.next.vertical = model::Merge::kContinue;
      break;
    case Action::kCellBackground:
      row.next.background = colours_.At(value);
      break;
    case Action::kCellPattern:
      row.next.pattern = colours_.At(value);
      break;
    case Action::kCellShading:
      row.next.shading = std::clamp(value, 0, 10000);
      break;
    case Action::kCellVerticalAlignment:
      row.next.vertical_alignment = static_cast<model::VerticalAlignment>(std::clamp(value, 0, 2));
      break;
    default:
      break;
  }
}

void Reader::BorderWord(Action action, int32_t value) {
  auto apply = [&](model::Border& border) {
    switch (action) {
      case Action::kBorderStyle:
        border.style = static_cast<model::BorderStyle>(value);
        break;
      case Action::kBorderWidth:
        border.width_twips = std::clamp(value, 0, 1440);
        break;
      case Action::kBorderColour:
        border.colour = colours_.At(value);
        break;
      case Action::kBorderSpace:
        border.space_twips = std::clamp(value, 0, 1440);
        break;
      default:
        break;
    }
  };
  auto sides = [&](model::Borders& borders) {
    model::Border* all[] = {&borders.top, &borders.left, &borders.bottom, &borders.right};
    if (border_target_.side >= 0 && border_target_.side < 4) {
      apply(*all[border_target_.side]);
    } else if (border_target_.side == 4) {
      for (model::Border* border : all) apply(*border);
    }
  };
  switch (border_target_.kind) {
    case BorderTarget::Kind::kParagraph:
      return sides(state().paragraph.borders);
    case BorderTarget::Kind::kCell:
      return sides(RowBeingDefined().next.borders);
    case BorderTarget::Kind::kNone:
      return;
  }
}

model::CharFormat Reader::FlowFormat() const {
  const GroupState& s = stack_.back();
  model::CharFormat format = s.chars;
  // A marker in a symbol font holds the bullet's own character, shown in the paragraph's font.
  if (s.in_marker && IsSymbolPage(s.page)) format.font = -1;
  return format;
}

void Reader::ApplyDefaultFont() {
  if (fonts_.Find(default_font_) == nullptr) return;
  const FormattingTables tables = Tables();
  for (GroupState& s : stack_) {
    if (s.chars.font != -1) continue;
    // The default font is no word of the text: a paragraph style still gives its character
    // formatting afterwards.
    const bool chars_given = s.chars_given;
    ApplyFormatting(Action::kFont, default_font_, true, s, tables);
    s.chars_given = chars_given;
  }
}

}  // namespace tessarine::reader
