// List markers in their normal form, and found at the starts of a page's lines.
#include "tests/fidelity/list_markers.h"

#include <gtest/gtest.h>

namespace tessarine::testing {
namespace {

TEST(ListMarkersTest, MarkersAreNormalAndFoundAtLineStarts) {
  struct Normal {
    const char* marker;
    const char* normal;
  };
  const Normal normals[] = {
      {" 1.\t", "1."},
      {"\xE2\x80\xA2", "*"},
      {"\xC2\xB7", "*"},
      {"\xEF\x82\xB7", "*"},
      {"o", "*"},
      {"\xC2\xA0"
       "a)\xC2\xA0",
       "a)"},
      {"iv.", "iv."},
      {"", ""},
      {"\xE2\x80\x93", "*"},
  };
  for (const Normal& n : normals) EXPECT_EQ(NormalMarker(n.marker), n.normal) << n.marker;

  struct Case {
    const char* line;
    const char* marker;
    bool found;
  };
  const Case cases[] = {
      {"1.\xC2\xA0\xC2\xA0"
       "First",
       "1.", true},
      {"1.First", "1.", true},  // glued, but the marker ends in a sign
      {"10. Tenth", "1.", false},
      {"1) x", "1.", false},
      {"a) item", "a)", true},
      {"A b", "A", true},
      {"Ab", "A", false},  // a letter marker glued to a word is a word
      {"\xE2\x80\xA2 item", "*", true},
      {"\xE2\x80\xA2item", "*", true},
      {"\xC2\xB7\titem", "*", true},
      {"o item", "*", true},
      {"only", "*", false},
      {"-1 degrees", "*", false},
      {"iv.", "iv.", true},
      {"", "1.", false},
      {"x", "", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StartsWithMarker(c.line, c.marker), c.found) << c.line << " | " << c.marker;
}

}  // namespace
}  // namespace tessarine::testing
