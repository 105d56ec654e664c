#include "passes/pipeline/colour_table.h"

#include "passes/scan/next_finder.h"
#include "passes/scan/number.h"

namespace tessarine {

namespace {

// The value of the text after the component word at `word` (an offset in `text`) up to the
// next `stop` character; no `stop` after it gives 0.
long ComponentValue(std::string_view text, size_t word, size_t word_size, NextFinder& stop) {
  if (word == std::string_view::npos) return 0;
  std::string_view after = text.substr(word + word_size);
  size_t end = stop.In(after);
  if (end == std::string_view::npos) return 0;
  return ValueOf(after.substr(0, end));
}

}  // namespace

std::vector<std::string> ParseColourTable(std::string_view text) {
  NextFinder red("red"), green("green"), blue("blue"), semicolon(";");
  NextFinder backslash_after_red("\\"), backslash_after_green("\\"), semicolon_after_blue(";");
  std::string result = "#000000";
  size_t count = 0;
  for (;;) {
    long r = ComponentValue(text, red.In(text), 3, backslash_after_red);
    long g = ComponentValue(text, green.In(text), 5, backslash_after_green);
    long b = ComponentValue(text, blue.In(text), 4, semicolon_after_blue);
    result += '#';
    result += HexOf(r);
    result += HexOf(g);
    result += HexOf(b);
    ++count;
    size_t end = semicolon.In(text);
    if (end == std::string_view::npos) break;  // nothing more can be consumed
    text.remove_prefix(end + 1);
    if (red.In(text) == std::string_view::npos) break;
  }
  std::vector<std::string> list;
  list.reserve(count + 2);
  for (size_t k = 0; k < count + 2; ++k) {
    size_t at = k * 7;
    list.push_back(at < result.size() ? result.substr(at, 7) : std::string());
  }
  return list;
}

}  // namespace tessarine
