// Drawing the pictures a browser cannot show as they are (Windows metafiles and bitmaps) into
// images it can: SVG for metafiles, BMP for bitmaps. The one door to the picture decoders; the
// converters use nothing else of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessarine::pictures {

enum class Source : uint8_t {
  kWmf,  // a Windows metafile without its placeable header, as "\wmetafile" holds it
  kEmf,  // an enhanced metafile ("\emfblip"), EMF+ records included
  kDib,  // a device-independent bitmap: BITMAPINFO and bits ("\dibitmap")
  kDdb,  // a device-dependent bitmap: bare rows of bits ("\wbitmap"), laid out by BitmapLayout
};

// What "\picw", "\pich", "\wbmbitspixel", "\wbmplanes" and "\wbmwidthbytes" say of a DDB.
struct BitmapLayout {
  int32_t width = 0;   // pixels
  int32_t height = 0;  // pixels
  int32_t bits_per_pixel = 1;
  int32_t planes = 1;
  int32_t width_bytes = 0;  // bytes per row; 0: the least whole number of 16-bit words
};

enum class ImageType : uint8_t { kSvg, kBmp };

struct Image {
  ImageType type = ImageType::kSvg;
  std::string data;
};

// Images are never larger than this, whatever the picture claims: a side of at most
// kLargestSide pixels and at most kMostPixels pixels in all (50 MB at four bytes a pixel).
constexpr int64_t kLargestSide = 10000;
constexpr int64_t kMostPixels = 50'000'000 / 4;

// Draws `data` as an image a browser shows from <img> without running or loading anything; the
// page gives its size. Nothing when the data is broken, of a kind not drawn, or larger than the
// limits. Never reads outside `data`; time and memory are linear in its size.
std::optional<Image> DrawPicture(Source source, std::string_view data, const BitmapLayout& layout = {});

// "image/svg+xml" or "image/bmp".
std::string_view MimeType(ImageType type);

}  // namespace tessarine::pictures
