// The benchmarks' pathological documents through the whole converter: each converts, in time
// that does not grow faster than its size, into a page not much larger than the document.
#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "bench/worst_cases.h"
#include "engine/convert_rtf.h"

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
