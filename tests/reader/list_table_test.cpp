// List tables and list items: the writer's markers and the numbers the tables define.
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "reader/list_table.h"
#include "tests/reader/snippet.h"

namespace tessarine::testing {
namespace {

const Snippet
    kLists
        [] =
            {
                {"ListNumbersFromTable",
                 R"x({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset204 Times;}{\f1\fcharset0 Arial;}{\f2\fcharset2 Symbol;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}{\*\listtable{\list\listtemplateid1{\listlevel\levelnfc0\levelstartat1{\leveltext\'02\'00.;}{\levelnumbers\'01;}}{\listlevel\levelnfc4\levelstartat1{\leveltext\'02\'01);}{\levelnumbers\'01;}}{\listlevel\levelnfc2\levelstartat1{\leveltext\'04\'00.\'02.;}{\levelnumbers\'01\'03;}}\listid10}{\list{\listlevel\levelnfc23{\leveltext\'01\u8226 ?;}}\listid20}{\list{\listlevel\levelnfc1\levelstartat4{\leveltext\'02\'00.;}}{\listlevel\levelnfc3{\leveltext\'02\'01.;}}\listid30}{\list{\listlevel\levelnfc255{\leveltext\'00;}}\listid40}{\list{\listlevel\levelnfc23{\leveltext\'01\u-3913 ?;}\f2}\listid50}{\list{\listlevel\levelnfc22{\leveltext\'02\'00.;}}\listid60}}{\*\listoverridetable{\listoverride\listid10\listoverridecount0\ls1}{\listoverride\listid20\ls2}{\listoverride\listid30\ls3}{\listoverride\listid40\ls4}{\listoverride\listid50\ls5}{\listoverride\listid60\ls6}}\pard\ls1 one\par \ls1 two\par \ls1\ilvl1 a\par \ls1\ilvl1 b\par \ls1\ilvl2 deep\par \ls1\ilvl0 three\par \ls1\ilvl1 again\par})x",
                 R"x(p list=1/0 "1." | "one"
p list=1/0 "2." | "two"
p list=1/1 "a)" | "a"
p list=1/1 "b)" | "b"
p list=1/2 "2.i." | "deep"
p list=1/0 "3." | "three"
p list=1/1 "a)" | "again"
)x"},
                {"ListFormats", R"x({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset204 Times;}{\f1\fcharset0 Arial;}{\f2\fcharset2 Symbol;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}{\*\listtable{\list\listtemplateid1{\listlevel\levelnfc0\levelstartat1{\leveltext\'02\'00.;}{\levelnumbers\'01;}}{\listlevel\levelnfc4\levelstartat1{\leveltext\'02\'01);}{\levelnumbers\'01;}}{\listlevel\levelnfc2\levelstartat1{\leveltext\'04\'00.\'02.;}{\levelnumbers\'01\'03;}}\listid10}{\list{\listlevel\levelnfc23{\leveltext\'01\u8226 ?;}}\listid20}{\list{\listlevel\levelnfc1\levelstartat4{\leveltext\'02\'00.;}}{\listlevel\levelnfc3{\leveltext\'02\'01.;}}\listid30}{\list{\listlevel\levelnfc255{\leveltext\'00;}}\listid40}{\list{\listlevel\levelnfc23{\leveltext\'01\u-3913 ?;}\f2}\listid50}{\list{\listlevel\levelnfc22{\leveltext\'02\'00.;}}\listid60}}{\*\listoverridetable{\listoverride\listid10\listoverridecount0\ls1}{\listoverride\listid20\ls2}{\listoverride\listid30\ls3}{\listoverride\listid40\ls4}{\listoverride\listid50\ls5}{\listoverride\listid60\ls6}}\pard\ls2 bullet\par\pard\ls3 four\par\pard\ls3\ilvl1 A\par\pard\ls4 none\par\pard\ls5 sym\par\pard\ls6 zero\par\pard\ls9 unknown\par})x",
                 R"x(p list=2/0 "•" | "bullet"
p list=3/0 "IV." | "four"
p list=3/1 "A." | "A"
p list=4/0 "" | "none"
p list=5/0 "•" | "sym"
p list=6/0 "01." | "zero"
p list=9/0 "" | "unknown"
)x"},
                {"WriterMarkerPreferred",
                 R"x({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset204 Times;}{\f1\fcharset0 Arial;}{\f2\fcharset2 Symbol;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}{\*\listtable{\list\listtemplateid1{\listlevel\levelnfc0\levelstartat1{\leveltext\'02\'00.;}{\levelnumbers\'01;}}{\listlevel\levelnfc4\levelstartat1{\leveltext\'02\'01);}{\levelnumbers\'01;}}{\listlevel\levelnfc2\levelstartat1{\leveltext\'04\'00.\'02.;}{\levelnumbers\'01\'03;}}\listid10}{\list{\listlevel\levelnfc23{\leveltext\'01\u8226 ?;}}\listid20}{\list{\listlevel\levelnfc1\levelstartat4{\leveltext\'02\'00.;}}{\listlevel\levelnfc3{\leveltext\'02\'01.;}}\listid30}{\list{\listlevel\levelnfc255{\leveltext\'00;}}\listid40}{\list{\listlevel\levelnfc23{\leveltext\'01\u-3913 ?;}\f2}\listid50}{\list{\listlevel\levelnfc22{\leveltext\'02\'00.;}}\listid60}}{\*\listoverridetable{\listoverride\listid10\listoverridecount0\ls1}{\listoverride\listid20\ls2}{\listoverride\listid30\ls3}{\listoverride\listid40\ls4}{\listoverride\listid50\ls5}{\listoverride\listid60\ls6}}{\listtext\pard\plain\f0 7)\tab}\pard\ls1 own\par\pard\ls1 counted\par})x",
                 R"x(p list=1/0 "7)" | "own"
p list=1/0 "2." | "counted"
)x"},
                {"LegacyPnText",
                 R"x({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset204 Times;}{\f1\fcharset0 Arial;}{\f2\fcharset2 Symbol;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}{\pntext\f2\'b7\tab}{\*\pn\pnlvlblt\pnf2{\pntxtb\'b7}}\fi-360\li720 item\par\pard plain\par})x",
                 R"x(p list=0/0 "•" | "item"
p | "plain"
)x"},
                {"ListZeroIsNoList",
                 R"x({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset204 Times;}{\f1\fcharset0 Arial;}{\f2\fcharset2 Symbol;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}\pard\ls0 text\par})x",
                 R"x(p | "text"
)x"},
                {"ParagraphInsideItsMarkerKeepsItsText",
                 R"x({\rtf1{\listtext\pard\fi-360\li720{\tab Item one}{\par}}{\listtext\pard{\tab Item two}{\par}}after\par\pard x{\pntext y\par}z})x",
                 R"x(p | <tab> "Item one"
p | <tab> "Item two"
p | "after"
p | "xy"
p | "z"
)x"},
                {"LinksInMarkersStayBalanced",
                 R"x({\rtf1{\listtext{\field{\*\fldinst HYPERLINK "x"}{\fldrslt 1.}}\tab}one\par{\field{\*\fldinst HYPERLINK "y"}{\fldrslt a{\pntext b}c}}\par})x",
                 R"x(p list=0/0 "1." | "one"
p list=0/0 "b" | <link y> "ac" </link>
)x"},
};

class ListTableTest : public ::testing::TestWithParam<Snippet> {};
TEST_P(ListTableTest, Reads) {
  ExpectReading(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Snippets, ListTableTest, ::testing::ValuesIn(kLists), SnippetName);

TEST(ListTableTest, NumberFormats) {
  const std::tuple<int32_t, int32_t, const char*> cases[] = {
      {4, 0, "4"},    {4, 1, "IV"}, {1994, 1, "MCMXCIV"}, {9, 2, "ix"},  {4000, 1, "4000"},
      {1, 3, "A"},    {26, 4, "z"}, {27, 4, "aa"},        {28, 3, "BB"}, {7, 22, "07"},
      {12, 22, "12"}, {3, 57, "3"}, {0, 1, "0"},          {-2, 4, "-2"},
  };
  for (const auto& [n, format, text] : cases)
    EXPECT_EQ(reader::FormatListNumber(n, format), text) << n << "/" << format;
}

// Hostile list definitions give bounded markers: the pattern's length counts, and the marker is
// cut to kMaxMarker bytes on a character boundary.
TEST(ListTableTest, MarkersStayShort) {
  reader::ListTable lists;
  lists.BeginList();
  lists.BeginLevel();
  std::string& pattern = *lists.LevelText();
  pattern.push_back(static_cast<char>(200));
  for (int i = 0; i < 199; ++i) pattern += i % 2 ? "\xD0\x96" : std::string(1, '\0');
  lists.EndLevel(1252);
  lists.SetListId(7);
  lists.EndList();
  lists.BeginOverride();
  lists.SetListId(7);
  lists.SetOverrideNumber(1);
  lists.EndOverride();
  const std::string marker = lists.NextMarker(1, 0);
  EXPECT_LE(marker.size(), reader::ListTable::kMaxMarker);
  EXPECT_EQ(marker.substr(0, 3), "1\xD0\x96");
}

}  // namespace
}  // namespace tessarine::testing
