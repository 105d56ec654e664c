#include "reader/pictures.h"

#include <algorithm>
#include <array>

namespace tessarine::reader {

namespace {

// Hex digit -> value; 0xFF for other bytes.
constexpr std::array<uint8_t, 256> kHexValue = [] {
  std::array<uint8_t, 256> values{};
  values.fill(0xFF);
  for (int c = '0'; c <= '9'; ++c) values[c] = static_cast<uint8_t>(c - '0');
  for (int c = 'a'; c <= 'f'; ++c) values[c] = values[c - 'a' + 'A'] = static_cast<uint8_t>(c - 'a' + 10);
  return values;
}();

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

void PictureBuilder::AppendHex(std::string_view text) {
  std::string& data = picture_.data;
  for (char c : text) {
    const uint8_t value = kHexValue[static_cast<unsigned char>(c)];
    if (value == 0xFF) continue;
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
  model::Picture picture = std::move(picture_);
  Begin();
  return picture;
}

}  // namespace tessarine::reader
