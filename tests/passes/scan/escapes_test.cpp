#include "passes/scan/escapes.h"

#include <string>

#include <gtest/gtest.h>

namespace tessarine {
namespace {

TEST(EscapesTest, RewritesEachEscapeInItsTurn) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\\endash b", "a- b"},
      {"a\\ENDASH b\\EnDaSh c", "a- b- c"},  // any letter case
      {"x\\\\{y", "x\\\\ {y"},               // an escaped backslash before a group
      {"x\\\\}y", "x\\\\ }y"},
      {"x\\{y\\}z", "x\\\"\"\"y\\^^^z"},  // escaped braces become placeholders
      {"x\\\\\\{y", "x\\\\\\ {y"},        // three backslashes: the last two pass for an escaped one
      {"x\\{\\{\\{", "x\\\"\"\"\\\"\"\"\\\"\"\""},
      {"plain {text}", "plain {text}"},
      {"", ""},
      // An occurrence at the very front ends its pass before anything is replaced.
      {"\\endash x\\endash", "\\endash x\\endash"},
      {"\\{a\\{", "\\{a\\{"},
      {"\\}a\\{b", "\\}a\\\"\"\"b"},
      // A front "\\{" keeps pass 2 from running, so pass 4 takes its "\{" as an escaped brace.
      {"\\\\{x\\\\{", "\\\\\"\"\"x\\\\\"\"\""},
  };
  for (const auto& [in, expected] : cases) {
    std::string out;
    const bool changed = NormaliseEscapes(in, out);
    EXPECT_EQ(changed ? out : in, expected) << in;
    EXPECT_EQ(changed, expected != in) << in;
  }
}

}  // namespace
}  // namespace tessarine
