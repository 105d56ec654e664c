// Pictures in the page itself as "data:" URIs, so the page stays one file: PNG and JPEG as they
// are, Windows metafiles drawn into SVG and Windows bitmaps as BMP (pictures/); any other
// picture, and one that cannot be drawn, as an empty box of its size whose title says so.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/base64.h"
#include "model/document.h"
#include "pictures/draw_picture.h"

namespace tessarine {

// A picture's size in pixels; 0 where unknown.
struct PixelSize {
  int64_t width = 0;
  int64_t height = 0;
};

// The size a PNG or JPEG file gives in its header; {0, 0} when `data` is neither or is cut
// short. Reads only the header (JPEG: the markers up to the first frame).
PixelSize ImageHeaderSize(model::PictureFormat format, std::string_view data);

// True for the formats a page shows: PNG, JPEG, WMF, EMF, DIB and DDB.
bool IsShownFormat(model::PictureFormat format);

// The image a metafile or bitmap picture draws (pictures/draw_picture.h); nothing for other
// formats and for a picture that does not draw.
std::optional<pictures::Image> DrawnPicture(const model::Picture& picture);

// The size a drawn picture is shown at: the document's (twips / 15), else the picture's own
// ("\picw", "\pich"), made smaller in proportion to stay within the drawing limits; {0, 0}
// when unknown.
PixelSize DrawnPictureSize(const model::Picture& picture);

// Appends the <img> of a picture: PNG or JPEG data that starts as its format does, or a
// metafile or bitmap that draws, with width and height from the document (twips / 15) or else
// from the picture itself; a drawn picture is shown no larger than 10,000 pixels a side and
// 12.5 million pixels in all, keeping its proportions. Any other picture (unknown, broken, or
// data that is not what its format says) becomes the empty box, 48 pixels square when its size
// is unknown.
void AppendPicture(std::string& out, const model::Picture& picture);

}  // namespace tessarine
