// Pathological documents for the worst-case benchmarks and the whole-program timings: shapes
// found by reading the converters' algorithms or by fuzzing, each generated at any size.
// Deterministic: the same shape and size always give the same bytes.
//
//   std::string doc = worstcase::Document(worstcase::Shape::kCellsWithoutRow, 16 << 20);
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tessarine::worstcase {

enum class Shape {
  kRunOfLetters,           // one paragraph: "x" again and again
  kRunOfSpaces,            // one paragraph: spaces only
  kRunOfBackslashes,       // one paragraph: "\" again and again (escaped backslashes)
  kRunOfOpenBraces,        // one paragraph: "{" again and again, never closed
  kRunOfCloseBraces,       // one paragraph: "}" again and again
  kRunOfLineBreaks,        // one paragraph: CR LF again and again
  kRunOfHexEscapes,        // one group: "\'e0" again and again
  kLettersInOneGroup,      // one group of "x" again and again
  kLettersUndeclined,      // a declined document (fallback path): one paragraph of "x"
  kDeepNesting,            // "{" nested to the size of the document, then all closed
  kDeepNestingUndeclined,  // the same in a declined document (fallback path)
  kCellsWithoutRow,        // one row definition, then "\cell" after "\cell", never a "\row"
  kCellsWithoutRowMarked,  // the same with a "\lastrow" row at the very end
  kSectdStorm,             // "\sectd" after "\sectd" between words, never a "\sect "
  kSectionStorm,           // two-column sections, each closed with "\sect }"
  kHugeFontTable,          // a font table as large as the document, runs naming its last fonts
  kHugeColourTable,        // a colour table as large as the document, runs using its colours
  kColoursAbove255,        // a colour table whose components are all above 255
  kFontTableNoSpaces,      // a font table without a single space, its ";" only at the end
  kFontTableOpenGroups,    // a font table whose every entry leaves a nested group open
  kOrdinaryDocument,       // not a worst case: Russian paragraphs with formatted runs, marked
                           // tables and lists, the input of the 100 MB run and the comparison
};

inline constexpr std::array kAllShapes = {
    Shape::kRunOfLetters,          Shape::kRunOfSpaces,
    Shape::kRunOfBackslashes,      Shape::kRunOfOpenBraces,
    Shape::kRunOfCloseBraces,      Shape::kRunOfLineBreaks,
    Shape::kRunOfHexEscapes,       Shape::kLettersInOneGroup,
    Shape::kLettersUndeclined,     Shape::kDeepNesting,
    Shape::kDeepNestingUndeclined, Shape::kCellsWithoutRow,
    Shape::kCellsWithoutRowMarked, Shape::kSectdStorm,
    Shape::kSectionStorm,          Shape::kHugeFontTable,
    Shape::kHugeColourTable,       Shape::kColoursAbove255,
    Shape::kFontTableNoSpaces,     Shape::kFontTableOpenGroups,
};

inline const char* ShapeName(Shape shape) {
  switch (shape) {
    case Shape::kRunOfLetters:
      return "run_of_letters";
    case Shape::kRunOfSpaces:
      return "run_of_spaces";
    case Shape::kRunOfBackslashes:
      return "run_of_backslashes";
    case Shape::kRunOfOpenBraces:
      return "run_of_open_braces";
    case Shape::kRunOfCloseBraces:
      return "run_of_close_braces";
    case Shape::kRunOfLineBreaks:
      return "run_of_line_breaks";
    case Shape::kRunOfHexEscapes:
      return "run_of_hex_escapes";
    case Shape::kLettersInOneGroup:
      return "letters_in_one_group";
    case Shape::kLettersUndeclined:
      return "letters_undeclined";
    case Shape::kDeepNesting:
      return "deep_nesting";
    case Shape::kDeepNestingUndeclined:
      return "deep_nesting_undeclined";
    case Shape::kCellsWithoutRow:
      return "cells_without_row";
    case Shape::kCellsWithoutRowMarked:
      return "cells_without_row_marked";
    case Shape::kSectdStorm:
      return "sectd_storm";
    case Shape::kSectionStorm:
      return "section_storm";
    case Shape::kHugeFontTable:
      return "huge_font_table";
    case Shape::kHugeColourTable:
      return "huge_colour_table";
    case Shape::kColoursAbove255:
      return "colours_above_255";
    case Shape::kFontTableNoSpaces:
      return "font_table_no_spaces";
    case Shape::kFontTableOpenGroups:
      return "font_table_open_groups";
    case Shape::kOrdinaryDocument:
      return "ordinary_document";
  }
  return "?";
}

// The shape called `name` (a worst case or "ordinary_document"); false when there is none.
inline bool ShapeFromName(std::string_view name, Shape* shape) {
  for (Shape s : kAllShapes) {
    if (name == ShapeName(s)) {
      *shape = s;
      return true;
    }
  }
  if (name == ShapeName(Shape::kOrdinaryDocument)) {
    *shape = Shape::kOrdinaryDocument;
    return true;
  }
  return false;
}

// Appends `unit` to `doc` until it holds at least `bytes` bytes.
inline void RepeatUntil(std::string& doc, std::string_view unit, size_t bytes) {
  while (doc.size() < bytes) doc.append(unit);
}

// The header most shapes start with; the body after it starts with "}\pard\plain", which makes
// the pipeline accept the document.
inline constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}"
    "{\\f1\\froman\\fcharset204 Times New Roman;}}\r\n"
    "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
    "{\\*\\generator Worst cases;}";
inline constexpr std::string_view kParagraph = "\\pard\\plain \\f1\\fs24 ";

// Code page 1251 words written as "\'xx" escapes, as a word processor saves Russian text.
inline std::string EscapedWord(std::string_view letters) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : letters) {
    out.append("\\'").push_back(kHex[c >> 4]);
    out.push_back(kHex[c & 15]);
  }
  return out;
}

// One page-worth of an ordinary document: a heading, paragraphs of Russian words with bold,
// italic and coloured runs, a three-row table with its last row marked, and a list item.
inline std::string OrdinaryPiece(long n) {
  // "privet", "mir", "dokument", "stroka" in code page 1251.
  static const std::string kWords[] = {EscapedWord("\xef\xf0\xe8\xe2\xe5\xf2"), EscapedWord("\xec\xe8\xf0"),
                                       EscapedWord("\xe4\xee\xea\xf3\xec\xe5\xed\xf2"),
                                       EscapedWord("\xf1\xf2\xf0\xee\xea\xe0")};
  std::string words;
  for (int i = 0; i < 40; ++i) words.append(kWords[(n + i) % 4]).append(i % 9 == 8 ? ", " : " ");
  std::string piece;
  piece.append("\\pard\\plain \\s1\\qc\\sb240\\sa60\\keepn\\f1\\fs32\\b {Chapter ")
      .append(std::to_string(n))
      .append("\\par }\r\n");
  for (int p = 0; p < 4; ++p) {
    piece.append("\\pard\\plain \\qj\\fi720\\f1\\fs24 {").append(words).append("}");
    piece.append("{\\b ").append(kWords[p]).append("}{ ").append(words).append("}");
    piece.append("{\\i\\cf2 ").append(kWords[3 - p]).append("}{ end.\\par }\r\n");
  }
  for (int r = 0; r < 3; ++r) {
    const std::string definition = "\\trowd \\irow" + std::to_string(r) + "\\irowband" + std::to_string(r) +
                                   (r == 2 ? "\\lastrow " : " ") + "\\trgaph108\\cellx3000\\cellx6000";
    piece.append(definition).append("\\pard\\plain \\ql\\intbl {\\f1 ").append(kWords[r]);
    piece.append("\\cell ").append(kWords[r + 1]).append("\\cell }");
    piece.append("\\pard\\plain \\ql\\intbl {").append(definition).append("\\row }\r\n");
  }
  piece.append("\\pard\\plain \\fi-360\\li720\\f1\\fs24 {\\pntext 1.\\tab}{").append(words);
  piece.append("\\par }\r\n");
  return piece;
}

// A document of the shape with at least `bytes` bytes (a few more to close it).
inline std::string Document(Shape shape, size_t bytes) {
  std::string doc;
  doc.reserve(bytes + 256);
  switch (shape) {
    case Shape::kRunOfLetters:
    case Shape::kRunOfSpaces:
    case Shape::kRunOfBackslashes:
    case Shape::kRunOfOpenBraces:
    case Shape::kRunOfCloseBraces:
    case Shape::kRunOfLineBreaks: {
      static constexpr std::string_view kUnits[] = {"x", " ", "\\", "{", "}", "\r\n"};
      doc.append(kHeader).append(kParagraph).append("{\\b\\ lead} ");
      RepeatUntil(doc, kUnits[static_cast<int>(shape) - static_cast<int>(Shape::kRunOfLetters)], bytes);
      doc.append("\\par }\r\n");
      break;
    }
    case Shape::kRunOfHexEscapes:
      doc.append(kHeader).append(kParagraph).append("{\\f1 ");
      RepeatUntil(doc, "\\'e0", bytes);
      doc.append("\\par }}\r\n");
      break;
    case Shape::kLettersInOneGroup:
      doc.append(kHeader).append(kParagraph).append("{\\i\\f1 ");
      RepeatUntil(doc, "x", bytes);
      doc.append("\\par }}\r\n");
      break;
    case Shape::kLettersUndeclined:
      // No "}\pard\plain" and no "\trowd": the fallback path takes the document.
      doc.append("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\viewkind4\\pard\\f0\\fs20 ");
      RepeatUntil(doc, "x", bytes);
      doc.append("\\par\r\n}\r\n");
      break;
    case Shape::kDeepNesting:
    case Shape::kDeepNestingUndeclined: {
      doc.append(shape == Shape::kDeepNesting ? std::string(kHeader) + std::string(kParagraph)
                                              : "{\\rtf1\\ansi\\viewkind4\\pard\\f0 ");
      const size_t depth = (bytes > doc.size() ? bytes - doc.size() : 0) / 8 + 1;
      for (size_t i = 0; i < depth; ++i) doc.append("{\\b x ");
      doc.append(depth, '}');
      doc.append("}\r\n");
      break;
    }
    case Shape::kCellsWithoutRow:
    case Shape::kCellsWithoutRowMarked:
      doc.append(kHeader).append(kParagraph).append("{lead\\par }\r\n");
      doc.append("\\trowd \\irowband0\\trgaph108\\cellx2000\\cellx4000\r\n");
      RepeatUntil(doc, "\\pard\\plain \\intbl {\\f1 cell text}{\\cell }\r\n", bytes);
      if (shape == Shape::kCellsWithoutRowMarked) {
        doc.append("{\\trowd \\irowband1\\lastrow \\cellx2000\\cellx4000\\row }\r\n");
      }
      doc.append("\\pard\\plain {after\\par }}\r\n");
      break;
    case Shape::kSectdStorm:
      doc.append(kHeader).append(kParagraph).append("{lead\\par }\r\n");
      RepeatUntil(doc, "\\sectd {word }", bytes);
      doc.append("\\pard\\plain {after\\par }}\r\n");
      break;
    case Shape::kSectionStorm:
      doc.append(kHeader).append(kParagraph).append("{lead\\par }\r\n");
      RepeatUntil(doc, "\\sectd \\cols2\\colsx720\\pard\\plain {\\f1 text in two columns\\par }\\sect }",
                  bytes);
      doc.append("\\pard\\plain {after\\par }}\r\n");
      break;
    case Shape::kHugeFontTable: {
      // The table takes nine tenths of the document; the runs name fonts from its end.
      doc.append("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl");
      long fonts = 0;
      while (doc.size() < bytes / 10 * 9) {
        doc.append("{\\f").append(std::to_string(fonts)).append("\\fswiss\\fcharset204 Font number ");
        doc.append(std::to_string(fonts)).append(";}");
        ++fonts;
      }
      doc.append("}\r\n{\\*\\generator Worst cases;}").append(kParagraph);
      for (long i = 0; doc.size() < bytes; ++i) {
        doc.append("{\\f").append(std::to_string(fonts - 1 - (i * 7919) % fonts)).append("\\fs24 text }");
      }
      doc.append("{\\par }}\r\n");
      break;
    }
    case Shape::kHugeColourTable:
    case Shape::kColoursAbove255: {
      const bool above = shape == Shape::kColoursAbove255;
      doc.append("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;");
      for (long i = 0; doc.size() < bytes / 10 * 9; ++i) {
        const long r = above ? 256 + i % 70000 : i % 256, g = above ? 1000 + i : (i * 7) % 256,
                   b = above ? 99999 : (i * 13) % 256;
        doc.append("\\red").append(std::to_string(r)).append("\\green").append(std::to_string(g));
        doc.append("\\blue").append(std::to_string(b)).append(";");
      }
      doc.append("}\r\n{\\*\\generator Worst cases;}").append(kParagraph);
      for (long i = 0; doc.size() < bytes; ++i)
        doc.append("{\\cf").append(std::to_string(i % 100)).append(" text }");
      doc.append("{\\par }}\r\n");
      break;
    }
    case Shape::kFontTableNoSpaces:
    case Shape::kFontTableOpenGroups: {
      doc.append("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl");
      const char* entry = shape == Shape::kFontTableNoSpaces ? "\\fnil}" : " {{x}";
      for (long i = 0; doc.size() < bytes; ++i) doc.append("{\\f").append(std::to_string(i)).append(entry);
      doc.append(shape == Shape::kFontTableNoSpaces ? "{\\f0\\fnil;}}" : "{\\f0 x;}}");
      doc.append("\r\n{\\*\\generator Worst cases;}").append(kParagraph).append("{\\f1 text\\par }}\r\n");
      break;
    }
    case Shape::kOrdinaryDocument:
      doc.append(kHeader).append(kParagraph).append("{lead\\par }\r\n");
      for (long n = 0; doc.size() < bytes; ++n) doc.append(OrdinaryPiece(n));
      doc.append("\\pard\\plain {after\\par }}\r\n");
      break;
  }
  return doc;
}

}  // namespace tessarine::worstcase
