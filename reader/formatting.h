// Character and paragraph formatting words applied to the state of a group.
#pragma once

#include <cstdint>

#include "reader/colour_table.h"
#include "reader/font_table.h"
#include "reader/group_state.h"
#include "reader/keywords.h"
#include "reader/style_sheet.h"

namespace tessarine::reader {

// The tables formatting words look things up in.
struct FormattingTables {
  const FontTable& fonts;
  const ColourTable& colours;
  const StyleSheet& styles;
  int32_t default_font = -1;  // "\deffN": the font "\plain" goes back to (a font number)
};

// `under` with the fields of `over` that `words` (CharWords) name put over it.
model::CharFormat OverlayChars(const model::CharFormat& under, const model::CharFormat& over, uint16_t words);

// The colour a shading shows: `pattern` ("\cfpat"; automatic: black) at `shading` hundredths of
// a percent over `back` ("\cbpat"; automatic: white). Without shading, `back` as it is.
model::Colour ShadingColour(model::Colour back, model::Colour pattern, int32_t shading);

// The formatting `state` starts with, in a document or after "\plain" and "\pard".
void ResetCharacterFormatting(GroupState& state, const FormattingTables& tables);
void ResetParagraphFormatting(GroupState& state);

// Applies the character or paragraph formatting word `action` with `value` (its parameter, or
// the keyword's default) to `state`; `on` is false for a toggle turned off ("\b0"). Returns
// false, changing nothing, when `action` is no formatting word. "\sN" and "\csN" apply the
// style's formatting.
bool ApplyFormatting(Action action, int32_t value, bool on, GroupState& state,
                     const FormattingTables& tables);

}  // namespace tessarine::reader
