#include "model_page/pictures.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model_page/text_encoding.h"
#include "pictures/draw_picture.h"

namespace tessarine {

namespace {

constexpr int64_t kTwipsPerPixel = 15;
constexpr int64_t kLargestSide = 20000;  // pixels; larger sizes are held here
constexpr int64_t kUnknownBoxSide = 48;  // the box of a picture of unknown size

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);

uint32_t BigEndian(std::string_view data, size_t at, size_t bytes) {
  uint32_t value = 0;
  for (size_t i = 0; i < bytes; ++i) value = (value << 8) | static_cast<unsigned char>(data[at + i]);
  return value;
}

bool StartsAsItsFormat(const model::Picture& picture) {
  std::string_view data = picture.data;
  if (picture.format == model::PictureFormat::kPng) return data.substr(0, 8) == kPngSignature;
  if (picture.format == model::PictureFormat::kJpeg)
    return data.substr(0, 3) == std::string_view("\xFF\xD8\xFF", 3);
  return false;
}

PixelSize JpegSize(std::string_view data) {
  size_t at = 2;  // after the start-of-image marker
  while (at + 4 <= data.size()) {
    if (static_cast<unsigned char>(data[at]) != 0xFF) return {};
    unsigned char marker = static_cast<unsigned char>(data[at + 1]);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
      at += 2;
      continue;
    }
    const uint32_t length = BigEndian(data, at + 2, 2);
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > data.size()) return {};
      return {BigEndian(data, at + 7, 2), BigEndian(data, at + 5, 2)};
    }
    if (length < 2) return {};
    at += 2 + length;
  }
  return {};
}

int64_t Clamp(int64_t pixels) {
  return pixels > kLargestSide ? kLargestSide : pixels;
}

int64_t TwipsToPixels(int32_t twips) {
  if (twips <= 0) return 0;
  int64_t pixels = (static_cast<int64_t>(twips) + kTwipsPerPixel / 2) / kTwipsPerPixel;
  return pixels < 1 ? 1 : Clamp(pixels);
}

void AppendSizeAttributes(std::string& out, const PixelSize& size) {
  if (size.width > 0) {
    out.append(" width=");
    AppendNumber(out, size.width);
  }
  if (size.height > 0) {
    out.append(" height=");
    AppendNumber(out, size.height);
  }
}

std::string_view FormatName(model::PictureFormat format) {
  switch (format) {
    case model::PictureFormat::kPng:
      return "PNG";
    case model::PictureFormat::kJpeg:
      return "JPEG";
    case model::PictureFormat::kWmf:
      return "WMF";
    case model::PictureFormat::kEmf:
      return "EMF";
    case model::PictureFormat::kDib:
    case model::PictureFormat::kDdb:
      return "BMP";
    default:
      return {};
  }
}

void AppendBox(std::string& out, const model::Picture& picture) {
  int64_t width = TwipsToPixels(picture.width_twips);
  int64_t height = TwipsToPixels(picture.height_twips);
  if (width == 0) width = height == 0 ? kUnknownBoxSide : height;
  if (height == 0) height = width;
  out.append("<span style=\"display:inline-block;width:");
  AppendNumber(out, width);
  out.append("px;height:");
  AppendNumber(out, height);
  out.append("px;border:1px solid #808080\" title=\"");
  std::string_view name = FormatName(picture.format);
  if (picture.format == model::PictureFormat::kPng || picture.format == model::PictureFormat::kJpeg) {
    AppendHtmlText(out, "Рисунок повреждён и не может быть показан", Escape::kAttribute);
  } else if (!name.empty()) {
    AppendHtmlText(out, "Рисунок в формате ", Escape::kAttribute);
    out.append(name);
    AppendHtmlText(out, " не может быть показан", Escape::kAttribute);
  } else {
    AppendHtmlText(out, "Рисунок в этом формате не может быть показан", Escape::kAttribute);
  }
  out.append("\"></span>");
}

}  // namespace

PixelSize ImageHeaderSize(model::PictureFormat format, std::string_view data) {
  if (format == model::PictureFormat::kPng) {
    // Signature, the IHDR chunk's length and type, then width and height.
    if (data.size() < 24 || data.substr(0, 8) != kPngSignature || data.substr(12, 4) != "IHDR") return {};
    return {BigEndian(data, 16, 4), BigEndian(data, 20, 4)};
  }
  if (format == model::PictureFormat::kJpeg) {
    if (data.size() < 4 || data.substr(0, 2) != std::string_view("\xFF\xD8", 2)) return {};
    return JpegSize(data);
  }
  return {};
}

PixelSize DrawnPictureSize(const model::Picture& picture) {
  PixelSize size{TwipsToPixels(picture.width_twips), TwipsToPixels(picture.height_twips)};
  if (size.width == 0 || size.height == 0) {
    const bool metafile =
        picture.format == model::PictureFormat::kWmf || picture.format == model::PictureFormat::kEmf;
    auto own = [metafile](int32_t value) -> int64_t {
      if (value <= 0) return 0;
      return metafile ? std::max<int64_t>(1, int64_t{value} * 96 / 2540) : value;
    };
    if (size.width == 0) size.width = own(picture.picture_width);
    if (size.height == 0) size.height = own(picture.picture_height);
  }
  if (size.width <= 0 || size.height <= 0) return {};
  double shrink = 1;
  shrink = std::min(shrink, double(pictures::kLargestSide) / double(size.width));
  shrink = std::min(shrink, double(pictures::kLargestSide) / double(size.height));
  shrink =
      std::min(shrink, std::sqrt(double(pictures::kMostPixels) / (double(size.width) * double(size.height))));
  if (shrink < 1) {
    size.width = std::max<int64_t>(1, static_cast<int64_t>(double(size.width) * shrink));
    size.height = std::max<int64_t>(1, static_cast<int64_t>(double(size.height) * shrink));
  }
  return size;
}

std::optional<pictures::Image> DrawnPicture(const model::Picture& picture) {
  pictures::Source source;
  switch (picture.format) {
    case model::PictureFormat::kWmf:
      source = pictures::Source::kWmf;
      break;
    case model::PictureFormat::kEmf:
      source = pictures::Source::kEmf;
      break;
    case model::PictureFormat::kDib:
      source = pictures::Source::kDib;
      break;
    case model::PictureFormat::kDdb:
      source = pictures::Source::kDdb;
      break;
    default:
      return std::nullopt;
  }
  const pictures::BitmapLayout layout{picture.picture_width, picture.picture_height, picture.bits_per_pixel,
                                      picture.planes, picture.width_bytes};
  return pictures::DrawPicture(source, picture.data, layout);
}

namespace {

bool AppendDrawnPicture(std::string& out, const model::Picture& picture) {
  const std::optional<pictures::Image> image = DrawnPicture(picture);
  if (!image) return false;
  out.append("<img src=\"data:");
  out.append(pictures::MimeType(image->type));
  out.append(";base64,");
  AppendBase64(out, image->data);
  out.push_back('"');
  AppendSizeAttributes(out, DrawnPictureSize(picture));
  out.append(" alt=\"\">");
  return true;
}

}  // namespace

bool IsShownFormat(model::PictureFormat format) {
  return format != model::PictureFormat::kOther;
}

void AppendPicture(std::string& out, const model::Picture& picture) {
  if (AppendDrawnPicture(out, picture)) return;
  if (!StartsAsItsFormat(picture)) {
    AppendBox(out, picture);
    return;
  }
  PixelSize size{TwipsToPixels(picture.width_twips), TwipsToPixels(picture.height_twips)};
  if (size.width == 0 || size.height == 0) {
    PixelSize header = ImageHeaderSize(picture.format, picture.data);
    if (header.width > 0 && header.height > 0) {
      // One side given: the other keeps the picture's proportions.
      if (size.width > 0) {
        size.height = Clamp(size.width * header.height / header.width);
      } else if (size.height > 0) {
        size.width = Clamp(size.height * header.width / header.height);
      } else {
        size = {Clamp(header.width), Clamp(header.height)};
      }
    }
  }
  out.append(picture.format == model::PictureFormat::kPng ? "<img src=\"data:image/png;base64,"
                                                          : "<img src=\"data:image/jpeg;base64,");
  AppendBase64(out, picture.data);
  out.push_back('"');
  AppendSizeAttributes(out, size);
  out.append(" alt=\"\">");
}

}  // namespace tessarine
