// The structured RTF reader: any RTF document into the document model (model/document.h), read
// as the format's grammar says: groups, destinations, formatting state, fields, notes, lists,
// tables, pictures and the code pages of fonts.
#pragma once

#include <string_view>

#include "model/document.h"

namespace tessarine {

// Reads `rtf` (any bytes: an RTF document as read from its file) into the document model.
// Never fails: unbalanced braces, truncation and garbage give less content. Linear time.
model::Document ReadRtfDocument(std::string_view rtf);

}  // namespace tessarine
