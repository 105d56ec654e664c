// The structured reader on generated documents: Word-style and LibreOffice-style documents of
// 1, 4 and 16 MB, and every worst-case shape at 1, 4 and 16 MB (scripts/bench.sh prints the
// 1 -> 16 MB ratio of each shape; 1.0 is linear).
#include <map>
#include <string>
#include <utility>

#include <benchmark/benchmark.h>

#include "bench/libreoffice_documents.h"
#include "bench/rtf_documents.h"
#include "bench/worst_cases.h"
#include "reader/read_rtf.h"

namespace tessarine {
namespace {

constexpr size_t kMegabyte = 1 << 20;

enum class Writer { kWord, kLibreOffice };

// Each document is generated once per program run.
const std::string& WriterDocument(Writer writer, long megabytes) {
  static std::map<std::pair<Writer, long>, std::string> cache;
  auto key = std::make_pair(writer, megabytes);
  auto it = cache.find(key);
  if (it == cache.end()) {
    const size_t bytes = static_cast<size_t>(megabytes) * kMegabyte;
    it = cache
             .emplace(key, writer == Writer::kWord ? rtfgen::WordStyleDocument(bytes)
                                                   : rtfgen::LibreOfficeStyleDocument(bytes))
             .first;
  }
  return it->second;
}

const std::string& WorstCaseDocument(worstcase::Shape shape, long megabytes) {
  static std::map<std::pair<worstcase::Shape, long>, std::string> cache;
  auto key = std::make_pair(shape, megabytes);
  auto it = cache.find(key);
  if (it == cache.end()) {
    it = cache.emplace(key, worstcase::Document(shape, static_cast<size_t>(megabytes) * kMegabyte)).first;
  }
  return it->second;
}

void Read(benchmark::State& state, const std::string& doc) {
  for (auto _ : state) {
    model::Document document = ReadRtfDocument(doc);
    benchmark::DoNotOptimize(document.body.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(doc.size()));
}

void BM_ReadWordStyleDocument(benchmark::State& state) {
  Read(state, WriterDocument(Writer::kWord, state.range(0)));
}
BENCHMARK(BM_ReadWordStyleDocument)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_ReadLibreOfficeStyleDocument(benchmark::State& state) {
  Read(state, WriterDocument(Writer::kLibreOffice, state.range(0)));
}
BENCHMARK(BM_ReadLibreOfficeStyleDocument)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_ReaderWorstCase(benchmark::State& state) {
  const auto shape = worstcase::kAllShapes[static_cast<size_t>(state.range(1))];
  state.SetLabel(worstcase::ShapeName(shape));
  Read(state, WorstCaseDocument(shape, state.range(0)));
}
BENCHMARK(BM_ReaderWorstCase)
    ->ArgsProduct({{1, 4, 16}, benchmark::CreateDenseRange(0, worstcase::kAllShapes.size() - 1, 1)})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessarine
