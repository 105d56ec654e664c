#include "choice/css_declarations.h"

#include <cstring>
#include <utility>

namespace tessarine {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' ||
                           text.front() == '\n' || text.front() == '\f')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                           text.back() == '\n' || text.back() == '\f')) {
    text.remove_suffix(1);
  }
  return text;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

bool EqualsLower(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (Lower(text[i]) != lower[i]) return false;
  }
  return true;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = Lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool ParseHex(std::string_view digits, uint32_t& colour) {
  uint32_t value = 0;
  for (char c : digits) {
    const int h = HexValue(c);
    if (h < 0) return false;
    value = value * 16 + static_cast<uint32_t>(h);
  }
  if (digits.size() == 3) {
    const uint32_t r = (value >> 8) & 0xF, g = (value >> 4) & 0xF, b = value & 0xF;
    value = (r * 0x11) << 16 | (g * 0x11) << 8 | (b * 0x11);
  } else if (digits.size() != 6) {
    return false;
  }
  colour = value;
  return true;
}

// A non-negative decimal number ("10", "10.5", ".5") at the front of `text`, with its length.
bool Number(std::string_view text, float& value, size_t& length) {
  size_t i = 0;
  double v = 0;
  bool digits = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    if (v < 1e6) v = v * 10 + (text[i] - '0');
    digits = true;
    ++i;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      v += (text[i] - '0') * scale;
      scale /= 10;
      digits = true;
      ++i;
    }
  }
  if (!digits) return false;
  value = static_cast<float>(v);
  length = i;
  return true;
}

bool ParseFontSize(std::string_view value, FontSize& size) {
  static constexpr std::pair<std::string_view, float> kKeywords[] = {
      {"xx-small", 7}, {"x-small", 7.5}, {"small", 9.75},  {"medium", 12},
      {"large", 13.5}, {"x-large", 18},  {"xx-large", 24}, {"xxx-large", 36}};
  for (const auto& [name, points] : kKeywords) {
    if (EqualsLower(value, name)) {
      size = {FontSize::Kind::kPoints, points};
      return true;
    }
  }
  if (EqualsLower(value, "smaller")) {
    size = {FontSize::Kind::kScale, 1 / 1.2f};
    return true;
  }
  if (EqualsLower(value, "larger")) {
    size = {FontSize::Kind::kScale, 1.2f};
    return true;
  }
  float number = 0;
  size_t length = 0;
  if (!Number(value, number, length)) return false;
  const std::string_view unit = value.substr(length);
  if (EqualsLower(unit, "pt")) {
    size = {FontSize::Kind::kPoints, number};
  } else if (EqualsLower(unit, "px")) {
    size = {FontSize::Kind::kPoints, number * 0.75f};
  } else if (EqualsLower(unit, "em")) {
    size = {FontSize::Kind::kScale, number};
  } else if (unit == "%") {
    size = {FontSize::Kind::kScale, number / 100};
  } else {
    return false;
  }
  return true;
}

bool ParseDecoration(std::string_view value, Declarations& out) {
  bool underline = false, strike = false, any = false;
  while (true) {
    value = Trim(value);
    if (value.empty()) break;
    size_t end = value.find_first_of(" \t");
    const std::string_view word = value.substr(0, end);
    if (EqualsLower(word, "underline")) {
      underline = true;
    } else if (EqualsLower(word, "line-through")) {
      strike = true;
    } else if (!EqualsLower(word, "none")) {
      return false;
    }
    any = true;
    if (end == std::string_view::npos) break;
    value.remove_prefix(end);
  }
  if (!any) return false;
  out.underline = underline;
  out.strike = strike;
  out.set |= kDeclaredDecoration;
  return true;
}

bool ParseDeclaration(std::string_view property, std::string_view value, FontNames& fonts,
                      Declarations& out) {
  // Properties that move text about without changing how its characters look.
  static constexpr std::string_view kLayout[] = {
      "margin",       "margin-left",   "margin-right", "margin-top",     "margin-bottom", "padding",
      "padding-left", "padding-right", "padding-top",  "padding-bottom", "text-indent"};
  for (std::string_view name : kLayout) {
    if (EqualsLower(property, name)) return true;
  }
  // "inherit" of a property that inherits anyway changes nothing.
  static constexpr std::string_view kInherited[] = {"font-size",   "font-family", "color",
                                                    "font-weight", "font-style",  "text-align"};
  if (EqualsLower(value, "inherit")) {
    for (std::string_view name : kInherited) {
      if (EqualsLower(property, name)) return true;
    }
    return false;
  }
  if (EqualsLower(property, "font-size")) {
    if (!ParseFontSize(value, out.size)) return false;
    out.set |= kDeclaredSize;
  } else if (EqualsLower(property, "font-family")) {
    const size_t comma = value.find(',');
    out.font = fonts.Intern(value.substr(0, comma));
    if (out.font < 0) return false;
    out.set |= kDeclaredFont;
  } else if (EqualsLower(property, "color")) {
    if (!ParseColour(value, out.colour)) return false;
    out.set |= kDeclaredColour;
  } else if (EqualsLower(property, "font-weight")) {
    float weight = 0;
    size_t length = 0;
    if (EqualsLower(value, "bold") || EqualsLower(value, "bolder")) {
      out.bold = true;
    } else if (EqualsLower(value, "normal") || EqualsLower(value, "lighter")) {
      out.bold = false;
    } else if (Number(value, weight, length) && length == value.size()) {
      out.bold = weight >= 600;
    } else {
      return false;
    }
    out.set |= kDeclaredBold;
  } else if (EqualsLower(property, "font-style")) {
    if (EqualsLower(value, "italic") || EqualsLower(value, "oblique")) {
      out.italic = true;
    } else if (EqualsLower(value, "normal")) {
      out.italic = false;
    } else {
      return false;
    }
    out.set |= kDeclaredItalic;
  } else if (EqualsLower(property, "text-decoration")) {
    return ParseDecoration(value, out);
  } else if (EqualsLower(property, "text-align")) {
    if (EqualsLower(value, "left") || EqualsLower(value, "start")) {
      out.alignment = model::Alignment::kLeft;
    } else if (EqualsLower(value, "center")) {
      out.alignment = model::Alignment::kCenter;
    } else if (EqualsLower(value, "right") || EqualsLower(value, "end")) {
      out.alignment = model::Alignment::kRight;
    } else if (EqualsLower(value, "justify")) {
      out.alignment = model::Alignment::kJustify;
    } else {
      return false;
    }
    out.set |= kDeclaredAlignment;
  } else if (EqualsLower(property, "vertical-align")) {
    if (EqualsLower(value, "super")) {
      out.baseline = model::Baseline::kSuperscript;
    } else if (EqualsLower(value, "sub")) {
      out.baseline = model::Baseline::kSubscript;
    } else if (EqualsLower(value, "baseline")) {
      out.baseline = model::Baseline::kNormal;
    } else if (EqualsLower(value, "top") || EqualsLower(value, "middle") || EqualsLower(value, "bottom")) {
      out.cell_layout = true;
      return true;
    } else {
      return false;
    }
    out.set |= kDeclaredBaseline;
  } else if (EqualsLower(property, "background-image") || EqualsLower(property, "background-attachment")) {
    out.background = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace

void Merge(const Declarations& later, bool look, Declarations& into) {
  const uint16_t set = later.set;
  if (set & kDeclaredBold) into.bold = later.bold;
  if (set & kDeclaredItalic) into.italic = later.italic;
  if (set & kDeclaredDecoration) {
    into.underline = later.underline;
    into.strike = later.strike;
  }
  if (set & kDeclaredBaseline) into.baseline = later.baseline;
  if (set & kDeclaredAlignment) into.alignment = later.alignment;
  if (set & kDeclaredSize) into.size = later.size;
  if (set & kDeclaredColour) into.colour = later.colour;
  if (set & kDeclaredFont) into.font = later.font;
  into.cell_layout = into.cell_layout || later.cell_layout;
  into.background = into.background || later.background;
  into.set |= set;
  if (look) {
    into.look |= set;
  } else {
    into.look &= static_cast<uint16_t>(~set);
  }
}

bool ParseDeclarations(std::string_view css, FontNames& fonts, Declarations& out) {
  while (!css.empty()) {
    // A declaration ends at a ';' outside quotes.
    size_t end = 0;
    char quote = 0;
    for (; end < css.size(); ++end) {
      const char c = css[end];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == ';') {
        break;
      }
    }
    const std::string_view declaration = Trim(css.substr(0, end));
    css.remove_prefix(end < css.size() ? end + 1 : end);
    if (declaration.empty()) continue;
    const size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) return false;
    const std::string_view property = Trim(declaration.substr(0, colon));
    const std::string_view value = Trim(declaration.substr(colon + 1));
    if (value.empty() || value.find('!') != std::string_view::npos) return false;
    if (!ParseDeclaration(property, value, fonts, out)) return false;
  }
  return true;
}

bool ParseColour(std::string_view text, uint32_t& colour) {
  text = Trim(text);
  if (!text.empty() && text.front() == '#') return ParseHex(text.substr(1), colour);
  if (text.size() == 6 && ParseHex(text, colour)) return true;
  static constexpr std::pair<std::string_view, uint32_t> kNames[] = {
      {"black", 0x000000},   {"silver", 0xC0C0C0},  {"gray", 0x808080},  {"grey", 0x808080},
      {"white", 0xFFFFFF},   {"maroon", 0x800000},  {"red", 0xFF0000},   {"purple", 0x800080},
      {"fuchsia", 0xFF00FF}, {"magenta", 0xFF00FF}, {"green", 0x008000}, {"lime", 0x00FF00},
      {"olive", 0x808000},   {"yellow", 0xFFFF00},  {"navy", 0x000080},  {"blue", 0x0000FF},
      {"teal", 0x008080},    {"aqua", 0x00FFFF},    {"cyan", 0x00FFFF},  {"orange", 0xFFA500},
      {"crimson", 0xDC143C}, {"sienna", 0xA0522D},  {"brown", 0xA52A2A}};
  for (const auto& [name, value] : kNames) {
    if (EqualsLower(text, name)) {
      colour = value;
      return true;
    }
  }
  if (text.size() > 5 && EqualsLower(text.substr(0, 4), "rgb(") && text.back() == ')') {
    std::string_view rest = text.substr(4, text.size() - 5);
    uint32_t value = 0;
    for (int part = 0; part < 3; ++part) {
      rest = Trim(rest);
      float number = 0;
      size_t length = 0;
      if (!Number(rest, number, length) || number > 255) return false;
      value = value << 8 | static_cast<uint32_t>(number);
      rest = Trim(rest.substr(length));
      if (part < 2) {
        if (rest.empty() || rest.front() != ',') return false;
        rest.remove_prefix(1);
      }
    }
    if (!rest.empty()) return false;
    colour = value;
    return true;
  }
  return false;
}

bool FontElementPoints(std::string_view text, float& points) {
  static constexpr float kSizes[] = {7.5f, 7.5f, 9.75f, 12, 13.5f, 18, 24, 36};
  text = Trim(text);
  int sign = 0;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    sign = text.front() == '+' ? 1 : -1;
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 2) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (sign != 0) value = 3 + sign * value;
  if (value < 1) value = 1;
  if (value > 7) value = 7;
  points = kSizes[value];
  return true;
}

}  // namespace tessarine
