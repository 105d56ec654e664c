#include "passes/scan/search.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace tessarine {
namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Folded(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = Lower(c);
  return out;
}

// Texts of RTF-like characters, short (searched directly) and long (searched by blocks), with
// patterns that start with a backslash, hold braces or letters in either case.
TEST(SearchTest, FindsWhatAPlainSearchFinds) {
  const std::string_view pieces[] = {"\\", "{", "}",     "par", "PAR", "d", "q",
                                     "c",  " ", "\\'e0", "*",   "x",   "\r"};
  const std::string_view patterns[] = {"\\par",    "\\pard", "\\*\\", "{",  "}",  "\\q",        "\\'",
                                       "\\pntext", "\\",     "x",     "pA", "c ", "\\par\\pard"};
  unsigned seed = 7;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7fff;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const unsigned length = round % 3 == 0 ? next() % 200 + 200 : next() % 60;  // up to 600 characters
    while (text.size() < length) text += pieces[next() % std::size(pieces)];
    for (std::string_view pattern : patterns) {
      for (size_t from : {size_t{0}, size_t{1}, text.size() / 2, text.size(), text.size() + 1}) {
        const size_t exact =
            from > text.size() ? std::string_view::npos : std::string_view(text).find(pattern, from);
        ASSERT_EQ(FindExact(text, pattern, from), exact) << text << " / " << pattern << " from " << from;
        const size_t folded =
            from > text.size() ? std::string_view::npos : Folded(text).find(Folded(pattern), from);
        ASSERT_EQ(FindFolded(text, pattern, from), folded) << text << " / " << pattern << " from " << from;
      }
    }
    const size_t either = std::string_view(text).find_first_of("{}");
    ASSERT_EQ(FindEither(text, '{', '}'), either) << text;
    // Every backslash before "{", "q" or a backslash is offered, in order.
    std::vector<size_t> offered, expected;
    FindBackslashBeforeWhere(text, "{q\\", 1, [&](size_t at) {
      offered.push_back(at);
      return false;
    });
    for (size_t i = 1; i + 1 < text.size(); ++i) {
      if (text[i] == '\\' && std::string_view("{q\\").find(text[i + 1]) != std::string_view::npos) expected.push_back(i);
    }
    ASSERT_EQ(offered, expected) << text;
  }
}

TEST(SearchTest, Edges) {
  struct Case {
    std::string_view text;
    std::string_view pattern;
    size_t from;
    size_t expected;
  };
  constexpr size_t kNone = std::string_view::npos;
  const Case cases[] = {
      {"", "", 0, 0},
      {"abc", "", 3, 3},
      {"abc", "", 4, kNone},
      {"", "\\", 0, kNone},
      {"\\", "\\", 0, 0},
      {"ab\\", "\\", 3, kNone},
      {"\\pa", "\\par", 0, kNone},
      {"x\\par", "\\par", 1, 1},
      {"x\\par", "\\par", 2, kNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindExact(c.text, c.pattern, c.from), c.expected) << c.text << " / " << c.pattern;
    EXPECT_EQ(FindFolded(c.text, c.pattern, c.from), c.expected) << c.text << " / " << c.pattern;
  }
}

}  // namespace
}  // namespace tessarine
