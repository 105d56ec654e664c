// Plain-text conversion speed on generated texts of 1, 4 and 16 MB, Latin and Cyrillic, with
// isolated and indented headings, hyphenated lines, indented paragraph starts and sentence ends.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "settings/settings.h"
#include "text/convert_text.h"

namespace tessarine {
namespace {

enum class Script { kLatin, kCyrillic };

// Words in code page 1251.
const std::vector<std::string>& Words(Script script) {
  static const std::vector<std::string> latin = {
      "river", "stone",  "morning", "window", "harbour", "lantern", "quiet", "garden", "letter", "winter",
      "road",  "keeper", "island",  "silver", "meadow",  "a",       "of",    "the",    "and",    "to"};
  // Lower-case Cyrillic words (bytes 0xE0-0xFF), so sentence ends are often continued.
  static const std::vector<std::string> cyrillic = {"\xF0\xE5\xEA\xE0",
                                                    "\xEA\xE0\xEC\xE5\xED\xFC",
                                                    "\xF3\xF2\xF0\xEE",
                                                    "\xEE\xEA\xED\xEE",
                                                    "\xE3\xE0\xE2\xE0\xED\xFC",
                                                    "\xF4\xEE\xED\xE0\xF0\xFC",
                                                    "\xF2\xE8\xF5\xE8\xE9",
                                                    "\xF1\xE0\xE4",
                                                    "\xEF\xE8\xF1\xFC\xEC\xEE",
                                                    "\xE7\xE8\xEC\xE0",
                                                    "\xE4\xEE\xF0\xEE\xE3\xE0",
                                                    "\xEE\xF1\xF2\xF0\xEE\xE2",
                                                    "\xF1\xE5\xF0\xE5\xE1\xF0\xEE",
                                                    "\xEB\xF3\xE3",
                                                    "\xE8",
                                                    "\xE2",
                                                    "\xED\xE0",
                                                    "\xF1",
                                                    "\xEF\xEE",
                                                    "\xEE"};
  return script == Script::kLatin ? latin : cyrillic;
}

std::string Capitalised(Script script, std::string word) {
  unsigned char& c = reinterpret_cast<unsigned char&>(word[0]);
  c = script == Script::kLatin ? static_cast<unsigned char>(c - 'a' + 'A')
                               : static_cast<unsigned char>(c - 0x20);
  return word;
}

// A deterministic text of about `bytes` bytes with CR LF after every line.
std::string GeneratedText(size_t bytes, Script script) {
  const std::vector<std::string>& words = Words(script);
  uint32_t seed = 12345;
  auto next = [&seed](uint32_t bound) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % bound;
  };
  std::string text;
  text.reserve(bytes + 256);
  int line = 0;
  while (text.size() < bytes) {
    ++line;
    if (line % 60 == 1) {  // an isolated heading, sometimes two in a row
      text += "\r\n" + Capitalised(script, words[next(14)]) + " " + std::to_string(line) + "\r\n\r\n";
      if (next(3) == 0) text += Capitalised(script, words[next(14)]) + "\r\n\r\n";
      continue;
    }
    if (line % 97 == 0) {  // a ten-space heading
      text += "          " + Capitalised(script, words[next(14)]) + "\r\n";
      continue;
    }
    std::string l = line % 11 == 0 ? "  " : "";
    // Half the lines start in lower case, so sentence ends are also continued.
    const std::string& first = words[next(words.size())];
    l += next(2) == 0 ? Capitalised(script, first) : first;
    while (l.size() < 60) l += " " + words[next(words.size())];
    switch (next(8)) {
      case 0:
        l += ".";
        break;
      case 1:
        l += " " + words[next(14)].substr(0, 2) + "-";
        break;  // hyphenated
      case 2:
        l += " a<b>c,";
        break;
      case 3:
        l += "!";
        break;
      default:
        break;
    }
    text += l + "\r\n";
  }
  return text;
}

void BM_ConvertText(benchmark::State& state) {
  const size_t bytes = static_cast<size_t>(state.range(0)) << 20;
  const Script script = state.range(1) == 0 ? Script::kLatin : Script::kCyrillic;
  const std::string text = GeneratedText(bytes, script);
  const Settings settings;
  for (auto _ : state) {
    Conversion c = ConvertText(text, settings);
    benchmark::DoNotOptimize(c.page.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  state.SetLabel(script == Script::kLatin ? "latin" : "cyrillic");
}

BENCHMARK(BM_ConvertText)
    ->ArgsProduct({{1, 4, 16}, {0, 1}})
    ->ArgNames({"MB", "cyrillic"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessarine
