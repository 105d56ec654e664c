// The style sheet: styles' formatting where the writer does not repeat it, and headings.
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "reader/style_sheet.h"
#include "tests/reader/snippet.h"

namespace tessarine::testing {
namespace {

const Snippet kStyles[] = {
    {"StyleSheetFormatting",
     R"x({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset204 Times;}{\f1\fcharset0 Arial;}{\f2\fcharset2 Symbol;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}{\stylesheet{\s0 Normal;}{\s1\qc\sb240\b\fs32 heading 1;}{\s2\outlinelevel2\i Custom;}}\pard\s1 Title\par\pard\s2 Sub\par\pard\s0 Body\par})x",
     R"x(p center h1 | {b}"Title"
p h3 | {i}"Sub"
p | "Body"
)x"},
    {"RussianHeadingStyle",
     R"x({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset204 Times;}{\f1\fcharset0 Arial;}{\f2\fcharset2 Symbol;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}{\stylesheet{\s0 Normal;}{\s2 \'c7\'e0\'e3\'ee\'eb\'ee\'e2\'ee\'ea 2;}{\s3 \'e7\'e0\'e3\'ee\'eb\'ee\'e2\'ee\'ea 3;}}\s2 A\par\pard\s3 B\par})x",
     R"x(p h2 | "A"
p h3 | "B"
)x"},
    {"CharacterStyle", R"x({\rtf1{\stylesheet{\s0 Normal;}{\*\cs10\additive\i\ul Emphasis;}}a{\cs10 b}c})x",
     R"x(p | "a" {i,u}"b" "c"
)x"},
    {"StyleOutlineLevelWins", R"x({\rtf1{\stylesheet{\s1\outlinelevel3 heading 1;}}\s1 x\par})x",
     R"x(p h4 | "x"
)x"},
    {"ExplicitWordsOverStyle", R"x({\rtf1{\stylesheet{\s1\b\qc heading 1;}}\s1\b0\ql x\par})x",
     R"x(p h1 | "x"
)x"},
    {"UngroupedStyleSheet", R"x({\rtf1{\stylesheet\s1\outlinelevel0 One;\s2\outlinelevel1 Two;}\s2 x\par})x",
     R"x(p h2 | "x"
)x"},
    {"StyleFillsOnlyWhatTheParagraphDoesNotGive",
     R"x({\rtf1{\stylesheet{\s1\qc\li100\sa60\i heading 2;}}\pard\li720\s1 a\par\pard\plain\b\s1 b\par})x",
     R"x(p center h2 left=720 after=60 | {i}"a"
p center h2 left=100 after=60 | {b}"b"
)x",
     Detail::kFull},
    {"DefaultFontLeavesTheStyleItsFormatting",
     R"x({\rtf1\deff0{\fonttbl{\f0 Arial;}}{\stylesheet{\s1\b Heading;}}\s1 text\par})x",
     R"x(p | {b}"text"
)x"},
    {"StyleRepeatedInRunsKeepsTheParagraph",
     R"x({\rtf1{\stylesheet{\s1 Normal;}}\pard\fi-360\li720\s1\ls1\ilvl0{\s1 item}{\s1\par}})x",
     R"x(p list=1/0 "" | "item"
)x"},
};

class StyleSheetTest : public ::testing::TestWithParam<Snippet> {};
TEST_P(StyleSheetTest, Reads) {
  ExpectReading(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Snippets, StyleSheetTest, ::testing::ValuesIn(kStyles), SnippetName);

TEST(StyleSheetTest, HeadingNames) {
  const std::pair<const char*, int> cases[] = {
      {"heading 1", 1},
      {"Heading 6", 6},
      {"HEADING 3", 3},
      {" heading 2 ", 2},
      {"heading 7", 0},
      {"heading", 0},
      {"heading 12", 0},
      {"Normal", 0},
      {"headings 1", 0},
      {"\xD0\x97\xD0\xB0\xD0\xB3\xD0\xBE\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE\xD0\xBA 4", 4},
      {"\xD0\xB7\xD0\xB0\xD0\xB3\xD0\xBE\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE\xD0\xBA 5", 5},
  };
  for (const auto& [name, heading] : cases) EXPECT_EQ(reader::HeadingOfStyleName(name), heading) << name;
}

}  // namespace
}  // namespace tessarine::testing
