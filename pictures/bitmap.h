// Windows bitmaps as BMP files: a DIB gains the file header in front of it, a DDB a header
// that describes its rows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "pictures/draw_picture.h"

namespace tessarine::pictures {

// The BMP file of a DIB (BITMAPCOREHEADER, BITMAPINFOHEADER or a later header, its colour table
// and bits). Nothing when the header is not one of these, the sizes exceed the limits, the bits
// are a JPEG or PNG, or an uncompressed bitmap's bits are cut short.
std::optional<std::string> BmpOfDib(std::string_view dib);

// The size in pixels a DIB's header gives ({0, 0} for no DIB header).
struct BitmapSize {
  double width = 0, height = 0;
};
BitmapSize DibSize(std::string_view dib);

// The BMP file of a DDB's rows (top row first) laid out as `layout` says: one plane of 1 bit
// (black and white), 24 or 32 bits a pixel. Nothing for other layouts, rows cut short, or sizes
// beyond the limits.
std::optional<std::string> BmpOfDdb(std::string_view bits, const BitmapLayout& layout);

}  // namespace tessarine::pictures
