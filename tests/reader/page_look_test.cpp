// What a page needs to look like its document: sizes through chains of styles, the look of list
// markers, borders, shading, line spacing and tab stops of paragraphs and cells, the page
// colour, and documents whose plain bytes are UTF-8.
#include <string>

#include <gtest/gtest.h>

#include "tests/reader/snippet.h"

namespace tessarine::testing {
namespace {

const std::string kColours = R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;})";

const Snippet kLook[] = {
    {"StylesTakeWhatTheyLackFromTheirBase",
     R"x({\rtf1{\stylesheet{\s0\fs24 Normal;}{\s3\sbasedon2\b Third;}{\s2\sbasedon0\i\fs20\qc Second;}{\s4\sbasedon4\fs30 Self;}}
\pard\s3 a\par \pard\s2 b\par \pard\s4 c\par})x",
     R"x(p center | {b,i,fs20}"a"
p center | {i,fs20}"b"
p | {fs30}"c"
)x",
     Detail::kFull},
    {"ACircleOfBasesEnds",
     R"x({\rtf1{\stylesheet{\s1\sbasedon2\b One;}{\s2\sbasedon1\fs20 Two;}}\pard\s1 a\par})x",
     R"x(p | {b,fs20}"a"
)x",
     Detail::kFull},
    {"AHeadingByNameIsNotPassedOn",
     R"x({\rtf1{\stylesheet{\s1 heading 1;}{\s5\sbasedon1 Quote;}{\s6\outlinelevel1 Named;}{\s7\sbasedon6 Below;}}
\pard\s5 a\par \pard\s7 b\par})x",
     "p | \"a\"\np h2 | \"b\"\n"},
    {"MarkersOfTheirOwnLook",
     R"x({\rtf1\deff0{\fonttbl{\f0 Arial;}{\f1\fcharset2 Symbol;}}{\*\listtable{\list\listid7{\listlevel\levelnfc0{\leveltext\'02\'00.;}\b\fs28}{\listlevel\levelnfc23{\leveltext\'01\u-3913 ?;}\f1}}}{\*\listoverridetable{\listoverride\listid7\ls1}}
{\pard\ls1\fs20 one\par}{\pard\ls1\ilvl1\i two\par}{\pard\ls1{\listtext\pard\plain\f0\cf0\ul 9.\tab}\fs20 three\par}
{\pard{\listtext\f1\'b7\tab}\fs22 four\par}})x",
     R"x(p list=1/0 "1." marker{b,f0,fs28} | {f0,fs20}"one"
p list=1/1 "•" marker{i,f0} | {i,f0}"two"
p list=1/0 "9." marker{u,f0} | {f0,fs20}"three"
p list=0/0 "•" marker{f0} | {f0,fs22}"four"
)x",
     Detail::kFull},
    {"ParagraphBordersAndShading",
     kColours + R"x(\pard\brdrt\brdrs\brdrw10\brdrcf1\brsp40\brdrb\brdrdb\brdrw15 a\par
\pard\box\brdrdot\brdrw5\cbpat2 b\par \pard\shading5000\cfpat1 c\par \pard\cbpat2\shading2500 d\par
\pard\brdrbtw\brdrs\trbrdrt\brdrs\chbrdr\brdrs e\par})x",
     R"x(p t:s1w10cff0000p40 b:s2w15 | "a"
p t:s3w5 l:s3w5 b:s3w5 r:s3w5 bg0000ff | "b"
p bgff8080 | "c"
p bg0000bf | "d"
p | "e"
)x",
     Detail::kFull},
    {"LineSpacingAndTabStops",
     R"x({\rtf1\deftab567 \sl360\slmult1 a\par \pard\sl-400\slmult0 b\par \pard\sl480 c\par \pard\tx2000\tqr\tx500\tldot\tx2000 d\par \pard\sl240\slmult1 e\par})x",
     R"x(p line=360x | "a"
p line=-400 | "b"
p line=480 | "c"
p tx500 tx2000 | "d"
p line=240x | "e"
deftab 567
)x",
     Detail::kFull},
    {"AParagraphsOwnTabsReplaceItsStyles",
     R"x({\rtf1{\stylesheet{\s1\tx100\tx200\sl300\box\brdrs Tabbed;}}\pard\s1 a\par \pard\s1\tx900 b\par})x",
     R"x(p line=300 t:s1 l:s1 b:s1 r:s1 tx100 tx200 | "a"
p line=300 t:s1 l:s1 b:s1 r:s1 tx900 | "b"
)x",
     Detail::kFull},
    {"CellBordersShadingAndVerticalAlignment",
     kColours +
         R"x(\trowd\clvertalc\clbrdrt\brdrs\brdrw10\clbrdrb\brdrnone\clcbpat1\cellx1000\clvertalb\clcfpat2\clshdng10000\cellx2000\clbrdrl\brdrdash\brdrcf2\cellx3000
\pard\intbl a\cell b\cell c\cell\row})x",
     R"x(table
 row left=0
  cell right=1000 bgff0000 borders t:s1w10 middle
   p | "a"
  cell right=2000 bg0000ff bottom
   p | "b"
  cell right=3000 borders l:s4c0000ff
   p | "c"
)x",
     Detail::kFull},
    {"PageColourFromTheBackgroundShape",
     R"x({\rtf1{\*\background{\shp{\*\shpinst{\sp{\sn fillColor}{\sv 10092543}}{\sp{\sn pib}{\sv {\pict\pngblip 89504e47}}}}{\shprslt{\pict\pngblip 89504e47}}{\shptxt box\par}}}text{\shp{\*\shpinst{\sp{\sn fillColor}{\sv 255}}}}\par})x",
     R"x(p | "text"
background ffff99
)x",
     Detail::kFull},
    {"PlainUtf8BytesAreReadAsUtf8",
     "{\\rtf1\\ansi\\ansicpg1252{\\info{\\author \xD0\x9C\xD0\xB8\xD1\x80}}caf\xC3\xA9 \\'e9 \\u233\xC3\xA9 "
     "\xF0\x9F\x98\x80{\\*\\atnauthor\xD0\x9C\xD0\xB8\xD1\r\n\x80}{\\*\\annotation x}\\par}",
     "p | \"caf\xC3\xA9 \xC3\xA9 \xC3\xA9 \xF0\x9F\x98\x80\" <note 0>\nnote 0 comment by "
     "\"\xD0\x9C\xD0\xB8\xD1\x80\"\n"
     " p | \"x\"\nauthor \"\xD0\x9C\xD0\xB8\xD1\x80\"\n"},
    {"BytesAfterLongAsciiStretchesAreLookedAtToo",
     "{\\rtf1\\ansi\\ansicpg1251 0123456789abcdefghijklmnopqrstuvwxyz0123456789 \xC3\xA9"
     " 0123456789abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ \xCF\\par}",
     "p | \"0123456789abcdefghijklmnopqrstuvwxyz0123456789 \xD0\x93\xC2\xA9"
     " 0123456789abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ \xD0\x9F\"\n"},
    {"BytesThatAreNoUtf8KeepTheirCodePage",
     "{\\rtf1\\ansi\\ansicpg1251 \xCF\xF0\xE8\xE2\xE5\xF2 \xC3\xA9\\par}",
     "p | \"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\x93\xC2\xA9\"\n"},
};

class PageLookTest : public ::testing::TestWithParam<Snippet> {};
TEST_P(PageLookTest, Reads) {
  ExpectReading(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Snippets, PageLookTest, ::testing::ValuesIn(kLook), SnippetName);

}  // namespace
}  // namespace tessarine::testing
