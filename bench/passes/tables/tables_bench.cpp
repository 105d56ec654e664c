// Whole documents of many tables and sections, 1, 4 and 16 MB: time per byte should not grow
// with the size.
#include <string>

#include <benchmark/benchmark.h>

#include "passes/pipeline/convert_rtf.h"

namespace tessarine {
namespace {

constexpr char kHeader[] =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}"
    "{\\colortbl;\\red0\\green0\\blue0;}\\pard\\plain \\ql {Start.\\par }\r\n";

// A table of three rows whose last row is marked, with a merged column, and a paragraph after it.
std::string MarkedTable() {
  std::string table;
  for (int r = 0; r < 3; ++r) {
    const std::string definition = "\\trowd \\irow" + std::to_string(r) + "\\irowband" + std::to_string(r) +
                                   (r == 2 ? "\\lastrow " : " ") + "\\ts11\\trgaph108" +
                                   (r == 0 ? "\\clvmgf" : "\\clvmrg") + "\\cellx3000\\cellx6000\\cellx9000";
    table +=
        definition + "\\pard\\plain \\ql\\intbl {\\lang1049 cell one\\cell cell two\\cell cell three\\cell }";
    table += "\\pard\\plain \\ql\\intbl {" + definition + "\\row }\r\n";
  }
  return table + "\\pard\\plain \\ql {A paragraph between tables.\\par }\r\n";
}

// The same table as a writer without last-row marks puts it, cell ends outside the cell groups.
std::string UnmarkedTable() {
  std::string table;
  for (int r = 0; r < 3; ++r) {
    if (r > 0) table += "\\pard";
    table +=
        "\\trowd\\trql\\cellx3000\\cellx6000\\cellx9000\\pard\\plain \\intbl{cell one}\\cell\\pard\\plain "
        "\\intbl{cell two}\\cell\\pard\\plain \\intbl{cell three}\\cell\\row";
  }
  return table + "\\pard\\plain \\ql {A paragraph between tables.\\par }\r\n";
}

// A table among paragraphs without groups, which paragraph conversion takes the plain way.
std::string PlainWayTable() {
  std::string table;
  for (int r = 0; r < 3; ++r) {
    table +=
        "\\trowd\\trgaph108\\cellx3000\\cellx6000\\cellx9000\\pard\\intbl\\f0\\fs20 cell one\\cell cell "
        "two\\cell cell three\\cell\\row";
  }
  return table + "\\pard\\f0\\fs20 A paragraph between tables.\\par\r\n";
}

// A two-column section.
std::string Section() {
  return "\\sectd \\sbknone\\cols2\\colsx708{\\*\\pnseclvl1\\pnhang {\\pntxta .}}\\pard\\plain \\qj {A "
         "paragraph of "
         "the section with some words in it.\\par }\\pard\\plain \\qj {And another one.\\par }\\sect }\r\n";
}

std::string Document(const std::string& piece, long bytes) {
  std::string document = kHeader;
  while (static_cast<long>(document.size()) < bytes) document += piece;
  return document + "}\r\n";
}

void Convert(benchmark::State& state, const std::string& document) {
  const Settings settings;
  for (auto _ : state) benchmark::DoNotOptimize(ConvertRtf(document, settings).page.data());
  state.SetBytesProcessed(state.iterations() * static_cast<long>(document.size()));
}

void BM_MarkedTables(benchmark::State& state) {
  Convert(state, Document(MarkedTable(), state.range(0)));
}
void BM_UnmarkedTables(benchmark::State& state) {
  Convert(state, Document(UnmarkedTable(), state.range(0)));
}
void BM_PlainWayTables(benchmark::State& state) {
  Convert(state, Document(PlainWayTable(), state.range(0)));
}
void BM_TwoColumnSections(benchmark::State& state) {
  Convert(state, Document(Section(), state.range(0)));
}

BENCHMARK(BM_MarkedTables)->Arg(1 << 20)->Arg(4 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnmarkedTables)->Arg(1 << 20)->Arg(4 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWayTables)->Arg(1 << 20)->Arg(4 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoColumnSections)->Arg(1 << 20)->Arg(4 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessarine
