// Pictures in the page itself: PNG and JPEG as "data:" URIs, so the page stays one file; any
// other picture as an empty box of its size whose title says it cannot be shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/document.h"

namespace tessarine {

// A picture's size in pixels; 0 where unknown.
struct PixelSize {
  int64_t width = 0;
  int64_t height = 0;
};

// The size a PNG or JPEG file gives in its header; {0, 0} when `data` is neither or is cut
// short. Reads only the header (JPEG: the markers up to the first frame).
PixelSize ImageHeaderSize(model::PictureFormat format, std::string_view data);

// Appends `data` in base64 (RFC 4648, with padding).
void AppendBase64(std::string& out, std::string_view data);

// Appends the <img> of a PNG or JPEG picture whose data starts as its format does, with width
// and height from the document (twips / 15) or else from the picture's header; any other
// picture (WMF, EMF, unknown, or data that is not what its format says) becomes the empty box,
// 48 pixels square when its size is unknown.
void AppendPicture(std::string& out, const model::Picture& picture);

}  // namespace tessarine
