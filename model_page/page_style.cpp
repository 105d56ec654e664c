#include "model_page/page_style.h"

#include <unordered_map>

#include "model_page/text_encoding.h"
#include "page/font_name.h"

namespace tessarine {

namespace {

// The largest size RTF can give (3276 half points).
constexpr int kLargestSize = 1638;
constexpr int kSmallestSize = 8;
constexpr int kDefaultHalfPoints = 24;

// Whether `name` is a word that font-family reads as a keyword rather than a family's name
// ("inherit", "initial", "unset", "revert", "revert-layer", "default"), letter case ignored. The
// generic families ("serif", "monospace" ...) are not among them: a document naming one means it.
bool IsCssWideKeyword(std::string_view name) {
  for (std::string_view keyword : {"inherit", "initial", "unset", "revert", "revert-layer", "default"}) {
    if (name.size() != keyword.size()) continue;
    bool same = true;
    for (size_t i = 0; i < name.size() && same; ++i) {
      const char c = (name[i] >= 'A' && name[i] <= 'Z') ? static_cast<char>(name[i] - 'A' + 'a') : name[i];
      same = c == keyword[i];
    }
    if (same) return true;
  }
  return false;
}

// A font name as a style may carry it: in code page 1251, without a " Cyr" suffix (as the RTF
// pages write it), with only the characters a font name needs (IsFontNameCharacter) and without
// surrounding spaces; a name CSS would read as a keyword in quotes.
std::string StyleFontName(std::string_view utf8) {
  size_t cyr = utf8.find(" Cyr");
  if (cyr != std::string_view::npos) utf8 = utf8.substr(0, cyr);
  std::string kept;
  kept.reserve(utf8.size());
  for (size_t i = 0, size = 0; i < utf8.size(); i += size) {
    if (IsFontNameCharacter(DecodeUtf8(utf8.substr(i), size))) kept.append(utf8.substr(i, size));
  }
  const size_t first = kept.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const std::string_view trimmed =
      std::string_view(kept).substr(first, kept.find_last_not_of(' ') - first + 1);
  std::string name;
  // A font named as one of CSS's own words would be read as the word: it is written as a string.
  const bool keyword = IsCssWideKeyword(trimmed);
  if (keyword) name.push_back('\'');
  AppendHtmlText(name, trimmed, Escape::kAttribute);
  if (keyword) name.push_back('\'');
  return name;
}

// "#RRGGBB" as a colour; kNoColour for anything else.
model::Colour ParseColour(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return model::kNoColour;
  model::Colour value = 0;
  for (char c : text.substr(1)) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return model::kNoColour;
    }
    value = value * 16 + static_cast<model::Colour>(digit);
  }
  return value;
}

}  // namespace

int64_t SettingValue(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < 1000000) value = value * 10 + (text[i] - '0');
  }
  if (value > 1000000) value = 1000000;
  return negative ? -value : value;
}

PageStyle::PageStyle(const model::Document& document, const Settings& settings)
    : settings_(settings),
      margin_left_(SettingValue(settings.marginleft) * 100),
      margin_right_(SettingValue(settings.marginright) * 100),
      page_size_(static_cast<int>(SettingValue(settings.fontsize))),
      size_reduction_(static_cast<int>(SettingValue(settings.umrazm))),
      text_colour_(ParseColour(settings.textcolor)) {
  names_.reserve(document.fonts.size());
  canonical_.reserve(document.fonts.size());
  std::unordered_map<std::string, int> first_of_name;
  for (const std::string& font : document.fonts) {
    names_.push_back(StyleFontName(font));
    const std::string& name = names_.back();
    int index = static_cast<int>(names_.size()) - 1;
    if (name.empty() || name == settings.fontname) {
      canonical_.push_back(-1);
    } else {
      canonical_.push_back(first_of_name.try_emplace(name, index).first->second);
    }
  }
}

RunLook PageStyle::LookOf(const model::CharFormat& format) const {
  RunLook look;
  if (format.font >= 0 && static_cast<size_t>(format.font) < canonical_.size()) {
    look.font = canonical_[static_cast<size_t>(format.font)];
  }
  {
    // Text without a size of its own is at RTF's default size, 12 points.
    int size = (format.half_points > 0 ? format.half_points : kDefaultHalfPoints) / 2 - size_reduction_;
    if (size < kSmallestSize) size = kSmallestSize;
    if (size > kLargestSize) size = kLargestSize;
    if (size != page_size_) look.size = size;
  }
  if (format.colour != model::kNoColour) {
    model::Colour colour = format.colour & 0xFFFFFF;
    if (colour != text_colour_) look.colour = colour;
  }
  return look;
}

void PageStyle::AppendFont(std::string& out, int font) const {
  if (font < 0 || static_cast<size_t>(font) >= names_.size()) {
    out.append(settings_.fontname);
  } else {
    out.append(names_[static_cast<size_t>(font)]);
  }
}

void PageStyle::AppendSize(std::string& out, int size) const {
  if (size == 0) {
    out.append(settings_.fontsize);
  } else {
    AppendNumber(out, size);
  }
  out.append("pt");
}

void PageStyle::AppendColourOf(std::string& out, model::Colour colour) const {
  if (colour == model::kNoColour) {
    out.append(settings_.textcolor);
  } else {
    AppendColour(out, colour);
  }
}

}  // namespace tessarine
