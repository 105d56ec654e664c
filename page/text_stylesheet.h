// The stylesheet of a page made from plain text.
#pragma once

#include <string>

#include "settings/settings.h"

namespace tessarine {

// Appends the paragraph rule (font size, font style, colour, family, alignment, left margin,
// first-line indent), the background picture rule when `bgimage` is set, and the end of the head
// with the body tag and its background colour. Every line ends with CR LF; settings are inserted
// as they are.
void AppendTextStylesheet(std::string& out, const Settings& settings);

}  // namespace tessarine
