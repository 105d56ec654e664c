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
      {u"", u"", false, u""},      {u"7", u"7", false, u"7"},     {u"a", u"", true, u""},
      {u"12", u"12", false, u"1"}, {u"a1", u"", true, u"a"},      {u"1a", u"", true, u"1"},
      {u"ab", u"", true, u"a"},    {u"123", u"12", false, u"12"}, {u"1b3", u"1b", false, u"1b"},
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

// Every entry is found by its own code and by its own name, so no two entries share either,
// and every code is a lower-case "#rrggbb" as the pages write colours.
TEST(ColourTableTest, EveryEntryFindsItself) {
  for (size_t i = 0; i < kColourTable.size(); ++i) {
    const NamedColour& colour = kColourTable[i];
    EXPECT_EQ(ColourIndexFor(colour.code, -1), static_cast<int>(i)) << colour.code;
    EXPECT_EQ(ColourIndexNamed(colour.name), static_cast<int>(i)) << colour.code;
    ASSERT_EQ(colour.code.size(), 7u);
    EXPECT_EQ(colour.code[0], '#');
    for (char c : colour.code.substr(1))
      EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')) << colour.code;
  }
  const struct {
    int index;
    std::string_view code;
    std::string_view name;
  } anchors[] = {
      {0, "#000000", "Черный"},        {2, "#b22222", "Темно-красный"},   {6, "#a0522d", "Коричневый"},
      {9, "#ffff00", "Светло-желтый"}, {13, "#ff0000", "Светло-красный"}, {17, "#00ffff", "Светло-голубой"},
      {18, "#a0a0a0", "Темно-серый"},  {20, "#e6e6e6", "Светло-серый"},
  };
  for (const auto& a : anchors) {
    EXPECT_EQ(kColourTable[static_cast<size_t>(a.index)].code, a.code);
    EXPECT_EQ(kColourTable[static_cast<size_t>(a.index)].name, a.name);
  }
  // The start values of the three colours the dialog can show: two are in the table.
  EXPECT_EQ(ColourIndexFor("#dc143c", kDefaultFootnoteColour), 12);
  EXPECT_EQ(ColourIndexFor("#a0522d", kDefaultFootnoteColour), 6);
  EXPECT_EQ(ColourIndexFor("#dc143c ", kDefaultFootnoteColour), kDefaultFootnoteColour);
}

}  // namespace
}  // namespace tessarine
