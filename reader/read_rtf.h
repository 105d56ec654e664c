// The structured RTF reader: any RTF document into the document model (model/document.h), read
// as the format's grammar says: groups, destinations, formatting state, fields, notes, lists,
// tables, pictures and the code pages of fonts.
#pragma once

#include <string_view>

#include "model/document.h"
#include "reader/body_handoff.h"

namespace tessarine {

// Reads `rtf` (any bytes: an RTF document as read from its file) into the document model.
// Never fails: unbalanced braces, truncation and garbage give less content. Linear time.
model::Document ReadRtfDocument(std::string_view rtf);

// The same, offering the body's blocks to `handoff` while the document is read
// (reader/body_handoff.h); the document returned holds what it left.
model::Document ReadRtfDocument(std::string_view rtf, reader::BodyHandoff& handoff);

}  // namespace tessarine
