// Pathological inputs at 1, 4 and 16 MB through the whole converters. Time per byte must stay
// flat as the size grows: compare bytes_per_second of one shape across its sizes
// (scripts/bench.sh prints the 1 -> 16 MB ratio of every shape).
#include <map>
#include <string>
#include <utility>

#include <benchmark/benchmark.h>

#include "bench/worst_cases.h"
#include "passes/pipeline/convert_rtf.h"
#include "text/convert_text.h"

namespace tessarine {
namespace {

constexpr size_t kMegabyte = 1 << 20;

// Each document is generated once per program run.
const std::string& Document(worstcase::Shape shape, long megabytes) {
  static std::map<std::pair<worstcase::Shape, long>, std::string> cache;
  auto key = std::make_pair(shape, megabytes);
  auto it = cache.find(key);
  if (it == cache.end()) {
    it = cache.emplace(key, worstcase::Document(shape, static_cast<size_t>(megabytes) * kMegabyte)).first;
  }
  return it->second;
}

void BM_RtfWorstCase(benchmark::State& state) {
  const auto shape = worstcase::kAllShapes[static_cast<size_t>(state.range(1))];
  state.SetLabel(worstcase::ShapeName(shape));
  const std::string& doc = Document(shape, state.range(0));
  const Settings settings;
  for (auto _ : state) {
    Conversion result = ConvertRtf(doc, settings);
    benchmark::DoNotOptimize(result.page.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(doc.size()));
}
BENCHMARK(BM_RtfWorstCase)
    ->ArgsProduct({{1, 4, 16}, benchmark::CreateDenseRange(0, worstcase::kAllShapes.size() - 1, 1)})
    ->Unit(benchmark::kMillisecond);

// Plain texts: one line of one character, blank lines only, lines of spaces only, lines of ten
// spaces (headings), one line break at the very end only.
enum class TextShape { kOneLongLine, kBlankLines, kSpaceLines, kHeadingLines, kShortLines };
const char* const kTextShapeNames[] = {"one_long_line", "blank_lines", "space_lines", "heading_lines",
                                       "short_lines"};

std::string TextDocument(TextShape shape, size_t bytes) {
  std::string doc;
  doc.reserve(bytes + 2);
  switch (shape) {
    case TextShape::kOneLongLine:
      doc.assign(bytes, 'x');
      break;
    case TextShape::kBlankLines:
      doc.append("title");
      worstcase::RepeatUntil(doc, "\r\n", bytes);
      break;
    case TextShape::kSpaceLines:
      worstcase::RepeatUntil(doc, "   \r\n", bytes);
      break;
    case TextShape::kHeadingLines:
      worstcase::RepeatUntil(doc, "          heading\r\n", bytes);
      break;
    case TextShape::kShortLines:
      worstcase::RepeatUntil(doc, "a.\r\n", bytes);
      break;
  }
  doc.append("\r\n");
  return doc;
}

void BM_TextWorstCase(benchmark::State& state) {
  const auto shape = static_cast<TextShape>(state.range(1));
  state.SetLabel(kTextShapeNames[state.range(1)]);
  const std::string doc = TextDocument(shape, static_cast<size_t>(state.range(0)) * kMegabyte);
  const Settings settings;
  for (auto _ : state) {
    Conversion result = ConvertText(doc, settings);
    benchmark::DoNotOptimize(result.page.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(doc.size()));
}
BENCHMARK(BM_TextWorstCase)->ArgsProduct({{1, 4, 16}, {0, 1, 2, 3, 4}})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessarine
