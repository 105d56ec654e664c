#include <string>

#include <gtest/gtest.h>

#include "settings/colour_table.h"
#include "settings/digit_check.h"

namespace tessarine {
namespace {

TEST(DigitCheckTest, OneStep) {
  const struct {
    std::u16string text;
    std::u16string two_digit;
    bool warn;
    std::u16string one_digit;
  } cases[] = {
      {u"", u"", false, u""},       {u"7", u"7", false, u"7"},     {u"a", u"", true, u""},
      {u"12", u"12", false, u"1"},  {u"a1", u"", true, u"a"},      {u"1a", u"", true, u"1"},
      {u"ab", u"", true, u"a"},     {u"123", u"12", false, u"12"}, {u"1b3", u"1b", false, u"1b"},
      {u"٣", u"", true, u""},  // only the ASCII digits count
  };
  for (const auto& c : cases) {
    DigitCheck two = CheckTwoDigitBox(c.text);
    EXPECT_EQ(two.text, c.two_digit);
    EXPECT_EQ(two.warn, c.warn);
    DigitCheck one = CheckOneDigitBox(c.text);
    EXPECT_EQ(one.text, c.one_digit);
    EXPECT_FALSE(one.warn);
  }
}

TEST(ColourTableTest, Lookups) {
  EXPECT_EQ(ColourIndexFor("#ffffff", kDefaultRuleColour), 21);
  EXPECT_EQ(ColourIndexFor("#FFFFFF", kDefaultRuleColour), kDefaultRuleColour);  // letter case counts
  EXPECT_EQ(ColourIndexFor("#e0e0e0", kDefaultBackgroundColour), 21);
  EXPECT_EQ(ColourIndexFor("", 4), 4);
  EXPECT_EQ(ColourIndexNamed("Сине-зеленый"), 4);
  EXPECT_EQ(ColourIndexNamed("сине-зеленый"), -1);
  EXPECT_EQ(kColourTable[kDefaultFootnoteColour].code, "#008080");
  EXPECT_EQ(kColourTable[12].name, "Красный");
}

}  // namespace
}  // namespace tessarine
