#include "reader/formatting.h"

#include <algorithm>

namespace tessarine::reader {

namespace {

void SelectFont(int32_t number, GroupState& state, const FormattingTables& tables) {
  const FontTable::Font* font = tables.fonts.Find(number);
  state.chars.font = font != nullptr ? font->index : -1;
  state.page = font != nullptr ? font->page : kDocumentPage;
}

enum class StyleWord { kParagraph, kCharacter };  // "\sN" or "\csN"

// A style supplies the formatting its paragraph or run does not give itself: its character
// formatting when no character word came since "\plain", and for "\sN" each paragraph property
// no word of the paragraph gave since "\pard". So the order of the words does not matter, and
// writers that repeat "\sN" in every run keep their paragraph's own properties.
void ApplyStyle(int32_t number, StyleWord word, GroupState& state, const FormattingTables& tables) {
  const bool paragraph_style = word == StyleWord::kParagraph;
  if (paragraph_style) state.paragraph.style = number;
  const Style* style = tables.styles.Find(number);
  if (style == nullptr) return;
  if (!state.chars_given) {
    state.chars = style->chars;
    state.page = style->page;
  }
  if (!paragraph_style || style->character_style) return;
  const ParagraphProps& from = style->paragraph;
  ParagraphProps& to = state.paragraph;
  auto take = [&to](uint16_t bit, auto& field, const auto& value) {
    if ((to.given & bit) == 0) field = value;
  };
  take(ParagraphProps::kGivenAlignment, to.alignment, from.alignment);
  take(ParagraphProps::kGivenLeft, to.left, from.left);
  take(ParagraphProps::kGivenRight, to.right, from.right);
  take(ParagraphProps::kGivenFirstLine, to.first_line, from.first_line);
  take(ParagraphProps::kGivenBefore, to.before, from.before);
  take(ParagraphProps::kGivenAfter, to.after, from.after);
  take(ParagraphProps::kGivenHeading, to.heading, from.heading);
  take(ParagraphProps::kGivenList, to.list, from.list);
  take(ParagraphProps::kGivenListLevel, to.list_level, from.list_level);
  take(ParagraphProps::kGivenLineSpacing, to.line, from.line);
  take(ParagraphProps::kGivenLineSpacing, to.line_multiple, from.line_multiple);
  take(ParagraphProps::kGivenBorders, to.borders, from.borders);
  take(ParagraphProps::kGivenShading, to.shading, from.shading);
  take(ParagraphProps::kGivenShading, to.pattern, from.pattern);
  take(ParagraphProps::kGivenShading, to.pattern_back, from.pattern_back);
  take(ParagraphProps::kGivenTabs, to.tabs, from.tabs);
  take(ParagraphProps::kGivenTabs, to.tab_count, from.tab_count);
}

// The field of CharFormat each character word gives; 0 for the other words.
uint16_t CharWordOf(Action action) {
  switch (action) {
    case Action::kBold:
      return kWordBold;
    case Action::kItalic:
      return kWordItalic;
    case Action::kUnderline:
    case Action::kUnderlineNone:
      return kWordUnderline;
    case Action::kStrike:
      return kWordStrike;
    case Action::kCaps:
      return kWordCaps;
    case Action::kSmallCaps:
      return kWordSmallCaps;
    case Action::kSuper:
    case Action::kSub:
    case Action::kNoSuperSub:
    case Action::kUp:
    case Action::kDown:
      return kWordBaseline;
    case Action::kFont:
      return kWordFont;
    case Action::kFontSize:
      return kWordSize;
    case Action::kColour:
      return kWordColour;
    case Action::kHighlight:
    case Action::kBackground:
      return kWordBackground;
    default:
      return 0;
  }
}

uint8_t ColourChannel(model::Colour colour, int shift) {
  return static_cast<uint8_t>((colour >> shift) & 0xFF);
}

}  // namespace

model::CharFormat OverlayChars(const model::CharFormat& under, const model::CharFormat& over,
                               uint16_t words) {
  model::CharFormat out = under;
  if (words & kWordBold) out.bold = over.bold;
  if (words & kWordItalic) out.italic = over.italic;
  if (words & kWordUnderline) out.underline = over.underline;
  if (words & kWordStrike) out.strike = over.strike;
  if (words & kWordCaps) out.caps = over.caps;
  if (words & kWordSmallCaps) out.small_caps = over.small_caps;
  if (words & kWordBaseline) out.baseline = over.baseline;
  if (words & kWordFont) out.font = over.font;
  if (words & kWordSize) out.half_points = over.half_points;
  if (words & kWordColour) out.colour = over.colour;
  if (words & kWordBackground) out.background = over.background;
  return out;
}

model::Colour ShadingColour(model::Colour back, model::Colour pattern, int32_t shading) {
  if (shading <= 0) return back;
  const int32_t share = std::min(shading, 10000);
  const model::Colour fore = pattern == model::kNoColour ? 0x000000 : pattern;
  const model::Colour under = back == model::kNoColour ? 0xFFFFFF : back;
  model::Colour mixed = 0;
  for (int shift : {16, 8, 0}) {
    const int32_t value =
        (ColourChannel(fore, shift) * share + ColourChannel(under, shift) * (10000 - share) + 5000) / 10000;
    mixed |= static_cast<model::Colour>(value) << shift;
  }
  return mixed;
}

void ResetCharacterFormatting(GroupState& state, const FormattingTables& tables) {
  state.chars = model::CharFormat{};
  state.char_words = 0;
  state.hidden = false;
  state.deleted = false;
  state.chars_given = false;
  SelectFont(tables.default_font, state, tables);
}

void ResetParagraphFormatting(GroupState& state) {
  state.paragraph = ParagraphProps{};
}

bool ApplyFormatting(Action action, int32_t value, bool on, GroupState& state,
                     const FormattingTables& tables) {
  model::CharFormat& chars = state.chars;
  ParagraphProps& paragraph = state.paragraph;
  switch (action) {
    case Action::kPlain:
      ResetCharacterFormatting(state, tables);
      break;
    case Action::kBold:
      chars.bold = on;
      break;
    case Action::kItalic:
      chars.italic = on;
      break;
    case Action::kUnderline:
      chars.underline = on;
      break;
    case Action::kUnderlineNone:
      chars.underline = false;
      break;
    case Action::kStrike:
      chars.strike = on;
      break;
    case Action::kCaps:
      chars.caps = on;
      break;
    case Action::kSmallCaps:
      chars.small_caps = on;
      break;
    case Action::kSuper:
      chars.baseline = model::Baseline::kSuperscript;
      break;
    case Action::kSub:
      chars.baseline = model::Baseline::kSubscript;
      break;
    case Action::kNoSuperSub:
      chars.baseline = model::Baseline::kNormal;
      break;
    case Action::kUp:
      chars.baseline = value > 0 ? model::Baseline::kSuperscript : model::Baseline::kNormal;
      break;
    case Action::kDown:
      chars.baseline = value > 0 ? model::Baseline::kSubscript : model::Baseline::kNormal;
      break;
    case Action::kFont:
      SelectFont(value, state, tables);
      break;
    case Action::kFontSize:
      chars.half_points = value > 0 ? std::min(value, 32767) : 0;
      break;
    case Action::kColour:
      chars.colour = tables.colours.At(value);
      break;
    case Action::kHighlight:
    case Action::kBackground:
      chars.background = tables.colours.At(value);
      break;
    case Action::kHidden:
      state.hidden = on;
      break;
    case Action::kDeleted:
      state.deleted = on;
      break;
    case Action::kCharStyle:
      ApplyStyle(value, StyleWord::kCharacter, state, tables);
      break;
    case Action::kPard:
      ResetParagraphFormatting(state);
      break;
    case Action::kAlignLeft:
      paragraph.alignment = model::Alignment::kLeft;
      paragraph.given |= ParagraphProps::kGivenAlignment;
      break;
    case Action::kAlignCenter:
      paragraph.alignment = model::Alignment::kCenter;
      paragraph.given |= ParagraphProps::kGivenAlignment;
      break;
    case Action::kAlignRight:
      paragraph.alignment = model::Alignment::kRight;
      paragraph.given |= ParagraphProps::kGivenAlignment;
      break;
    case Action::kAlignJustify:
      paragraph.alignment = model::Alignment::kJustify;
      paragraph.given |= ParagraphProps::kGivenAlignment;
      break;
    case Action::kLeftIndent:
      paragraph.left = value;
      paragraph.given |= ParagraphProps::kGivenLeft;
      break;
    case Action::kRightIndent:
      paragraph.right = value;
      paragraph.given |= ParagraphProps::kGivenRight;
      break;
    case Action::kFirstIndent:
      paragraph.first_line = value;
      paragraph.given |= ParagraphProps::kGivenFirstLine;
      break;
    case Action::kSpaceBefore:
      paragraph.before = value;
      paragraph.given |= ParagraphProps::kGivenBefore;
      break;
    case Action::kSpaceAfter:
      paragraph.after = value;
      paragraph.given |= ParagraphProps::kGivenAfter;
      break;
    case Action::kOutlineLevel:
      paragraph.heading = static_cast<int8_t>(value >= 0 && value <= 5 ? value + 1 : 0);
      paragraph.given |= ParagraphProps::kGivenHeading;
      break;
    case Action::kStyle:
      ApplyStyle(value, StyleWord::kParagraph, state, tables);
      break;
    case Action::kList:
      paragraph.list = std::max(value, 0);
      paragraph.given |= ParagraphProps::kGivenList;
      break;
    case Action::kListLevel:
      paragraph.list_level = static_cast<int8_t>(std::clamp(value, 0, 8));
      paragraph.given |= ParagraphProps::kGivenListLevel;
      break;
    case Action::kInTable:
      paragraph.in_table = true;
      break;
    case Action::kTableDepth:
      paragraph.table_depth = static_cast<int16_t>(std::clamp(value, 0, 32767));
      break;
    case Action::kLineSpacing:
      paragraph.line = std::clamp(value, -31680, 31680);  // within 22 inches
      paragraph.given |= ParagraphProps::kGivenLineSpacing;
      break;
    case Action::kLineMultiple:
      paragraph.line_multiple = value != 0;
      paragraph.given |= ParagraphProps::kGivenLineSpacing;
      break;
    case Action::kShading:
      paragraph.shading = static_cast<int16_t>(std::clamp(value, 0, 10000));
      paragraph.given |= ParagraphProps::kGivenShading;
      break;
    case Action::kShadingPattern:
      paragraph.pattern = tables.colours.At(value);
      paragraph.given |= ParagraphProps::kGivenShading;
      break;
    case Action::kShadingBack:
      paragraph.pattern_back = tables.colours.At(value);
      paragraph.given |= ParagraphProps::kGivenShading;
      break;
    case Action::kTabStop:
      // A paragraph's own stops replace those of its style.
      if ((paragraph.given & ParagraphProps::kGivenTabs) == 0) paragraph.tab_count = 0;
      paragraph.given |= ParagraphProps::kGivenTabs;
      if (paragraph.tab_count < ParagraphProps::kMostTabs)
        paragraph.tabs[paragraph.tab_count++] = static_cast<int16_t>(std::clamp(value, -31680, 31680));
      break;
    default:
      return false;
  }
  // The character words stand from kBold to kDeleted in Action (reader/keywords.h).
  if (action >= Action::kBold && action <= Action::kDeleted) state.chars_given = true;
  state.char_words |= CharWordOf(action);
  return true;
}

}  // namespace tessarine::reader
