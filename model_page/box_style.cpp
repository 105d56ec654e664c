#include "model_page/box_style.h"

#include <algorithm>

#include "model_page/text_encoding.h"

namespace tessarine {

namespace {

// A single line is about 1.15 times the font's size in the usual fonts.
constexpr int64_t kSingleLinePercent = 115;

constexpr std::string_view kSides[] = {"top", "left", "bottom", "right"};

const model::Border& Side(const model::Borders& borders, int side) {
  switch (side) {
    case 0:
      return borders.top;
    case 1:
      return borders.left;
    case 2:
      return borders.bottom;
    default:
      return borders.right;
  }
}

void AppendPoints(std::string& out, int64_t twips) {
  AppendHundredths(out, twips * 5);
  out.append("pt");
}

void AppendBorder(std::string& out, const model::Border& border) {
  // The thinnest line is one pixel; a double line needs three widths to show both.
  int64_t twips = std::max<int64_t>(border.width_twips, 15);
  std::string_view style = "solid";
  switch (border.style) {
    case model::BorderStyle::kDouble:
      style = "double";
      twips = std::max<int64_t>(twips * 3, 45);
      break;
    case model::BorderStyle::kDotted:
      style = "dotted";
      break;
    case model::BorderStyle::kDashed:
      style = "dashed";
      break;
    default:
      break;
  }
  AppendPoints(out, twips);
  out.push_back(' ');
  out.append(style);
  if (border.colour != model::kNoColour) {
    out.push_back(' ');
    AppendColour(out, border.colour);
  }
}

}  // namespace

void AppendBorders(Declarations& style, const model::Borders& borders, bool padding) {
  for (int side = 0; side < 4; ++side) {
    const model::Border& border = Side(borders, side);
    if (border.style == model::BorderStyle::kNone) continue;
    std::string& out = style.Add("border-");
    out.append(kSides[side]);
    out.push_back(':');
    AppendBorder(out, border);
  }
  if (!padding) return;
  for (int side = 0; side < 4; ++side) {
    const model::Border& border = Side(borders, side);
    if (border.style == model::BorderStyle::kNone || border.space_twips <= 0) continue;
    std::string& out = style.Add("padding-");
    out.append(kSides[side]);
    out.push_back(':');
    AppendPoints(out, border.space_twips);
  }
}

void AppendMissingBorders(Declarations& style, const model::Borders& borders) {
  for (int side = 0; side < 4; ++side) {
    if (Side(borders, side).style != model::BorderStyle::kNone) continue;
    std::string& out = style.Add("border-");
    out.append(kSides[side]);
    out.append(":none");
  }
}

void AppendLineSpacing(Declarations& style, const model::ParagraphLook& format, int size_points) {
  const int64_t line = format.line_twips;
  if (line == 0) return;
  if (format.line_multiple) {
    if (line <= 0 || line == 240) return;
    // line / 240 single lines, as a multiple of the font's size.
    AppendHundredths(style.Add("line-height:"), line * kSingleLinePercent / 240);
    return;
  }
  if (line > 0 && line * 5 <= int64_t{size_points} * kSingleLinePercent) return;  // no more than single
  // Lines closer than half the font's size would lie over each other: a writer's slip.
  if (line < 0 && -line * 5 < int64_t{size_points} * 50) return;
  AppendPoints(style.Add("line-height:"), line < 0 ? -line : line);
}

}  // namespace tessarine
