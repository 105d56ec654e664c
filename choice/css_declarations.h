// The CSS of this product's pages, as far as it changes what a reader sees of the text: the
// declarations of style attributes and stylesheet rules, colours and font sizes.
#pragma once

#include <cstdint>
#include <string_view>

#include "choice/font_names.h"
#include "model/document.h"

namespace tessarine {

struct FontSize {
  enum class Kind : uint8_t { kNone, kPoints, kScale };  // kScale: times the parent's size
  Kind kind = Kind::kNone;
  float value = 0;

  bool operator==(const FontSize&) const = default;
};

enum DeclaredBit : uint16_t {
  kDeclaredBold = 1,
  kDeclaredItalic = 2,
  kDeclaredDecoration = 4,
  kDeclaredBaseline = 8,
  kDeclaredAlignment = 16,
  kDeclaredSize = 32,
  kDeclaredColour = 64,
  kDeclaredFont = 128,
};

// What an element declares for its text; a property counts only when its bit is in `set`.
struct Declarations {
  uint16_t set = 0;   // DeclaredBit
  uint16_t look = 0;  // DeclaredBit: properties set by the page's own look (its link rules)
  bool bold = false;
  bool italic = false;
  bool underline = false;  // the element's own text-decoration
  bool strike = false;
  model::Baseline baseline = model::Baseline::kNormal;
  model::Alignment alignment = model::Alignment::kLeft;
  FontSize size;
  uint32_t colour = 0;       // 0xRRGGBB
  int32_t font = -1;         // FontNames id
  bool cell_layout = false;  // a vertical-align that only a table's cell may have
  bool background = false;   // a background picture, which only the page's body may have

  bool operator==(const Declarations&) const = default;
};

// Merges `later` into `into`: every property `later` sets replaces that of `into`; with `look`
// those properties count as the page's own look, otherwise as the document's.
void Merge(const Declarations& later, bool look, Declarations& into);

// Reads declarations ("font-size:10pt; color:#FF0000", UTF-8) into `out`, later ones winning,
// font names kept in `fonts`. False when one is not understood: a property that changes the
// look of text and is not one this reader knows, or a value it cannot read. Layout properties
// (margins, padding, text-indent) are read and left out.
bool ParseDeclarations(std::string_view css, FontNames& fonts, Declarations& out);

// A colour as HTML writes it: "#RRGGBB", "#RGB", "RRGGBB" (in attributes), "rgb(r, g, b)" or one
// of the common colour names (black, blue, red ...). False for anything else.
bool ParseColour(std::string_view text, uint32_t& colour);

// The size in points a <font size=...> attribute gives ("1" to "7", or "+1", "-2" from 3),
// or false.
bool FontElementPoints(std::string_view text, float& points);

}  // namespace tessarine
