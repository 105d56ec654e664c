#include <string>

#include <gtest/gtest.h>

#include "base/cp1251.h"

namespace tessarine {
namespace {

TEST(Cp1251Test, TableIsItsOwnInverse) {
  for (int b = 0; b < 256; ++b) {
    char32_t c = Cp1251ToUnicode(static_cast<unsigned char>(b));
    EXPECT_EQ(UnicodeToCp1251(c), b) << b;
  }
  EXPECT_EQ(Cp1251ToUnicode(0xC0), U'А');
  EXPECT_EQ(Cp1251ToUnicode(0xFF), U'я');
  EXPECT_EQ(Cp1251ToUnicode(0xA8), U'Ё');
  EXPECT_EQ(Cp1251ToUnicode(0x88), U'€');
  EXPECT_EQ(Cp1251ToUnicode(0x98), 0x98u);  // undefined in the code page, kept as itself
  EXPECT_EQ(UnicodeToCp1251(U'é'), -1);
  EXPECT_EQ(UnicodeToCp1251(0x1F600), -1);
}

TEST(Cp1251Test, Utf8) {
  const struct {
    char32_t c;
    std::string utf8;
  } cases[] = {{U'a', "a"},
               {0xA0, "\xC2\xA0"},
               {U'Я', "\xD0\xAF"},
               {U'€', "\xE2\x82\xAC"},
               {0x1F600, "\xF0\x9F\x98\x80"},
               {0xD800, "\xEF\xBF\xBD"},
               {0x110000, "\xEF\xBF\xBD"}};
  for (const auto& c : cases) {
    std::string out;
    AppendUtf8(out, c.c);
    EXPECT_EQ(out, c.utf8) << static_cast<unsigned long>(c.c);
  }
}

}  // namespace
}  // namespace tessarine
