// Writes the elements of an SVG image in image coordinates: paths, texts and bitmaps, each with
// its style and the clip rectangle in force; keeps the bounds of what was drawn. Every character
// of text is escaped and every name filtered, so the image holds nothing but drawing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarine::pictures {

struct ShapeStyle {
  bool fill = false;
  uint32_t fill_color = 0;  // COLORREF: 0x00BBGGRR
  bool even_odd = true;
  bool stroke = false;
  uint32_t stroke_color = 0;
  double stroke_width = 0;  // 0: one pixel at any scale
  uint32_t dash = 0;        // the pen style: 1 dash, 2 dot, 3 dash dot, 4 dash dot dot
};

struct TextStyle {
  std::string family;  // filtered to letters, digits, spaces and hyphens
  double size = 12;
  bool bold = false, italic = false, underline = false, strike_out = false;
  uint32_t color = 0;
  int anchor = 0;    // 0 start, 1 middle, 2 end
  double angle = 0;  // degrees, clockwise on the image
};

class SvgWriter {
 public:
  // `budget`: the most bytes of elements written; past it drawing stops (Full).
  explicit SvgWriter(size_t budget) : budget_(budget) {}

  bool Full() const { return body_.size() > budget_; }
  // The clip rectangle for what follows (left, top, right, bottom), or none.
  void SetClip(const double* rect);
  // Widens the bounds of what was drawn by the point.
  void Include(double x, double y);

  // A path of SVG path data (built with AppendNumber).
  void Path(std::string_view data, const ShapeStyle& style);
  // Characters with their start positions: one x for the run, or one for each character.
  void Text(double x, double y, std::u32string_view text, const std::vector<double>& xs,
            const TextStyle& style);
  // A BMP drawn into the rectangle; `source` (x, y, width, height in its pixels) or null: all.
  void Image(double x, double y, double width, double height, std::string_view bmp, const double* source,
             double bmp_width, double bmp_height);

  bool Empty() const { return body_.empty(); }
  // The bounds of what was drawn: left, top, right, bottom; false when nothing was.
  bool Bounds(double out[4]) const;
  // The whole image with the view box (x, y, width, height) given.
  std::string Finish(const double view_box[4]) const;

 private:
  void AppendClip();

  size_t budget_;
  std::string defs_, body_;
  bool bounded_ = false;
  double bounds_[4] = {0, 0, 0, 0};
  int clip_id_ = 0;  // 0: none in force
  int clips_ = 0;
  double last_clip_[4] = {0, 0, 0, 0};  // the rectangle of clip path `clips_`
};

// Appends `value` with at most two decimals (within +-1e7; not-a-number as 0).
void AppendNumber(std::string& out, double value);

// "#rrggbb" of a COLORREF.
void AppendColor(std::string& out, uint32_t colorref);

}  // namespace tessarine::pictures
