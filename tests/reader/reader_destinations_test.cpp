// Destinations: information, notes and comments, shapes and text boxes, headers and footers,
// objects, skipped groups and encapsulated HTML.
#include <string>

#include <gtest/gtest.h>

#include "tests/reader/snippet.h"

namespace tessarine::testing {
namespace {

const Snippet kDestinations[] = {
    {"Info",
     R"x({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset204 Times;}{\f1\fcharset0 Arial;}{\f2\fcharset2 Symbol;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}{\info{\title \'c4\'ee\'ea\'f3\'ec\'e5\'ed\'f2}{\author Ivan}{\subject S}{\operator O}{\*\company C}}Body})x",
     R"x(p | "Body"
title "Документ"
author "Ivan"
)x"},
    {"Footnote", R"x({\rtf1 a{\super\chftn}{\footnote\pard\plain{\super\chftn} note text\par}b})x",
     R"x(p | "a" <note 0> "b"
note 0 footnote
 p | " note text"
)x"},
    {"Endnote", R"x({\rtf1 a{\footnote\ftnalt\pard end\par}})x",
     R"x(p | "a" <note 0>
note 0 endnote
 p | "end"
)x"},
    {"Comment",
     R"x({\rtf1 word{\*\atnid JD}{\*\atnauthor John Doe}\chatn{\*\annotation{\*\atnref 1}\pard remark\par} next})x",
     R"x(p | "word" <note 0> " next"
note 0 comment by "John Doe"
 p | "remark"
)x"},
    {"CommentWithIdOnly", R"x({\rtf1 w{\*\atnid JD}\chatn{\*\annotation x}})x",
     R"x(p | "w" <note 0>
note 0 comment by "JD"
 p | "x"
)x"},
    {"FootnoteInCellIsNoTable", R"x({\rtf1\trowd\cellx1000\pard\intbl a{\footnote note}\cell\row})x",
     R"x(table
 row left=0
  cell right=1000
   p | "a" <note 0>
note 0 footnote
 p | "note"
)x"},
    {"HiddenFootnoteIsLeftOut", R"x({\rtf1 a{\v{\footnote note}}b})x",
     R"x(p | "ab"
)x"},
    {"TextBox",
     R"x({\rtf1 Before{\shp{\*\shpinst{\sp{\sn fillColor}{\sv 123}}{\shptxt box text\par}}{\shprslt fallback}}after\par})x",
     R"x(p | "Beforeafter"
p | "box text"
)x"},
    {"ShapePicture",
     R"x({\rtf1 {\shp{\*\shpinst{\sp{\sn pib}{\sv {\pict\pngblip 01}}}{\sp{\sn fillBlip}{\sv {\pict\pngblip 03}}}}{\shprslt {\pict\wmetafile8 02}}}})x",
     R"x(p | <pic 0>
picture 0 png 0x0 1 bytes
)x"},
    {"ShapeResultWhenShapeGaveNothing",
     R"x({\rtf1 {\shp{\*\shpinst{\sp{\sn x}{\sv 1}}}{\shprslt fallback text}}})x",
     R"x(p | "fallback text"
)x"},
    {"HeadersAndFootersSkipped",
     R"x({\rtf1 {\header H\par}{\footer F}{\headerl x}{\footerf y}{\headerr z}Body})x",
     R"x(p | "Body"
)x"},
    {"NonTextDestinationsSkipped",
     R"x({\rtf1 {\*\generator G;}{\*\themedata 00}{\*\datastore 00}{\*\xmlnstbl x}{\*\rsidtbl x}{\*\latentstyles x}{\*\pgdsctbl x}{\*\listpicture x}{\xe index}{\tc toc}Body})x",
     R"x(p | "Body"
)x"},
    {"ObjectKeepsResult", R"x({\rtf1 {\object\objemb{\*\objclass Word}{\*\objdata 0102}{\result shown}}})x",
     R"x(p | "shown"
)x"},
    {"EncapsulatedHtml",
     R"x({\rtf1\ansi\ansicpg1251\fromhtml1 {\*\htmltag19 <html>}{\*\htmltag2 \par}{\*\htmltag <b>}{\htmlrtf \b \htmlrtf0 bold}{\*\htmltag </b>}\htmlrtf\par\htmlrtf0 \'cf{\*\htmltag </html>}})x",
     "p | {b}\"bold\"\np | \"П\"\nhtml \"<html>\r\n<b>bold</b>П</html>\"\n"},
};

class DestinationsTest : public ::testing::TestWithParam<Snippet> {};
TEST_P(DestinationsTest, Reads) {
  ExpectReading(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Snippets, DestinationsTest, ::testing::ValuesIn(kDestinations), SnippetName);

}  // namespace
}  // namespace tessarine::testing
