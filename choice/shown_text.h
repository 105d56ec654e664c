// What a reader sees of a document, item by item: the characters of its words with their
// formatting, and the breaks and marks between them. The reader of the passes' pages
// (page_reader.h) and the walk of the document model (document_items.h) both give their text
// in these terms, so that the two can be compared as they come.
#pragma once

#include <cstdint>

#include "model/document.h"

namespace tessarine {

// Properties that a page's own look sets: its links' colour, weight and underline and its
// notes' size, taken from the settings whatever the document says.
enum LookBit : uint8_t { kLookBold = 1, kLookSize = 2, kLookColour = 4 };

// A character's formatting as a browser computes it.
struct ShownFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;       // drawn for the document's formatting
  bool link_underline = false;  // drawn by a link of the page's own look
  bool strike = false;
  model::Baseline baseline = model::Baseline::kNormal;
  model::Alignment alignment = model::Alignment::kLeft;  // of the block the character is in
  float points = 12;
  uint32_t colour = 0;  // 0xRRGGBB
  int32_t font = -1;    // a FontNames id (font_names.h); -1: the browser's own default font
  uint8_t look = 0;     // LookBit: which of the above the page's own look set
  uint32_t id = 0;      // formats of one id are equal (0: no id)
};

enum class ShownItem : uint8_t {
  kCharacter,   // a word character (word_chars.h)
  kSpace,       // a character of no word: a space, punctuation, a tab
  kLineStart,   // the text goes on on a new line: a paragraph, a line break, a heading
  kTableStart,  // a table with its cells, not a layout of columns
  kRowStart,
  kCellStart,
  kTableEnd,
  kLinkStart,  // with its target: "#name" for a place in the document
  kLinkEnd,
  kNoteMark,   // a note's mark in the text
  kNoteStart,  // the text of the next note begins (notes follow the body, in their marks' order)
  kPicture,    // a picture a page shows
  kEnd,
};

}  // namespace tessarine
