// The document model: what the structured RTF reader makes of a document, and everything the
// page writer and the window's RTF pane know of it. The reader fills it; everyone else only reads
// it. This header is the contract between them.
//
// A Document is a tree of a fixed set of kinds:
//   Document ─ body: Blocks, notes: Notes (each with Blocks), pictures, fonts, info
//   Block    ─ a Paragraph (format + Inlines), a Table (Rows of Cells, each Cell with Blocks),
//              or a SectionBreak
//   Inline   ─ text, tab, line break, note mark, link start and end, bookmark, picture
// Tables nest through their cells, at most kMaxTableDepth deep: the reader puts the cells of
// deeper tables into the innermost table it keeps, so every walk of the tree is bounded.
//
// All text is UTF-8 (Unicode), whatever the code pages of the document. Lengths are in twips
// (1/20 of a point, 1/1440 of an inch) as RTF gives them; font sizes in half points.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace tessarine::model {

// How deep tables nest: a table inside a cell of a table is depth 2.
inline constexpr int kMaxTableDepth = 16;

// An RGB colour 0xRRGGBB, or kNoColour for the automatic colour (the reader's "\cf0" and
// colours missing from the colour table).
using Colour = uint32_t;
inline constexpr Colour kNoColour = 0xFFFFFFFFu;

enum class Alignment : uint8_t { kLeft, kCenter, kRight, kJustify };

enum class Baseline : uint8_t { kNormal, kSuperscript, kSubscript };

enum class BorderStyle : uint8_t { kNone, kSolid, kDouble, kDotted, kDashed };

// One side of a paragraph's or a cell's border ("\brdrs", "\brdrdb", "\brdrdot", "\brdrdash" ...;
// kinds the model does not name are kSolid).
struct Border {
  BorderStyle style = BorderStyle::kNone;
  int32_t width_twips = 0;    // "\brdrw"; 0: the thinnest line
  int32_t space_twips = 0;    // "\brsp": between the border and the text
  Colour colour = kNoColour;  // "\brdrcf"; kNoColour: the text's colour

  bool operator==(const Border&) const = default;
};

struct Borders {
  Border top, left, bottom, right;

  bool operator==(const Borders&) const = default;
};

// The formatting of a stretch of characters. Hidden text ("\v") and deleted revisions never
// reach the model, so there is no field for them.
struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;                 // any "\ul..." kind but "\ulnone"
  bool strike = false;                    // "\strike" and "\striked"
  bool caps = false;                      // "\caps": shown in capitals; the text stays as written
  bool small_caps = false;                // "\scaps"
  Baseline baseline = Baseline::kNormal;  // "\super", "\sub", "\up", "\dn"
  int32_t font = -1;                      // index into Document::fonts; -1: none given
  int32_t half_points = 0;                // "\fs"; 0: not given, which RTF reads as 12 pt
  Colour colour = kNoColour;              // "\cf"
  Colour background = kNoColour;          // "\highlight", "\cb", "\chcbpat"

  bool operator==(const CharFormat&) const = default;
};

enum class InlineKind : uint8_t {
  kText,       // `text`: characters in `format` (never empty; no control characters)
  kTab,        // "\tab", in `format`
  kLineBreak,  // "\line" (and a line break that ends no paragraph)
  kNoteMark,   // `index`: the note in Document::notes anchored here (footnote, endnote, comment)
  kLinkStart,  // `text`: the link's target as written ("http://..." or, with `local`, a bookmark)
  kLinkEnd,    // closes the last kLinkStart of the paragraph; links do not nest
  kBookmark,   // `text`: a bookmark's name; an anchor stands here ("\bkmkstart")
  kPicture,    // `index`: the picture in Document::pictures shown here
};

// One item of a paragraph. The reader joins adjacent kText items of equal format.
struct Inline {
  InlineKind kind = InlineKind::kText;
  bool local = false;  // kLinkStart: the target is a bookmark of this document ("\l")
  uint32_t index = 0;  // kNoteMark, kPicture
  CharFormat format;   // kText, kTab
  std::string text;    // kText, kLinkStart, kBookmark
};

// How a paragraph's box looks.
struct ParagraphLook {
  // Line spacing ("\sl", "\slmult"): 0 for single lines; with `line_multiple`, `line_twips` / 240
  // lines (360: one and a half); otherwise at least `line_twips` (> 0) or exactly -`line_twips`
  // (< 0) twips from one line to the next.
  int32_t line_twips = 0;
  bool line_multiple = false;
  Borders borders;                // "\brdrt", "\brdrl", "\brdrb", "\brdrr", "\box"
  Colour background = kNoColour;  // "\cbpat", "\cfpat" and "\shading" mixed into one colour
  // Tab stops ("\tx"), in twips from the left margin, ascending; past the last one the
  // document's default stops (Document::default_tab_twips) go on.
  std::vector<int32_t> tab_stops;

  bool operator==(const ParagraphLook&) const = default;
};

struct ParagraphFormat {
  Alignment alignment = Alignment::kLeft;
  int32_t left_twips = 0;          // "\li" (and "\lin")
  int32_t right_twips = 0;         // "\ri" (and "\rin")
  int32_t first_line_twips = 0;    // "\fi"; negative for a hanging first line
  int32_t space_before_twips = 0;  // "\sb"
  int32_t space_after_twips = 0;   // "\sa"
  // 1 to 6 for a heading (outline level 0 to 5 of the paragraph or of its style, or a style
  // named as a heading, "heading 2" or "Заголовок 2"); 0 for body text.
  int heading = 0;
  // List membership: `list` is the list ("\ls"; 0 for an item of the older kind that names no
  // list, "\pntext" alone), -1 when the paragraph is no list item; `list_level` the level
  // ("\ilvl", 0 to 8). `list_marker` is the item's marker as shown: the writer's own text
  // ("\listtext", "\pntext") without the tabs and spaces around it,
  // or, without one, the number made from the list table ("3.", "b)", "iv.", "•"). Empty when
  // the item shows no marker.
  int32_t list = -1;
  int list_level = 0;
  std::string list_marker;
  // The marker's formatting: that of the writer's marker text, or, for a marker made from the
  // list table, the paragraph's first run with the list level's own formatting words over it.
  CharFormat marker_format;
  // The look of its box (borders, shading, line spacing, tab stops): an index into
  // Document::looks, where paragraphs that look alike share one entry. 0: the plain look.
  uint32_t look = 0;
};

struct Paragraph {
  ParagraphFormat format;
  std::vector<Inline> inlines;  // may be empty (an empty line)
};

struct Block;

enum class VerticalAlignment : uint8_t { kTop, kCenter, kBottom };

enum class Merge : uint8_t {
  kNone,
  kFirst,     // the first cell of a merged range ("\clmgf", "\clvmgf")
  kContinue,  // merged into the cell before it ("\clmrg") or above it ("\clvmrg")
};

struct Cell {
  std::vector<Block> blocks;  // the cell's paragraphs and nested tables
  int32_t right_twips = 0;    // the cell's right boundary ("\cellx"), from the same origin in every row
  Merge horizontal = Merge::kNone;
  Merge vertical = Merge::kNone;
  Colour background = kNoColour;  // "\clcbpat", "\clcfpat" and "\clshdng" mixed into one colour
  // "\clbrdrt", "\clbrdrl", "\clbrdrb", "\clbrdrr"; `own_borders`: the definition gave any of
  // them (a cell without one shows the table's own grid).
  Borders borders;
  bool own_borders = false;
  VerticalAlignment vertical_alignment = VerticalAlignment::kTop;  // "\clvertalt", "c", "b"
};

struct Row {
  std::vector<Cell> cells;  // merged cells included, so boundaries line up with other rows
  int32_t left_twips = 0;   // "\trleft": where the first cell starts
};

struct Table {
  std::vector<Row> rows;
};

// Starts a section: the blocks after it, up to the next SectionBreak, are one section of the
// document. The reader writes one after every "\sect" and, when the first section has columns,
// one at the start of the body.
struct SectionBreak {
  int columns = 1;  // "\cols": how many columns the section that starts here has
};

struct Block {
  std::variant<Paragraph, Table, SectionBreak> content;
};

enum class NoteKind : uint8_t { kFootnote, kEndnote, kComment };

struct Note {
  NoteKind kind = NoteKind::kFootnote;
  std::vector<Block> blocks;  // the note's text, without its own mark ("\chftn")
  std::string author;         // comments: "\atnauthor", or "\atnid" when no author is given
};

// kDib: "\\dibitmap"; kDdb: "\\wbitmap"; kOther: formats no page shows (PICT, OS/2 metafiles).
enum class PictureFormat : uint8_t { kPng, kJpeg, kWmf, kEmf, kOther, kDib, kDdb };

struct Picture {
  PictureFormat format = PictureFormat::kOther;
  std::string data;  // the picture's bytes (decoded from hex or taken from "\bin")
  // The size the document shows it at: "\picwgoal" and "\pichgoal" scaled by "\picscalex" and
  // "\picscaley" (percent); without goals, "\picw" and "\pich" converted to twips. 0: unknown.
  int32_t width_twips = 0;
  int32_t height_twips = 0;
  // "\picw" and "\pich" as given: pixels for bitmaps, hundredths of a millimetre for metafiles.
  int32_t picture_width = 0;
  int32_t picture_height = 0;
  // How a DDB's rows are laid out: "\wbmbitspixel", "\wbmplanes", "\wbmwidthbytes".
  int32_t bits_per_pixel = 1;
  int32_t planes = 1;
  int32_t width_bytes = 0;
};

struct Info {
  std::string title;   // "{\info{\title ...}}"
  std::string author;  // "{\info{\author ...}}"
};

struct Document {
  Info info;
  std::vector<std::string> fonts;  // font names, indexed by CharFormat::font
  std::vector<Block> body;
  std::vector<Note> notes;
  std::vector<Picture> pictures;
  // The looks of paragraph boxes (ParagraphFormat::look), each once; the first is the plain look.
  std::vector<ParagraphLook> looks = std::vector<ParagraphLook>(1);
  Colour background = kNoColour;    // the page's colour ("\*\background", its shape's "fillColor")
  int32_t default_tab_twips = 720;  // "\deftab": the distance of the default tab stops
  // Outlook's encapsulated HTML ("\fromhtml1"): the original HTML, put back together from the
  // "\htmltag" groups and the text outside "\htmlrtf" ... "\htmlrtf0". The blocks hold the
  // RTF reading of the same document as for any other.
  bool from_html = false;
  std::string html;
};

// The look of `format`'s box; nullptr when its index is out of range (take the plain look).
inline const ParagraphLook* FindLook(const Document& document, const ParagraphFormat& format) {
  return format.look < document.looks.size() ? &document.looks[format.look] : nullptr;
}

}  // namespace tessarine::model
