// Complex groups at scale: many footnotes in one long paragraph, long groups with bookmarks and
// list-number groups with many nested groups. Time per byte should not grow with the size.
#include <string>

#include <benchmark/benchmark.h>

#include "passes/notes/complex_group.h"
#include "passes/notes/hyperlink.h"

namespace tessarine {
namespace {

constexpr char kFootnote[] = "{\\cs15\\super \\chftn {\\footnote \\pard\\plain \\fs20 {\\chftn }{ A note.}}}";

// One paragraph of `range(0)` footnotes, each after a long word without spaces: the word
// before every mark is found by scanning back to the previous mark only.
void BM_FootnotesInOneParagraph(benchmark::State& state) {
  const std::string word(200, 'x');
  Settings settings;
  for (auto _ : state) {
    ConversionState st{settings, {}};
    st.OutputText = "<p>";
    for (long i = 0; i < state.range(0); ++i) {
      st.OutputText += word;
      ConvertComplexGroup(kFootnote, 1, st);
    }
    benchmark::DoNotOptimize(st.FootnotesText.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FootnotesInOneParagraph)->Arg(1000)->Arg(10000);

// One group holding `range(0)` bookmarks.
void BM_GroupWithManyBookmarks(benchmark::State& state) {
  std::string group = "{\\b Intro ";
  for (long i = 0; i < state.range(0); ++i) group += "{\\*\\bkmkstart a}marked{\\*\\bkmkend a}";
  group += " rest}";
  for (auto _ : state) benchmark::DoNotOptimize(WithoutNestedGroups(group));
  state.SetBytesProcessed(state.iterations() * static_cast<long>(group.size()));
}
BENCHMARK(BM_GroupWithManyBookmarks)->Arg(1000)->Arg(100000);

// A list-number group with `range(0)` nested groups, each behind some text.
void BM_ListNumberGroupWithManyNestedGroups(benchmark::State& state) {
  std::string group = "{\\pntext\\pard\\plain\\f1 ";
  for (long i = 0; i < state.range(0); ++i) group += "text {1.}";
  group += "}";
  Settings settings;
  for (auto _ : state) {
    ConversionState st{settings, {}};
    st.Alignment = "left";
    st.ListItemParagraphs = 1;
    ConvertComplexGroup(group, 0, st);
    benchmark::DoNotOptimize(st.OutputText.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(group.size()));
}
BENCHMARK(BM_ListNumberGroupWithManyNestedGroups)->Arg(1000)->Arg(100000);

}  // namespace
}  // namespace tessarine
