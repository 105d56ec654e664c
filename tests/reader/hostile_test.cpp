// Hostile documents: the benchmarks' pathological shapes and constructs aimed at the reader's
// stacks and tables. Each is read within a time bound into a model that keeps its promises
// (fuzz/fuzz_checks.h), and none makes the reader's work grow faster than the document.
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "bench/rtf_documents.h"
#include "bench/worst_cases.h"
#include "fuzz/fuzz_checks.h"
#include "model/plain_text.h"
#include "reader/read_rtf.h"
#include "tests/support/time_bound.h"

namespace tessarine {
namespace {

constexpr size_t kMegabyte = 1 << 20;

// `unit` repeated until the text holds at least `bytes` bytes.
std::string Repeated(std::string_view unit, size_t bytes) {
  std::string text;
  text.reserve(bytes + unit.size());
  while (text.size() < bytes) text.append(unit);
  return text;
}

// Reads `rtf`, checks the model and returns the seconds it took.
double ReadAndCheck(const std::string& rtf, const std::string& name) {
  const auto started = std::chrono::steady_clock::now();
  const model::Document document = ReadRtfDocument(rtf);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  EXPECT_EQ(fuzzing::CheckModel(document), "") << name;
  std::string text;
  model::AppendPlainText(document, model::WithNotes::kYes, text);
  // Text grows with the document, never faster (list markers are bounded).
  EXPECT_LT(text.size(), 6 * rtf.size() + 64) << name;
  return seconds;
}

TEST(ReaderHostileTest, WorstCaseShapesReadQuickly) {
  const testing::TimeBound bound(300);
  for (worstcase::Shape shape : worstcase::kAllShapes) {
    const std::string name = worstcase::ShapeName(shape);
    // Milliseconds in an optimised build; generous for sanitizers and a busy machine.
    EXPECT_LT(ReadAndCheck(worstcase::Document(shape, kMegabyte), name), 20.0) << name;
  }
  for (int kind = 0; kind <= static_cast<int>(rtfgen::ShapeKind::kLongGroupWithParagraphMarks); ++kind) {
    const auto shape = static_cast<rtfgen::ShapeKind>(kind);
    const std::string name = rtfgen::ShapeName(shape);
    EXPECT_LT(ReadAndCheck(rtfgen::Shape(shape, kMegabyte), name), 20.0) << name;
  }
}

// Constructs that push on the reader's own structures: the group stack, the tables, fields,
// notes and shapes opened inside each other, definitions that rows copy, markers and links that
// paragraphs copy, and counts that ask for more than there is.
TEST(ReaderHostileTest, ReaderStructuresStayBounded) {
  const testing::TimeBound bound(300);
  const std::string head = "{\\rtf1\\ansi";
  const std::pair<const char*, std::string> cases[] = {
      {"groups a million deep", head + std::string(kMegabyte, '{') + "x" + std::string(kMegabyte, '}') + "}"},
      {"tables a million deep",
       head + Repeated("\\intbl\\itap1000000 x\\nestcell\\nestrow\\par ", kMegabyte)},
      {"tables deepening by one", head +
                                      [] {
                                        std::string s;
                                        for (int depth = 1; s.size() < kMegabyte; ++depth)
                                          s += "\\pard\\intbl\\itap" + std::to_string(depth % 5000) +
                                               " x\\par";
                                        return s;
                                      }()},
      {"fields never closed",
       head + Repeated("{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt x", kMegabyte)},
      {"notes inside notes", head + Repeated("{\\footnote x\\par ", kMegabyte)},
      {"text boxes inside text boxes", head + Repeated("{\\shp{\\*\\shpinst{\\shptxt x\\par ", kMegabyte)},
      {"pictures never closed", head + Repeated("{\\pict\\pngblip 0a", kMegabyte)},
      {"many destinations in one group",
       head + "{" + Repeated("\\footnote\\field\\fldrslt\\shptxt x", kMegabyte) + "}}"},
      {"a wide row definition and many rows", head + "\\trowd" + Repeated("\\cellx1", kMegabyte / 2) +
                                                  "\\pard\\intbl x\\cell" +
                                                  Repeated("\\row\\cell", kMegabyte / 2) + "}"},
      {"a long link over many paragraphs", head + "{\\field{\\*\\fldinst HYPERLINK \"" +
                                               std::string(kMegabyte / 2, 'u') + "\"}{\\fldrslt " +
                                               Repeated("x\\par ", kMegabyte / 2) + "}}}"},
      {"a long list pattern over many items", head + "{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'ff" +
                                                  Repeated("\\'00", 300000) + ";}}\\listid1}}" +
                                                  "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}" +
                                                  Repeated("\\pard\\ls1 x\\par", kMegabyte / 2) + "}"},
      {"binary counts beyond the end", head + Repeated("{\\pict\\bin2000000000 ", 1000)},
      {"fallback counts beyond the end", head + Repeated("\\uc255\\u1055 ", kMegabyte)},
      {"unicode halves", head + Repeated("\\u-10179?", kMegabyte)},
      {"style sheet of open entries", "{\\rtf1{\\stylesheet" + Repeated("{\\s1\\qc x", kMegabyte) + "}"},
      {"font entries without end",
       "{\\rtf1{\\fonttbl" + Repeated("\\f1\\fcharset128 \\'82", kMegabyte) + "}\\f1 \\'82\\'a0}"},
      {"sections and columns", head + Repeated("\\sect\\cols3 ", kMegabyte)},
      {"comments without annotations", head + Repeated("{\\*\\atnauthor a}{\\*\\atnid b}", kMegabyte)},
      {"html tags", "{\\rtf1\\fromhtml1" + Repeated("{\\*\\htmltag <p>}x\\par", kMegabyte)},
  };
  for (const auto& [name, rtf] : cases) EXPECT_LT(ReadAndCheck(rtf, name), 20.0) << name;
}

TEST(ReaderHostileTest, RandomTokensKeepTheModelsPromises) {
  const testing::TimeBound bound(120);
  uint32_t seed = 11;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  const char* const pieces[] = {
      "{",
      "}",
      "\\par ",
      "\\cell ",
      "\\row ",
      "\\nestcell ",
      "\\nestrow ",
      "\\intbl ",
      "\\itap3 ",
      "\\trowd ",
      "\\cellx900 ",
      "\\clmrg ",
      "\\footnote ",
      "{\\*\\fldinst HYPERLINK \"x\"}",
      "\\field ",
      "\\fldrslt ",
      "\\pict ",
      "0a",
      "\\bin3 ",
      "\\u1055 ",
      "\\uc2 ",
      "\\'e0",
      "\\'82",
      "x",
      "\\f1 ",
      "\\fcharset128 ",
      "\\fonttbl ",
      "\\stylesheet ",
      "\\s1 ",
      "\\listtext ",
      "\\ls1 ",
      "\\leveltext ",
      "\\'00",
      "\\*",
      "\\shp ",
      "\\shptxt ",
      "\\sect ",
      "\\cols2 ",
      "\\annotation ",
      "\\bkmkstart ",
      "\\upr ",
      "\\ud ",
      "\\fromhtml1 ",
      "\\htmltag ",
      "\\v ",
  };
  for (int round = 0; round < 300; ++round) {
    std::string rtf = "{\\rtf1\\ansi";
    const uint32_t count = next() % 3000;
    for (uint32_t i = 0; i < count; ++i) rtf += pieces[next() % std::size(pieces)];
    EXPECT_EQ(fuzzing::CheckReadRtf(rtf), "") << rtf;
  }
}

}  // namespace
}  // namespace tessarine

namespace tessarine {
namespace {

// A font table of more numbers than any document has keeps a bounded number of model fonts;
// text in a font it left out is still read.
TEST(ReaderHostileTest, AFontTableBeyondItsBoundKeepsTheText) {
  std::string rtf = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl";
  for (int i = 0; i < 40000; ++i) rtf += "{\\f" + std::to_string(i) + "\\fcharset204 F" + std::to_string(i) + ";}";
  rtf += "}\\f39999 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\par}";
  const model::Document document = ReadRtfDocument(rtf);
  EXPECT_EQ(document.fonts.size(), 32768u);
  std::string text;
  model::AppendPlainText(document, model::WithNotes::kNo, text);
  EXPECT_EQ(text, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\n");  // Привет
}

}  // namespace
}  // namespace tessarine
