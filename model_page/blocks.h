// Blocks in the page: paragraphs, tables (nested tables inside their cells) and, in the body,
// sections whose columns become a borderless table.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "model/document.h"
#include "model_page/page_context.h"
#include "page/progress.h"

namespace tessarine {

// Where blocks stand: the stylesheet gives paragraphs in cells other margins and no indent, and
// notes have their own size.
enum class Place : uint8_t { kBody, kCell, kNote };

struct BlockPlace {
  Place place = Place::kBody;
  int table_depth = 0;  // tables around the blocks: 0 in the body and in notes
};

// Appends `blocks`. A table deeper than model::kMaxTableDepth is left out; section breaks count
// only in the body (WriteBody).
void WriteBlocks(PageContext& context, std::string& out, std::span<const model::Block> blocks,
                 BlockPlace place);

// Appends the body: its sections, those with more than one column laid out as columns.
// Moves `progress` from 0 to 25 as `out` grows towards `expected_size`.
void WriteBody(PageContext& context, std::string& out, Progress& progress, size_t expected_size);

// The length of the text of `blocks`: bytes of UTF-8 text and list markers, 1 for each tab, note
// mark and picture, tables deeper than model::kMaxTableDepth left out. 0 when nothing shows.
size_t TextLength(std::span<const model::Block> blocks, int table_depth = 0);

}  // namespace tessarine
