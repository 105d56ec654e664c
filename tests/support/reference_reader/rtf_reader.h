// A small RTF reader kept as the independent reference of the fidelity tests: the words and the
// bold, italic and underlined text it finds are what a page must keep, measured without the
// readers under test. It reads the document's text with paragraphs, line breaks, tabs and the
// character formatting a formatted view shows. Tables of fonts, colours and styles, document
// information, pictures, headers, footers, notes and every "{\*...}" group are skipped.
#pragma once

#include <string_view>

namespace tessarine::reference {

enum class Alignment { kLeft, kCenter, kRight, kJustify };

// The formatting of a stretch of text.
struct CharStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int half_points = 24;  // font size in half points ("\fs"); 24 is 12 pt
  long colour = -1;      // 0xRRGGBB from the colour table; -1 is the default colour

  bool operator==(const CharStyle&) const = default;
};

// Receives the document in reading order.
class Sink {
 public:
  virtual ~Sink() = default;
  // One or more characters (UTF-8) in one style; a tab is '\t'.
  virtual void Text(std::string_view utf8, const CharStyle& style) = 0;
  // A line break inside the paragraph ("\line").
  virtual void LineBreak() = 0;
  // The end of a paragraph ("\par", "\row", "\sect", "\page") with its alignment.
  virtual void ParagraphEnd(Alignment alignment) = 0;
  // The end of the document; called once. `alignment` is that of the unfinished last paragraph.
  virtual void End(Alignment alignment) = 0;
};

// Reads `rtf` (code page 1251: "\'hh" bytes and 8-bit text are decoded through it; "\uN" is
// Unicode with "\uc" fallback characters skipped) and reports it to `sink`. Accepts any input:
// unbalanced braces, unknown words and truncated text give less output, never a failure.
// Linear in the length of the input.
void ReadRtf(std::string_view rtf, Sink& sink);

}  // namespace tessarine::reference
