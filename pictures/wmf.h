// Windows metafiles (WMF): the records played into SVG.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessarine::pictures {

// The SVG image of a WMF (with or without its placeable header): the frame is the first window
// the metafile sets (else the placeable header's box, else what it draws). Nothing when the data
// is no WMF or draws nothing. Unknown records are skipped; a record running past the data ends
// the picture. `budget` bounds the SVG's size.
std::optional<std::string> WmfToSvg(std::string_view data, size_t budget);

}  // namespace tessarine::pictures
