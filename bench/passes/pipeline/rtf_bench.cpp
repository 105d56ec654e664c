// Whole RTF conversions: Word-style documents and hostile shapes at 1, 4 and 16 MB. Time per
// byte should stay flat as the size grows (bytes_per_second is reported).
#include <map>
#include <string>
#include <utility>

#include <benchmark/benchmark.h>

#include "bench/rtf_documents.h"
#include "passes/pipeline/convert_rtf.h"

namespace tessarine {
namespace {

constexpr size_t kMegabyte = 1 << 20;

// Each document is generated once per program run.
const std::string& Document(int shape, long megabytes) {
  static std::map<std::pair<int, long>, std::string> cache;
  auto key = std::make_pair(shape, megabytes);
  auto it = cache.find(key);
  if (it == cache.end()) {
    const size_t bytes = static_cast<size_t>(megabytes) * kMegabyte;
    std::string doc = shape < 0 ? rtfgen::WordStyleDocument(bytes)
                                : rtfgen::Shape(static_cast<rtfgen::ShapeKind>(shape), bytes);
    it = cache.emplace(key, std::move(doc)).first;
  }
  return it->second;
}

void Convert(benchmark::State& state, int shape) {
  const std::string& doc = Document(shape, state.range(0));
  const Settings settings;
  for (auto _ : state) {
    Conversion result = ConvertRtf(doc, settings);
    benchmark::DoNotOptimize(result.page.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(doc.size()));
}

void BM_WordStyleDocument(benchmark::State& state) {
  Convert(state, -1);
}
BENCHMARK(BM_WordStyleDocument)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_HostileShape(benchmark::State& state) {
  const auto kind = static_cast<rtfgen::ShapeKind>(state.range(1));
  state.SetLabel(rtfgen::ShapeName(kind));
  Convert(state, static_cast<int>(state.range(1)));
}
BENCHMARK(BM_HostileShape)
    ->ArgsProduct({{1, 4, 16},
                   {static_cast<long>(rtfgen::ShapeKind::kLongParagraphWithoutQ),
                    static_cast<long>(rtfgen::ShapeKind::kTextWithoutBraces),
                    static_cast<long>(rtfgen::ShapeKind::kTextAfterLastGroup),
                    static_cast<long>(rtfgen::ShapeKind::kDeepNesting),
                    static_cast<long>(rtfgen::ShapeKind::kManyClosingBraces),
                    static_cast<long>(rtfgen::ShapeKind::kManyOpeningBraces),
                    static_cast<long>(rtfgen::ShapeKind::kManySmallParagraphs),
                    static_cast<long>(rtfgen::ShapeKind::kManyIgnorableGroups),
                    static_cast<long>(rtfgen::ShapeKind::kLongGroupWithParagraphMarks)}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessarine
