// The page's own look, read once from the settings, and the look of a run of text measured
// against it: which font, size and colour a paragraph or span must name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/document.h"
#include "settings/settings.h"

namespace tessarine {

// The font, size and colour of a run as the page shows them. Each field holds its "page"
// value (-1, 0, kNoColour) when the run's equals what the stylesheet already gives.
struct RunLook {
  int font = -1;                            // a canonical font number (PageStyle), -1: the page's font
  int size = 0;                             // points, 0: the page's size
  model::Colour colour = model::kNoColour;  // kNoColour: the page's text colour

  bool operator==(const RunLook&) const = default;
};

class PageStyle {
 public:
  PageStyle(const model::Document& document, const Settings& settings);

  const Settings& settings() const { return settings_; }
  // The settings' margins of a page paragraph, in hundredths of a point.
  int64_t margin_left() const { return margin_left_; }
  int64_t margin_right() const { return margin_right_; }
  // The stylesheet's size of a page paragraph, in points.
  int page_size() const { return page_size_; }

  // The look of `format`: its font as a canonical number (fonts of equal names share one), its
  // size in points (12 when it has none) less the `umrazm` setting but never below 8, its colour.
  RunLook LookOf(const model::CharFormat& format) const;

  // Append the value of a look's field for a style: the font's name, the size with "pt", the
  // colour; the settings' values for the page's.
  void AppendFont(std::string& out, int font) const;
  void AppendSize(std::string& out, int size) const;
  void AppendColourOf(std::string& out, model::Colour colour) const;

 private:
  const Settings& settings_;
  int64_t margin_left_ = 0;
  int64_t margin_right_ = 0;
  int page_size_ = 0;
  int size_reduction_ = 0;
  model::Colour text_colour_ = model::kNoColour;
  std::vector<std::string> names_;  // by font index, code page 1251, safe inside a style
  std::vector<int> canonical_;      // by font index
};

// The value of a settings text: an optional sign and the decimal digits up to the first
// non-digit; no digits give 0. Held within +-1000000.
int64_t SettingValue(std::string_view text);

}  // namespace tessarine
