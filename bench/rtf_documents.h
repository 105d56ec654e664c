// Generated RTF documents for benchmarks and stress tests: Word-style documents of a chosen size
// and hostile shapes. Everything is deterministic (a fixed seed gives the same bytes), code page
// 1251, with CR LF line breaks as a word processor writes them.
//
//   std::string doc = rtfgen::WordStyleDocument(4 << 20);     // about 4 MB
//   std::string odd = rtfgen::Shape(rtfgen::ShapeKind::kDeepNesting, 1 << 20);
//
// The pieces (Header, Paragraph, Run, CyrillicWord) are public so that other generators (tables,
// sections, notes) can build on them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessarine::rtfgen {

// A small deterministic generator (xorshift32).
class Random {
 public:
  explicit Random(uint32_t seed = 2463534242u) : state_(seed == 0 ? 1 : seed) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // A number from 0 to n - 1.
  uint32_t Below(uint32_t n) { return n == 0 ? 0 : Next() % n; }
  bool OneIn(uint32_t n) { return Below(n) == 0; }

 private:
  uint32_t state_;
};

inline constexpr std::string_view kLineBreak = "\r\n";

// The header of a Word document: font table (Times New Roman, Arial, Courier New with panose
// groups and an alternative name), colour table with `colours` entries after the automatic one,
// style sheet, information group, page and section properties, and the list-level group whose
// closing brace is followed by the body's first "\pard\plain" (so the body starts "}\pard\plain").
inline std::string Header(int colours = 6) {
  std::string h =
      "{\\rtf1\\ansi\\ansicpg1251\\uc1\\deff0\\stshfdbch0\\stshfloch0\\deflang1049\\deflangfe1049"
      "{\\fonttbl{\\f0\\froman\\fcharset204\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}"
      "{\\f1\\fswiss\\fcharset204\\fprq2{\\*\\panose 020b0604020202020204}Arial{\\*\\falt Helvetica};}"
      "{\\f2\\fmodern\\fcharset204\\fprq1{\\*\\panose 02070309020205020404}Courier New;}"
      "{\\f3\\froman\\fcharset204\\fprq2 Georgia Cyr;}}";
  h += kLineBreak;
  h += "{\\colortbl;";
  for (int i = 0; i < colours; ++i) {
    h += "\\red" + std::to_string((i * 97) % 256) + "\\green" + std::to_string((i * 53) % 256) + "\\blue" +
         std::to_string((i * 151) % 256) + ";";
  }
  h += "}";
  h += kLineBreak;
  h += "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0\\itap0 "
       "\\fs24\\lang1049\\langfe1049\\cgrid\\langnp1049\\langfenp1049 \\snext0 Normal;}"
       "{\\*\\cs10 \\additive \\ssemihidden Default Paragraph Font;}}";
  h += kLineBreak;
  h += "{\\info{\\title \\'c4\\'ee\\'ea\\'f3\\'ec\\'e5\\'ed\\'f2}{\\author "
       "Bench}{\\creatim\\yr2004\\mo5\\dy1}}";
  h += kLineBreak;
  h += "\\paperw11906\\paperh16838\\margl1701\\margr850\\margt1134\\margb1134 \\widowctrl\\ftnbj\\aenddoc"
       "\\noxlattoyen\\expshrtn\\noultrlspc\\dntblnsbdb\\nospaceforul\\formshade\\horzdoc\\dgmargin"
       "\\dghspace180\\dgvspace180\\dghorigin1701\\dgvorigin1134\\dghshow1\\dgvshow1"
       "\\jexpand\\viewkind1\\viewscale100\\pgbrdrhead\\pgbrdrfoot\\splytwnine\\ftnlytwnine\\htmautsp"
       "\\nolnhtadjtbl\\useltbaln\\alntblind\\lytcalctblwd\\lyttblrtgr\\lnbrkrule \\fet0\\sectd "
       "\\linex0\\headery708\\footery708\\colsx708\\endnhere\\sectlinegrid360\\sectdefaultcl ";
  h += "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang {\\pntxta .}}";
  return h;
}

// A word of `letters` Cyrillic letters written as "\'xx" escapes (lower case, the first one
// upper case when `capital`).
inline std::string CyrillicWord(Random& rnd, int letters, bool capital = false) {
  static const char kHex[] = "0123456789abcdef";
  std::string w;
  for (int i = 0; i < letters; ++i) {
    unsigned byte = (i == 0 && capital ? 0xc0u : 0xe0u) + rnd.Below(32);
    w += "\\'";
    w += kHex[byte >> 4];
    w += kHex[byte & 15];
  }
  return w;
}

// Text of about `words` words: mostly Cyrillic, some Latin, with commas and a closing stop.
inline std::string RunText(Random& rnd, int words) {
  static const char* const kLatin[] = {"RTF", "HTML", "Word", "text", "page", "2004", "x86"};
  std::string t;
  for (int i = 0; i < words; ++i) {
    if (i > 0) t += rnd.OneIn(7) ? ", " : " ";
    if (rnd.OneIn(6)) {
      t += kLatin[rnd.Below(7)];
    } else {
      t += CyrillicWord(rnd, 2 + static_cast<int>(rnd.Below(8)), i == 0);
    }
  }
  return t;
}

// One run as Word writes it: a group with the bidirectional font words, font, size, optional
// colour, bold, italic and underline, then its text.
inline std::string Run(Random& rnd, int colours, int words) {
  std::string r = "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 ";
  r += "\\f" + std::to_string(rnd.Below(4));
  r += "\\fs" + std::to_string(16 + 2 * rnd.Below(10));
  if (rnd.OneIn(3)) r += "\\cf" + std::to_string(1 + rnd.Below(static_cast<uint32_t>(colours)));
  if (rnd.OneIn(4)) r += "\\b";
  if (rnd.OneIn(5)) r += "\\i";
  if (rnd.OneIn(8)) r += "\\ul";
  r += "\\lang1049\\langfe1049\\langnp1049\\insrsid1 ";
  r += RunText(rnd, words);
  r += " }";  // Word ends a run after the space between two words, not inside a word
  return r;
}

// One paragraph: "\pard\plain", paragraph properties with an alignment, several runs, and the
// closing run "{...\par }" (so the next "\pard\plain" follows a "}").
inline std::string Paragraph(Random& rnd, int colours = 6) {
  static const char* const kAlign[] = {"\\qj", "\\ql", "\\qc", "\\qr", "\\qj", "\\qj"};
  std::string p = "\\pard\\plain \\ltrpar\\s0";
  p += kAlign[rnd.Below(6)];
  p += " \\fi720\\li0\\ri0\\widctlpar\\wrapdefault\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0\\itap0 "
       "\\rtlch\\fcs1 \\af0\\afs24\\alang1025 \\ltrch\\fcs0 \\f1\\fs24\\lang1049\\langfe1049\\cgrid ";
  const int runs = 2 + static_cast<int>(rnd.Below(7));
  for (int i = 0; i < runs; ++i) {
    p += Run(rnd, colours, 3 + static_cast<int>(rnd.Below(14)));
    if (rnd.OneIn(3)) p += kLineBreak;  // word processors wrap their lines anywhere between words
  }
  p += "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\f1\\fs24\\insrsid1 \\par }";
  return p;
}

// A Word-style document of at least `bytes` bytes (a little more: whole paragraphs).
inline std::string WordStyleDocument(size_t bytes, uint32_t seed = 1) {
  Random rnd(seed);
  std::string doc = Header();
  doc.reserve(bytes + 4096);
  while (doc.size() < bytes) doc += Paragraph(rnd);
  doc += "}";
  doc += kLineBreak;
  return doc;
}

// Hostile shapes, each a document the converter accepts ("}\pard\plain" after its header).
enum class ShapeKind {
  kLongParagraphWithoutQ,        // one paragraph of runs, no alignment word and no "\pard" after it
  kTextWithoutBraces,            // one paragraph of plain words, no brace after "\pard\plain"
  kTextAfterLastGroup,           // one group, then words without any brace
  kDeepNesting,                  // groups nested ever deeper, then all closed
  kManyClosingBraces,            // a group, then "}" after "}" between words
  kManyOpeningBraces,            // a group, then "{" after "{" between words that never close
  kManySmallParagraphs,          // "\pard\plain" with one short run, again and again
  kManyIgnorableGroups,          // one paragraph of "{\*\bkmkstart}" groups between words
  kLongGroupWithParagraphMarks,  // one group holding many "\par"
};

inline const char* ShapeName(ShapeKind kind) {
  switch (kind) {
    case ShapeKind::kLongParagraphWithoutQ:
      return "long_paragraph_without_q";
    case ShapeKind::kTextWithoutBraces:
      return "text_without_braces";
    case ShapeKind::kTextAfterLastGroup:
      return "text_after_last_group";
    case ShapeKind::kDeepNesting:
      return "deep_nesting";
    case ShapeKind::kManyClosingBraces:
      return "many_closing_braces";
    case ShapeKind::kManyOpeningBraces:
      return "many_opening_braces";
    case ShapeKind::kManySmallParagraphs:
      return "many_small_paragraphs";
    case ShapeKind::kManyIgnorableGroups:
      return "many_ignorable_groups";
    case ShapeKind::kLongGroupWithParagraphMarks:
      return "long_group_with_paragraph_marks";
  }
  return "?";
}

// `unit` repeated until `doc` holds at least `bytes` bytes.
inline void RepeatUntil(std::string& doc, std::string_view unit, size_t bytes) {
  while (doc.size() < bytes) doc.append(unit);
}

// A document of the given shape with at least `bytes` bytes.
inline std::string Shape(ShapeKind kind, size_t bytes, uint32_t seed = 1) {
  Random rnd(seed);
  std::string doc =
      "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
      "{\\colortbl;\\red255\\green0\\blue0;}{\\*\\generator Bench;}";
  doc.reserve(bytes + 4096);
  const std::string words = RunText(rnd, 40) + " ";
  switch (kind) {
    case ShapeKind::kLongParagraphWithoutQ:
      doc += "\\pard\\plain \\f1\\fs24 ";
      while (doc.size() < bytes) doc += Run(rnd, 1, 8);
      break;
    case ShapeKind::kTextWithoutBraces:
      doc += "\\pard\\plain \\f1\\fs24 ";
      RepeatUntil(doc, words, bytes);
      break;
    case ShapeKind::kTextAfterLastGroup:
      doc += "\\pard\\plain \\f1\\fs24 {\\b\\ lead}";
      RepeatUntil(doc, words, bytes);
      break;
    case ShapeKind::kDeepNesting: {
      doc += "\\pard\\plain \\f1 ";
      const size_t depth = (bytes > doc.size() ? bytes - doc.size() : 0) / 8 + 1;
      for (size_t i = 0; i < depth; ++i) doc += "{\\b x ";
      doc.append(depth, '}');
      break;
    }
    case ShapeKind::kManyClosingBraces:
      doc += "\\pard\\plain {\\b\\ lead}";
      RepeatUntil(doc, "} a }} b ", bytes);
      break;
    case ShapeKind::kManyOpeningBraces:
      doc += "\\pard\\plain {\\b\\ lead}";
      RepeatUntil(doc, "{ a {{ b ", bytes);
      break;
    case ShapeKind::kManySmallParagraphs:
      RepeatUntil(doc, "\\pard\\plain \\f1 {\\i\\ x}{\\par }", bytes);
      break;
    case ShapeKind::kManyIgnorableGroups:
      doc += "\\pard\\plain \\f1 {\\b\\ lead}";
      RepeatUntil(doc, "{\\*\\bkmkstart a} word ", bytes);
      break;
    case ShapeKind::kLongGroupWithParagraphMarks:
      doc += "\\pard\\plain \\f1 {\\f1 ";
      RepeatUntil(doc, "line of text\\par ", bytes);
      doc += "}";
      break;
  }
  doc += "}";
  doc += kLineBreak;
  return doc;
}

}  // namespace tessarine::rtfgen
