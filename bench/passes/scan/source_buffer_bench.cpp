// The working text and the file text rule on sources of 1, 4 and 16 MB: each must be linear.
#include <string>

#include <benchmark/benchmark.h>

#include "base/file_text.h"
#include "passes/scan/source_buffer.h"

namespace tessarine {
namespace {

// An RTF-like source of `bytes` characters: paragraphs of control words and Cyrillic text with
// CR LF line ends, escaped braces and dashes sprinkled in.
std::string MakeSource(size_t bytes) {
  const std::string paragraph =
      "}\\pard\\plain\\s1\\ql\\fi720\\f0\\fs24\\cf1 {\\f0\\fs24 \xCF\xF0\xE8\xEC\xE5\xF0 "
      "\\{text\\} \\endash  more words here\\par}\r\n";
  std::string source = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\r\n";
  while (source.size() < bytes) source += paragraph;
  return source;
}

void SetBytes(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void BM_JoinLinesWithCrLf(benchmark::State& state) {
  const std::string raw = MakeSource(static_cast<size_t>(state.range(0)) << 20);
  for (auto _ : state) benchmark::DoNotOptimize(JoinLinesWithCrLf(raw));
  SetBytes(state, raw.size());
}
BENCHMARK(BM_JoinLinesWithCrLf)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_LoadAndReadAll(benchmark::State& state) {
  const std::string raw = MakeSource(static_cast<size_t>(state.range(0)) << 20);
  SourceBuffer buffer;
  for (auto _ : state) {
    buffer.Load(raw);
    benchmark::DoNotOptimize(buffer.ReadAll());
  }
  SetBytes(state, raw.size());
}
BENCHMARK(BM_LoadAndReadAll)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

// The escape passes: five replace-alls over the whole source.
void BM_ReplaceAllPasses(benchmark::State& state) {
  const std::string raw = MakeSource(static_cast<size_t>(state.range(0)) << 20);
  SourceBuffer buffer;
  for (auto _ : state) {
    state.PauseTiming();
    buffer.Load(raw);
    state.ResumeTiming();
    buffer.ReplaceAll("\\endash", "-");
    buffer.ReplaceAll("\\\\{", "\\\\ {");
    buffer.ReplaceAll("\\\\}", "\\\\ }");
    buffer.ReplaceAll("\\{", "\\\"\"\"");
    buffer.ReplaceAll("\\}", "\\^^^");
  }
  SetBytes(state, raw.size());
}
BENCHMARK(BM_ReplaceAllPasses)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

// The body loop's pattern: look for the next markers, cut the front up to the first, repeat.
void BM_FindAndCutFront(benchmark::State& state) {
  const std::string raw = MakeSource(static_cast<size_t>(state.range(0)) << 20);
  SourceBuffer buffer;
  for (auto _ : state) {
    state.PauseTiming();
    buffer.Load(raw);
    state.ResumeTiming();
    for (;;) {
      long p = buffer.Find("\\pard", 1);
      long t = buffer.Find("\\trowd", 0);  // absent: its failed search is remembered
      long s = buffer.Find("\\sectd", 0);
      benchmark::DoNotOptimize(t + s);
      if (p < 0) break;
      benchmark::DoNotOptimize(buffer.Cut(0, p));
    }
  }
  SetBytes(state, raw.size());
}
BENCHMARK(BM_FindAndCutFront)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessarine
