// A picture being read ("{\pict ...}"): its format, sizes and data, from hex digits or "\bin".
#pragma once

#include <cstdint>
#include <string_view>

#include "model/document.h"

namespace tessarine::reader {

class PictureBuilder {
 public:
  // Starts a new picture, forgetting the last one.
  void Begin();
  void SetFormat(model::PictureFormat format) { picture_.format = format; }
  // "\picw", "\pich", "\picwgoal", "\pichgoal", "\picscalex", "\picscaley".
  void SetWidth(int32_t value) { width_ = value; }
  void SetHeight(int32_t value) { height_ = value; }
  void SetGoalWidth(int32_t value) { goal_width_ = value; }
  void SetGoalHeight(int32_t value) { goal_height_ = value; }
  void SetScaleX(int32_t percent) { scale_x_ = percent; }
  void SetScaleY(int32_t percent) { scale_y_ = percent; }
  // "\wbmbitspixel", "\wbmplanes", "\wbmwidthbytes" of a DDB; a negative value changes nothing.
  void SetBitmapLayout(int32_t bits_per_pixel, int32_t planes, int32_t width_bytes);
  // Appends the bytes of the hex digits in `text` (pairs, other characters ignored; a digit
  // left over waits for the next call).
  void AppendHex(std::string_view text);
  // Appends "\bin" data as it is.
  void AppendBinary(std::string_view bytes);
  // The picture with its size in twips (reader: model::Picture). The builder is left empty.
  model::Picture Finish();

 private:
  model::Picture picture_;
  int high_nibble_ = -1;  // a hex digit waiting for its pair
  int32_t width_ = 0, height_ = 0, goal_width_ = 0, goal_height_ = 0, scale_x_ = 100, scale_y_ = 100;
};

}  // namespace tessarine::reader
