// What every RTF group carries: the character and paragraph formatting in effect and where its
// text goes. Copied when a group opens and dropped when it closes, so it holds no strings.
#pragma once

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
  };
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
  int32_t list = -1;  // "\ls"; -1: no list item
  int32_t style = 0;  // "\s"
  // Which of the above the paragraph's own words gave since "\pard" (kGiven... bits): a style
  // ("\sN") supplies the others.
  uint16_t given = 0;

  // How deep in tables the paragraph is: 0 outside tables, 1 in a table, 2 in a table in a cell...
  int TableDepth() const { return table_depth > 0 ? table_depth : in_table ? 1 : 0; }
};

struct GroupState {
  model::CharFormat chars;
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
