// What every RTF group carries: the character and paragraph formatting in effect and where its
// text goes. Copied when a group opens and dropped when it closes, so it holds no strings.
#pragma once

#include <array>
#include <cstdint>

#include "model/document.h"
#include "reader/code_pages.h"

namespace tessarine::reader {

// Where the text of a group goes.
enum class Destination : uint8_t {
  kText,               // the current flow: the body, a note, a table cell, a text box
  kNone,               // nowhere ("\info", "\shpinst", "\object", "\upr"); control words still count
  kFontTable,          // font names
  kColourTable,        // only its ";" count
  kStyleSheet,         // style names
  kListTable,          // list definitions ("\listtable", "\listoverridetable")
  kLevelText,          // a list level's marker pattern
  kTitle,              // "\title" of "\info"
  kAuthor,             // "\author" of "\info"
  kFieldInstruction,   // "\fldinst" of the field `field`
  kBookmarkName,       // "\bkmkstart"
  kCommentId,          // "\atnid"
  kCommentAuthor,      // "\atnauthor"
  kPicture,            // "\pict": hex digits of the picture's data
  kShapePropertyName,  // "\sn" of a shape property
  kShapeValue,         // "\sv" of the page background's fill colour
  kHtmlTag,            // "\htmltag" of encapsulated HTML
};

// The paragraph formatting words of a group ("\pard" gives the defaults).
struct ParagraphProps {
  enum Given : uint16_t {
    kGivenAlignment = 1 << 0,
    kGivenLeft = 1 << 1,
    kGivenRight = 1 << 2,
    kGivenFirstLine = 1 << 3,
    kGivenBefore = 1 << 4,
    kGivenAfter = 1 << 5,
    kGivenHeading = 1 << 6,
    kGivenList = 1 << 7,
    kGivenListLevel = 1 << 8,
    kGivenLineSpacing = 1 << 9,
    kGivenBorders = 1 << 10,
    kGivenShading = 1 << 11,
    kGivenTabs = 1 << 12,
  };
  static constexpr size_t kMostTabs = 32;  // tab stops a paragraph keeps; further ones are left out
  model::Alignment alignment = model::Alignment::kLeft;
  bool in_table = false;    // "\intbl"
  int8_t heading = 0;       // as model::ParagraphFormat::heading
  int8_t list_level = 0;    // "\ilvl", 0 to 8
  int16_t table_depth = 0;  // "\itap"
  int32_t left = 0;         // twips, as model::ParagraphFormat
  int32_t right = 0;
  int32_t first_line = 0;
  int32_t before = 0;
  int32_t after = 0;
  int32_t list = -1;           // "\ls"; -1: no list item
  int32_t style = 0;           // "\s"
  int32_t line = 0;            // "\sl", as model::ParagraphFormat::line_twips
  bool line_multiple = false;  // "\slmult1"
  uint8_t tab_count = 0;
  int16_t shading = 0;                            // "\shading": hundredths of a percent of the pattern
  model::Colour pattern = model::kNoColour;       // "\cfpat": the shading's colour
  model::Colour pattern_back = model::kNoColour;  // "\cbpat": the colour under the shading
  model::Borders borders;
  // "\tx" in the order given, the first tab_count of them, in twips within +-22 inches.
  std::array<int16_t, kMostTabs> tabs{};
  // Which of the above the paragraph's own words gave since "\pard" (kGiven... bits): a style
  // ("\sN") supplies the others.
  uint16_t given = 0;

  // How deep in tables the paragraph is: 0 outside tables, 1 in a table, 2 in a table in a cell...
  int TableDepth() const { return table_depth > 0 ? table_depth : in_table ? 1 : 0; }
};

// The fields of model::CharFormat as bits: which of them formatting words gave.
enum CharWords : uint16_t {
  kWordBold = 1 << 0,
  kWordItalic = 1 << 1,
  kWordUnderline = 1 << 2,
  kWordStrike = 1 << 3,
  kWordCaps = 1 << 4,
  kWordSmallCaps = 1 << 5,
  kWordBaseline = 1 << 6,
  kWordFont = 1 << 7,
  kWordSize = 1 << 8,
  kWordColour = 1 << 9,
  kWordBackground = 1 << 10,
};

struct GroupState {
  model::CharFormat chars;
  uint16_t char_words = 0;  // CharWords: the fields of `chars` words gave since "\plain"
  ParagraphProps paragraph;
  int32_t page = kDocumentPage;  // the code page of the font in effect (reader/code_pages.h)
  int32_t field = -1;            // kFieldInstruction: the field (reader/fields.h) it belongs to
  int32_t style_entry = -1;      // kStyleSheet: the number of the style being defined
  Destination destination = Destination::kText;
  Destination resumed = Destination::kText;  // where "\ud", "\result" and "\shprslt" send text back
  uint8_t unicode_skip = 1;                  // "\uc": fallback characters after each "\u"
  bool chars_given = false;      // a character formatting word came since "\plain": styles keep off
  bool hidden = false;           // "\v": the text is left out
  bool deleted = false;          // "\deleted": a deleted revision, left out
  bool html_rtf = false;         // "\htmlrtf": text only of the RTF reading, not of the encapsulated HTML
  bool ignorable = false;        // "\*" came first: an unknown destination word skips the group
  bool character_style = false;  // kStyleSheet: the style being defined is a "\cs" style
  bool in_marker = false;        // in "\listtext" or "\pntext": the text is the item's marker
  bool nested_row = false;       // "\nesttableprops": row definitions are of a nested table

  // True when text of this group is shown: in the current flow, neither hidden nor deleted.
  bool ShowsText() const { return destination == Destination::kText && !hidden && !deleted; }
};

}  // namespace tessarine::reader
