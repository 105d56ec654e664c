// Documents of other writers: the escape rewrite before conversion, and whole conversions of
// Unicode-escaped and smart-tagged Word-style text. Time per byte should not grow with the size.
#include <string>

#include <benchmark/benchmark.h>

#include "passes/pipeline/convert_rtf.h"
#include "passes/scan/unicode_escapes.h"

namespace tessarine {
namespace {

// A document of `bytes` bytes whose words are "\uN?" escapes, symbol words and line breaks
// after control words, in a declared code page.
std::string EscapedDocument(size_t bytes) {
  std::string doc = "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Times;}}\r\n}\\pard\\plain ";
  while (doc.size() < bytes) {
    doc += "{\\f0\\hich\\af0\r\n\\u1055?\\u1088?\\u1080 \\'e9t c\\rquote est\\~la {\\*\\xmlopen{\\x y}}M\\'e9canique"
           "{\\*\\xmlclose} \\ldblquote ok\\rdblquote\\par}\r\n";
  }
  return doc + "}";
}

void BM_RewriteEscapes(benchmark::State& state) {
  const std::string doc = EscapedDocument(static_cast<size_t>(state.range(0)));
  std::string out;
  for (auto _ : state) {
    RewriteEscapes(doc, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(doc.size()));
}
BENCHMARK(BM_RewriteEscapes)->Arg(1 << 20)->Arg(16 << 20);

void BM_ConvertEscapedDocument(benchmark::State& state) {
  const std::string doc = EscapedDocument(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ConvertRtf(doc, Settings{}).page.data());
  state.SetBytesProcessed(state.iterations() * static_cast<long>(doc.size()));
}
BENCHMARK(BM_ConvertEscapedDocument)->Arg(1 << 20)->Arg(4 << 20);

}  // namespace
}  // namespace tessarine
