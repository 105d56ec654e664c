// The benchmarks' pathological documents through the whole converter: each converts, in time
// that does not grow faster than its size, into a page not much larger than the document.
#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "bench/worst_cases.h"
#include "passes/pipeline/convert_rtf.h"
#include "passes/pipeline/font_table.h"

namespace tessarine {
namespace {

constexpr size_t kMegabyte = 1 << 20;

double SecondsToConvert(const std::string& doc, Conversion& result) {
  const auto started = std::chrono::steady_clock::now();
  result = ConvertRtf(doc, Settings{});
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

TEST(WorstCasesTest, EveryShapeConvertsIntoABoundedPage) {
  for (worstcase::Shape shape : worstcase::kAllShapes) {
    const std::string doc = worstcase::Document(shape, kMegabyte);
    Conversion result;
    const double seconds = SecondsToConvert(doc, result);
    SCOPED_TRACE(worstcase::ShapeName(shape));
    EXPECT_EQ(result.refusal, Refusal::kNone);
    EXPECT_EQ(result.page.rfind("<!DOCTYPE", 0), 0u);
    // No shape may turn into a page many times its size (memory follows the page).
    EXPECT_LT(result.page.size(), 4 * doc.size());
    // Milliseconds in an optimised build; generous for sanitizers and a busy machine.
    EXPECT_LT(seconds, 20.0);
  }
}

// A font table of some eighty thousand fonts and runs that name fonts from its end: each run's
// font name is read from its own entry, never by searching the rest of the table (which took
// half a minute at this size).
TEST(WorstCasesTest, LookupsInAHugeFontTableStayLinear) {
  const std::string doc = worstcase::Document(worstcase::Shape::kHugeFontTable, 4 * kMegabyte);
  Conversion result;
  const double seconds = SecondsToConvert(doc, result);
  EXPECT_NE(result.page.find("font-family:Font number "), std::string::npos);
  EXPECT_LT(seconds, 8.0);
}

// Font tables whose entries send every walk far ahead: no space at all, the only ";" at the
// very end, nested groups that never close or close only at the end. Each entry's look must not
// read the rest of the table (these took from seconds to minutes).
TEST(WorstCasesTest, HostileFontTablesStayLinear) {
  constexpr int kEntries = 400000;
  auto table = [](const char* entry, const std::string& tail) {
    std::string t = "{\\fonttbl";
    for (int i = 0; i < kEntries; ++i) t.append("{\\f").append(std::to_string(i)).append(entry);
    return t + tail + "}";
  };
  const std::pair<const char*, std::string> cases[] = {
      {"no space", table("\\fnil;}", "")},
      {"far semicolon", table(" a}", "{\\f0 x;}")},
      {"open groups", table(" {{x}", "{\\f0 x;}")},
      {"groups closed at the end", table(" {{x}", std::string(kEntries, '}') + "{\\f0 x;}")},
  };
  for (const auto& [name, fonts] : cases) {
    const auto started = std::chrono::steady_clock::now();
    const std::string entries = ParseFontTable(fonts);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_LT(seconds, 10.0) << name;
    EXPECT_EQ(entries.rfind("\\f0\\", 0), 0u) << name;
  }
}

TEST(WorstCasesTest, CyrSuffixOfALaterFontDoesNotShortenAnEarlierName) {
  const std::pair<std::string, std::string> cases[] = {
      // The later entry's " Cyr" lies beyond this entry's end.
      {"{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fswiss Arial Cyr;}}", "font-family:Arial;"},
      {"{\\fonttbl{\\f0\\fswiss Arial Cyr;}{\\f1\\fswiss Courier;}}", "font-family:Arial;"},
      {"{\\fonttbl{\\f0\\fswiss Times New Roman Cyr Bold;}}", "font-family:Times New Roman;"},
      {"{\\fonttbl{\\f0\\fswiss Verdana;}{\\f1\\fswiss X Cyr;}{\\f2\\fswiss Y Cyr;}}",
       "font-family:Verdana;"},
  };
  for (const auto& [table, expected] : cases) {
    const std::string doc = "{\\rtf1\\ansi\\ansicpg1251\\deff0" + table +
                            "{\\*\\generator Test;}\\pard\\plain \\f0\\fs24 {\\f0 word\\par }}\r\n";
    const Conversion result = ConvertRtf(doc, Settings{});
    EXPECT_NE(result.page.find(expected), std::string::npos) << table << "\n" << result.page;
  }
}

}  // namespace
}  // namespace tessarine
