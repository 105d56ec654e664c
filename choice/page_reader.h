// Reads this product's RTF pages (the passes' pages) the way a browser shows them: the words,
// in order, with the formatting the browser computes for every character (bold, italic,
// underline, strike, super- and subscript, size in points, colour, font family, the alignment
// of its paragraph), the line starts between paragraphs, tables with their rows and cells,
// links with their targets, note marks and notes' texts, pictures.
//
// It builds the page's element tree as a browser does in quirks mode (the pages' doctype asks
// for it): unclosed b, i, u and link elements carried into the next paragraph, paragraphs closed
// by headings and rules but not by tables, tables taking the size, weight, style, colour and
// alignment of their text afresh (lines under or through the text go on into them). The page's
// head gives the stylesheet (page_stylesheet.h); inline styles and the attributes of p, font, a,
// table and td count as a browser counts them.
//
// It knows only what these pages are made of. Anything else (a tag or attribute they never
// write, text where a table's cells should be, a CSS property it does not know that changes the
// look, a named character reference but the five the pages use, a comment, a closing tag that
// would make the browser rebuild the tree around a paragraph) stops the reading: the page is
// then not known to show what it should.
//
// The notes of the passes are read as what they are: the word before a note's mark is kept in a
// link to the note ("a.sslk") and the mark follows as a bold superscript number, which gives
// kNoteMark; the notes after the body start with an anchor "dsslN" (kNoteStart) and a bold
// number that is no word. The links' colour, weight and underline and the notes' size are the
// page's own look: their bits are set in ShownFormat::look, underline as link_underline.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "choice/css_declarations.h"
#include "choice/font_names.h"
#include "choice/page_stylesheet.h"
#include "choice/page_tokens.h"
#include "choice/shown_text.h"

namespace tessarine {

class PageSink {
 public:
  virtual ~PageSink() = default;
  // Word characters (word_chars.h) that follow one another in the page's text, all of one
  // format. False to stop the reading.
  virtual bool Characters(std::u32string_view run, const ShownFormat& format) = 0;
  // Any other item (neither kCharacter nor kEnd); `target` is the link's for kLinkStart, UTF-8.
  // False to stop the reading.
  virtual bool Item(ShownItem item, std::string_view target) = 0;
};

class PageReader final : private PageTokenHandler {
 public:
  explicit PageReader(PageSink& sink);

  // Reads the next piece of the page (code page 1251), handing its text on to the sink as it
  // comes. False once the reading has stopped: the sink said so, or the page holds what this
  // reader does not understand; later calls do nothing.
  bool Read(std::string_view piece);
  // The page has ended: the elements still open close. False when the reading had stopped, or
  // the page ends inside a tag or has no body.
  bool Finish();

  // The names behind ShownFormat::font.
  const FontNames& fonts() const { return fonts_; }
  // The colour of text the page gives no colour (its body's).
  uint32_t text_colour() const { return text_colour_; }

 private:
  enum class Kind : uint8_t {
    kHtml,
    kHead,
    kBody,
    kTitle,
    kMeta,
    kStyle,
    kP,
    kHeading,
    kBr,
    kHr,
    kSpan,
    kB,
    kI,
    kU,
    kS,
    kSup,
    kSub,
    kFont,
    kA,
    kTable,
    kTr,
    kTd,
    kImg,
    kUnknown
  };
  enum class Mode : uint8_t { kBody, kTable, kRow, kCell };
  enum class LinkKind : uint8_t { kNone, kLink, kNoteReference, kNoteBack };

  struct Element {
    Kind kind = Kind::kUnknown;
    bool marks = false;  // a table, row or cell of a table of cells (not a layout of columns)
    LinkKind link = LinkKind::kNone;
    uint32_t serial = 0;
    ShownFormat format;
  };
  // An entry of the browser's list of active formatting elements, or a cell's marker.
  struct Formatting {
    Kind kind = Kind::kUnknown;
    bool marker = false;
    bool open = false;  // its element is on the stack (as `serial`)
    uint32_t serial = 0;
    LinkKind link = LinkKind::kNone;
    Declarations own;
    std::string target;
  };

  static Kind KindOf(std::string_view name);
  bool Tag(const PageTag& tag) override;
  bool Text(std::u32string_view text) override;
  bool StyleText(std::string_view utf8) override;

  bool HeadTag(const PageTag& tag);
  bool StartBody(const PageTag& tag);
  bool StartTag(Kind kind, const PageTag& tag);
  bool EndTag(Kind kind);
  bool StartA(const PageTag& tag);

  // What the element of `tag` declares for its text, read once for each tag the tokenizer
  // numbers; null when it has an attribute but `attributes` or declares what is not understood.
  const Declarations* OwnOf(Kind kind, const PageTag& tag,
                            std::initializer_list<std::string_view> attributes);
  bool OwnDeclarations(Kind kind, const PageTag& tag, bool in_cell, Declarations& own);
  ShownFormat Computed(const ShownFormat& parent, const Declarations& own) const;
  void Push(Kind kind, const Declarations& own, LinkKind link, std::string_view target);
  void AddFormatting(Kind kind, const Declarations& own, LinkKind link, std::string_view target);
  void Pop();
  void PopThrough(Kind kind);
  void Reconstruct();
  void CloseCell();
  void ClosePInButtonScope();
  bool AdoptionAgency(Kind kind);
  bool AnyOtherEndTag(Kind kind);
  bool InScope(Kind kind, bool table_scope) const;
  Mode CurrentMode() const;
  bool InsideCell() const;
  bool TableMarks() const;
  void Emit(ShownItem item, std::string_view target = {});
  bool Fail() {
    ok_ = false;
    return false;
  }

  PageSink& sink_;
  PageTokenizer tokenizer_;
  FontNames fonts_;
  PageStylesheet stylesheet_;
  std::string style_text_;
  std::unordered_map<std::string, Declarations> styles_;  // style attributes read, by their text
  // What each numbered tag declares, outside and inside a table's cell (a paragraph's differs).
  struct KnownTag {
    bool read[2] = {false, false};
    Declarations own[2];
  };
  std::vector<KnownTag> tags_;
  Declarations own_;  // that of a tag without a number
  bool in_body_ = false;
  bool ok_ = true;
  uint32_t text_colour_ = 0;
  uint32_t next_serial_ = 1;
  std::vector<Element> stack_;
  std::vector<Formatting> active_;
  // Notes: the mark's number is being read (after a note reference's link), or the number in
  // front of a note's text.
  bool mark_pending_ = false;
  int mark_digits_ = 0;
  int sup_open_ = 0;
  bool in_notes_ = false;
  bool note_number_pending_ = false;
};

}  // namespace tessarine
