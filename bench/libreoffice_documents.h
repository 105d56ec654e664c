// Generated documents shaped as LibreOffice writes RTF: paragraphs that start with "\pard\plain"
// right after the "\par" before them (no brace), runs with "\rtlch...\ltrch\loch" prefixes and
// their text on the next line, "{\*\hyphen2...}" groups, "\loch\f3\hich\af3\dbch\af6" font
// words, Cyrillic as "\'hh", bullet and numbered lists with "\ls", "\ilvl" and "\listtext", and
// tables. Deterministic, like rtf_documents.h, whose pieces it uses.
//
//   std::string doc = rtfgen::LibreOfficeStyleDocument(16 << 20);
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "bench/rtf_documents.h"

namespace tessarine::rtfgen {

// The header: font and colour tables, styles with hyphenation groups, two lists (bullets and
// numbers), generator, information and page styles.
inline std::string LibreOfficeHeader() {
  std::string h =
      "{\\rtf1\\ansi\\deff4\\adeflang1025\r\n"
      "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f1\\froman\\fprq2\\fcharset2 Symbol;}"
      "{\\f2\\fswiss\\fprq2\\fcharset0 Arial;}{\\f3\\froman\\fprq2\\fcharset204 Liberation Serif{\\*\\falt "
      "Times New "
      "Roman};}{\\f4\\fswiss\\fprq2\\fcharset204 Liberation Sans{\\*\\falt "
      "Arial};}{\\f5\\fnil\\fprq2\\fcharset0 "
      "OpenSymbol{\\*\\falt Arial Unicode MS};}{\\f6\\fnil\\fprq2\\fcharset0 Noto Sans CJK SC;}"
      "{\\f7\\fnil\\fprq2\\fcharset0 Lohit Devanagari;}}\r\n"
      "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue128;\\red128\\green0\\blue0;}\r\n"
      "{\\stylesheet{"
      "\\s0\\snext0\\widctlpar\\hyphpar0\\ltrpar\\cf0\\kerning1\\dbch\\af6\\langfe2052\\dbch\\af7"
      "\\afs24\\alang1081\\loch\\f3\\hich\\af3\\fs24\\lang1049 Normal;}\r\n"
      "{\\s1\\sbasedon15\\snext16\\ilvl0\\outlinelevel0\\sb240\\sa120\\keepn\\ltrpar\\b\\dbch\\af6\\dbch\\af7"
      "\\afs36"
      "\\ab\\loch\\f4\\hich\\af4\\fs36 Heading 1;}\r\n"
      "{\\s15\\sbasedon0\\snext16\\sb240\\sa120\\keepn\\ltrpar{\\*\\hyphen2\\hyphlead2\\hyphtrail2\\hyphmax0}"
      "\\dbch"
      "\\af6\\loch\\f4\\hich\\af4\\fs28 Heading;}\r\n"
      "{\\s16\\sbasedon0\\snext16\\sl276\\slmult1\\sb0\\sa140\\ltrpar{\\*"
      "\\hyphen2\\hyphlead2\\hyphtrail2\\hyphmax0}"
      " Text Body;}\r\n"
      "{\\s27\\sbasedon0\\snext27\\ltrpar{\\*\\hyphen2\\hyphlead2\\hyphtrail2\\hyphmax0} Table Contents;}\r\n"
      "{\\*\\cs17\\cf2\\ul\\ulc0\\langfe255\\alang255\\lang255 Internet Link;}\r\n"
      "}{\\*\\listtable{\\list\\listtemplateid1\r\n";
  for (int level = 0; level < 9; ++level) {
    h += "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1\\levelinden"
         "t0"
         "{\\leveltext \\'01";
    h += level % 2 == 0 ? "\\u8226 ?" : "\\u9702 ?";
    h += ";}{\\levelnumbers;}\\f5\\fi-360\\li" + std::to_string(720 + 360 * level) + "}\r\n";
  }
  h += "\\listid1}\r\n{\\list\\listtemplateid2\r\n";
  for (int level = 0; level < 9; ++level) {
    h += "{\\listlevel\\levelnfc" + std::string(level % 2 == 0 ? "0" : "4") +
         "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1{\\leveltext \\'02\\'0" + std::to_string(level) +
         ".;}{\\levelnumbers\\'01;}\\fi-360\\li" + std::to_string(720 + 360 * level) + "}\r\n";
  }
  h += "\\listid2}}{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
       "{\\listoverride\\listid2\\listoverridecount0\\ls2}}"
       "{\\*\\generator LibreOffice/7.4.7.2$Linux_X86_64 LibreOffice_project/40$Build-2}"
       "{\\info{\\title \\'c4\\'ee\\'ea\\'f3\\'ec\\'e5\\'ed\\'f2}{\\creatim\\yr2024\\mo3\\dy1\\hr10\\min5}"
       "{\\revtim\\yr0\\mo0\\dy0\\hr0\\min0}{\\printim\\yr0\\mo0\\dy0\\hr0\\min0}}\\deftab709\r\n"
       "\\hyphauto1\\viewscale100\r\n{\\*\\pgdsctbl\r\n{\\pgdsc0\\pgdscuse451\\pgwsxn11906\\pghsxn16838"
       "\\marglsxn1134\\margrsxn1134\\margtsxn1134\\margbsxn1134\\pgdscnxt0 Default Page Style;}}\r\n"
       "\\formshade{\\*\\pgdscno0}"
       "\\paperh16838\\paperw11906\\margl1134\\margr1134\\margt1134\\margb1134\\sectd"
       "\\sbknone\\sftnnar\\saftnnrlc\\sectunlocked1\\pgwsxn11906\\pghsxn16838\\marglsxn1134\\margrsxn1134"
       "\\margtsxn1134\\margbsxn1134\\ftnbj\\ftnstart1\\ftnrstcont\\ftnnar\\aenddoc\\aftnrstcont\\aftnstart1"
       "\\aftnnrlc\\htmautsp\r\n{\\*\\ftnsep\\chftnsep}";
  return h;
}

// The paragraph words of the "Text Body" style as LibreOffice repeats them in every paragraph.
inline constexpr const char* kLibreOfficeBody =
    "\\s16\\sl276\\slmult1\\sb0\\sa140{\\*\\hyphen2\\hyphlead2\\hyphtrail2\\hyphmax0}"
    "\\ltrpar\\cf0\\kerning1\\dbch"
    "\\af6\\langfe2052\\dbch\\af7\\afs24\\alang1081\\loch\\f3\\hich\\af3\\fs24\\lang1049";

// One run: the bidirectional and font prefixes, optional bold or italic, the text on its own line.
inline std::string LibreOfficeRun(Random& rnd, int words) {
  std::string r = "{";
  if (rnd.OneIn(5)) r += "\\b\\ab";
  if (rnd.OneIn(6)) r += "\\i\\ai";
  r += "\\rtlch \\af7\\ltrch\\loch\\f3\\hich\\af3\\dbch\\af6\r\n";
  r += RunText(rnd, words);
  r += " }";
  return r;
}

// A piece of the body: a heading, paragraphs of runs, a bullet list, a numbered list of two
// levels and a table of three rows, each paragraph started by "\par \pard\plain".
inline std::string LibreOfficePiece(Random& rnd, long n) {
  std::string p = n == 0 ? "\\pgndec\\pard\\plain " : "\r\n\\par \\pard\\plain ";
  p += "\\s1\\ilvl0\\outlinelevel0\\sb240\\sa120\\keepn{\\*\\hyphen2\\hyphlead2\\hyphtrail2\\hyphmax0}"
       "\\ltrpar\\b"
       "\\dbch\\af6\\dbch\\af7\\afs36\\ab\\loch\\f4\\hich\\af4\\fs36";
  p += LibreOfficeRun(rnd, 3);
  for (int i = 0; i < 4; ++i) {
    p += "\r\n\\par \\pard\\plain ";
    p += kLibreOfficeBody;
    p += "\\qj";
    const int runs = 2 + static_cast<int>(rnd.Below(5));
    for (int r = 0; r < runs; ++r) p += LibreOfficeRun(rnd, 4 + static_cast<int>(rnd.Below(12)));
  }
  for (int i = 0; i < 3; ++i) {
    p += "\r\n\\par \\pard\\plain ";
    p += kLibreOfficeBody;
    p += "{\\listtext\\pard\\plain \\u8226\\'95\\tab}\\ilvl0\\ls1 \\li720\\ri0\\lin720\\rin0\\fi-360";
    p += LibreOfficeRun(rnd, 6);
  }
  for (int i = 0; i < 4; ++i) {
    const int level = i == 2 ? 1 : 0;
    const std::string marker = level == 0 ? std::to_string(i < 2 ? i + 1 : 3) + "." : "a.";
    p += "\r\n\\par \\pard\\plain ";
    p += kLibreOfficeBody;
    p += "{\\listtext\\pard\\plain " + marker + "\\tab}\\ilvl" + std::to_string(level) + "\\ls2 \\li" +
         std::to_string(720 + 360 * level) + "\\ri0\\fi-360";
    p += LibreOfficeRun(rnd, 5);
  }
  p += "\r\n\\par ";
  for (int row = 0; row < 3; ++row) {
    p += "\\trowd\\trql\\trleft-55\\ltrrow\\trpaddft3\\trpaddt55\\trpaddfl3\\trpaddl55\\trpaddfb3\\trpaddb55"
         "\\trpaddfr3\\trpaddr55";
    for (int cell = 1; cell <= 2; ++cell) {
      p += "\\clbrdrt\\brdrs\\brdrw10\\brdrcf1\\clbrdrl\\brdrs\\brdrw10\\brdrcf1\\clbrdrb\\brdrs\\brdrw10\\br"
           "drcf1";
      p += "\\cellx" + std::to_string(4819 * cell);
    }
    for (int cell = 0; cell < 2; ++cell) {
      p += "\\pgndec\\pard\\plain "
           "\\s27\\intbl{\\*\\hyphen2\\hyphlead2\\hyphtrail2\\hyphmax0}\\ltrpar\\loch\\f3"
           "\\hich\\af3\\fs24";
      p += LibreOfficeRun(rnd, 2);
      p += "\\cell";
    }
    p += "\\row\\pard";
  }
  p += "\\pard\\plain ";
  p += kLibreOfficeBody;
  p += LibreOfficeRun(rnd, 8);
  return p;
}

// A LibreOffice-style document of at least `bytes` bytes (a little more: whole pieces).
inline std::string LibreOfficeStyleDocument(size_t bytes, uint32_t seed = 1) {
  Random rnd(seed);
  std::string doc = LibreOfficeHeader();
  doc.reserve(bytes + 8192);
  for (long n = 0; doc.size() < bytes; ++n) doc += LibreOfficePiece(rnd, n);
  doc += "\r\n\\par }";
  return doc;
}

}  // namespace tessarine::rtfgen
