#include "pictures/draw_picture.h"

#include <algorithm>

#include "pictures/bitmap.h"
#include "pictures/emf.h"
#include "pictures/wmf.h"

namespace tessarine::pictures {

namespace {

// An SVG holds a few times the bytes of the records it draws; past this much it stops.
size_t SvgBudget(size_t data_size) {
  constexpr size_t kMostSvg = size_t{64} << 20;
  return std::min(kMostSvg, data_size / 4 * 64 + (size_t{64} << 10));
}

std::optional<Image> AsImage(ImageType type, std::optional<std::string> data) {
  if (!data) return std::nullopt;
  return Image{type, std::move(*data)};
}

}  // namespace

std::optional<Image> DrawPicture(Source source, std::string_view data, const BitmapLayout& layout) {
  switch (source) {
    case Source::kWmf:
      return AsImage(ImageType::kSvg, WmfToSvg(data, SvgBudget(data.size())));
    case Source::kEmf:
      return AsImage(ImageType::kSvg, EmfToSvg(data, SvgBudget(data.size())));
    case Source::kDib:
      return AsImage(ImageType::kBmp, BmpOfDib(data));
    case Source::kDdb:
      return AsImage(ImageType::kBmp, BmpOfDdb(data, layout));
  }
  return std::nullopt;
}

std::string_view MimeType(ImageType type) {
  return type == ImageType::kSvg ? "image/svg+xml" : "image/bmp";
}

}  // namespace tessarine::pictures
