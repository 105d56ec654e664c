// Enhanced metafiles (EMF): the records played into SVG.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessarine::pictures {

// The SVG image of an EMF, its view box the header's bounds. The GDI records are drawn; EMF+
// records (in comments) are skipped, so a dual file shows its GDI drawing and an EMF+ only one
// nothing. Nothing when the data is no EMF or draws nothing; a record running past the data
// ends the picture. `budget` bounds the SVG's size.
std::optional<std::string> EmfToSvg(std::string_view data, size_t budget);

}  // namespace tessarine::pictures
