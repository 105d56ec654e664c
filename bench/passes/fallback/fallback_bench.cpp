// Documents of simple writers (paragraphs of bare control words, one per line) through the
// fallback path, and single paragraphs of adversarial shapes through ConvertChunk. Time per byte
// should not grow with the size.
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "passes/fallback/chunk.h"
#include "passes/fallback/fallback_path.h"

namespace tessarine {
namespace {

constexpr long kMegabyte = 1 << 20;

// A document of about `bytes` bytes: paragraphs with font, size and colour words, Cyrillic
// "\'xx" text, bold and italic switches, flat groups and a nested group now and then.
std::string SimpleWriterDocument(long bytes) {
  std::string doc =
      "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 "
      "Arial;}{\\f1\\froman\\fcharset204 Times "
      "New Roman;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n\\viewkind4\\uc1";
  const std::string_view paragraphs[] = {
      "\\pard\\qc\\cf2\\b\\f1\\fs32 \\'c7\\'e0\\'e3\\'ee\\'eb\\'ee\\'e2\\'ee\\'ea "
      "\\'e3\\'eb\\'e0\\'e2\\'fb\\par\r\n",
      "\\pard\\qj\\cf0\\b0\\f0\\fs20 Plain text of a paragraph \\'f1 "
      "\\'f0\\'f3\\'f1\\'f1\\'ea\\'e8\\'ec\\'e8 "
      "\\'f1\\'eb\\'ee\\'e2\\'e0\\'ec\\'e8, \\i\\ italic words\\i0\\  and \\cf1 red\\cf0  words, then more "
      "text "
      "that goes on for a while.\\par\r\n",
      "\\pard Text right after the paragraph word with {\\b\\f1 a bold group} and {\\b {\\i a nested one}} "
      "in "
      "it.\\par\r\n",
      "\\pard\\plain\\f1\\fs24\\b\\i Bold italic start,\\b0\\i0\\f0 then plain, \\ul\\ underlined\\ulnone\\ "
      "and\\tab tabbed.\\par\r\n",
  };
  for (size_t i = 0; static_cast<long>(doc.size()) < bytes; ++i) doc += paragraphs[i % 4];
  return doc + "}\r\n";
}

void BM_FallbackPathDocument(benchmark::State& state) {
  const std::string doc = SimpleWriterDocument(state.range(0) * kMegabyte);
  Settings settings;
  for (auto _ : state) {
    ConversionState st{settings, {}};
    st.Source.Load(doc);
    ConvertFallbackPath(st);
    benchmark::DoNotOptimize(st.OutputText.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(doc.size()));
}
BENCHMARK(BM_FallbackPathDocument)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

// One paragraph of `range(1)` MB made of one unit repeated.
void BM_ChunkShape(benchmark::State& state, std::string_view unit) {
  std::string paragraph = "\\pard\\f0 x";
  while (static_cast<long>(paragraph.size()) < state.range(0) * kMegabyte) paragraph += unit;
  Settings settings;
  for (auto _ : state) {
    ConversionState st{settings, {}};
    st.Source.Load(std::string(100, 'x'));
    std::string chunk = paragraph;
    ConvertChunk(chunk, st);
    benchmark::DoNotOptimize(st.OutputText.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(paragraph.size()));
}
BENCHMARK_CAPTURE(BM_ChunkShape, short_runs, "\\b y")->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChunkShape, line_breaks, "\\par")->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChunkShape, paragraph_words, "\\pard")->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChunkShape, flat_groups, "{\\b y}")->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChunkShape, open_braces, "{")->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChunkShape, words_without_text, "\\f1\\fs20")
    ->Arg(1)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChunkShape, stray_braces, "}")->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// One flat group of `range(0)` MB with a control word before every word.
void BM_LongFlatGroup(benchmark::State& state) {
  std::string paragraph = "\\pard{\\f0";
  while (static_cast<long>(paragraph.size()) < state.range(0) * kMegabyte) paragraph += " \\b word";
  paragraph += "}";
  Settings settings;
  for (auto _ : state) {
    ConversionState st{settings, {}};
    std::string chunk = paragraph;
    ConvertChunk(chunk, st);
    benchmark::DoNotOptimize(st.OutputText.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(paragraph.size()));
}
BENCHMARK(BM_LongFlatGroup)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessarine
