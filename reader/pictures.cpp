#include "reader/pictures.h"

#include <algorithm>

#include "reader/tokens.h"

namespace tessarine::reader {

namespace {

// `size` scaled by `percent`, within what an int32_t holds; 0 for sizes that are no size.
int32_t Scaled(int64_t size, int32_t percent) {
  if (size <= 0) return 0;
  const int64_t scaled = percent > 0 ? size * percent / 100 : size;
  return static_cast<int32_t>(std::min<int64_t>(scaled, INT32_MAX));
}

}  // namespace

void PictureBuilder::Begin() {
  *this = PictureBuilder{};
}

void PictureBuilder::SetBitmapLayout(int32_t bits_per_pixel, int32_t planes, int32_t width_bytes) {
  if (bits_per_pixel >= 0) picture_.bits_per_pixel = bits_per_pixel;
  if (planes >= 0) picture_.planes = planes;
  if (width_bytes >= 0) picture_.width_bytes = width_bytes;
}

void PictureBuilder::AppendHex(std::string_view text) {
  std::string& data = picture_.data;
  for (char c : text) {
    const uint8_t value = kHexValues[static_cast<unsigned char>(c)];
    if (value == kNotHex) continue;
    if (high_nibble_ < 0) {
      high_nibble_ = value;
    } else {
      data.push_back(static_cast<char>(high_nibble_ * 16 + value));
      high_nibble_ = -1;
    }
  }
}

void PictureBuilder::AppendBinary(std::string_view bytes) {
  picture_.data.append(bytes);
}

model::Picture PictureBuilder::Finish() {
  const bool metafile =
      picture_.format == model::PictureFormat::kWmf || picture_.format == model::PictureFormat::kEmf;
  // Without goals: metafiles give their size in hundredths of a millimetre, bitmaps in pixels.
  auto natural = [metafile](int32_t size) -> int64_t {
    return metafile ? int64_t{size} * 1440 / 2540 : int64_t{size} * 15;
  };
  picture_.width_twips = Scaled(goal_width_ > 0 ? goal_width_ : natural(width_), scale_x_);
  picture_.height_twips = Scaled(goal_height_ > 0 ? goal_height_ : natural(height_), scale_y_);
  picture_.picture_width = width_;
  picture_.picture_height = height_;
  model::Picture picture = std::move(picture_);
  Begin();
  return picture;
}

}  // namespace tessarine::reader
