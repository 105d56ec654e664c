// Character and paragraph formatting words and their groups.
#include <string>

#include <gtest/gtest.h>

#include "tests/reader/snippet.h"

namespace tessarine::testing {
namespace {

const Snippet kFormatting[] = {
    {"CharacterToggles",
     R"x({\rtf1 {\b b}{\i i}{\ul u}{\uldb d}{\ulwave w}{\strike s}{\striked1 t}{\caps c}{\scaps k}{\b\b0 n}{\ul\ulnone o}{\ul\ul0 p}})x",
     R"x(p | {b}"b" {i}"i" {u}"udw" {s}"st" {caps}"c" {scaps}"k" "nop"
)x"},
    {"Baselines", R"x({\rtf1 a{\super 1}{\sub 2}{\up6 3}{\dn4 4}{\super\nosupersub 5}{\up0 6}})x",
     R"x(p | "a" {sup}"1" {sub}"2" {sup}"3" {sub}"4" "56"
)x"},
    {"PlainResets", R"x({\rtf1 \b\i bold\plain plain})x",
     R"x(p | {b,i}"bold" "plain"
)x"},
    {"GroupsRestoreFormatting", R"x({\rtf1 {\b a{\i b}c}d})x",
     R"x(p | {b}"a" {b,i}"b" {b}"c" "d"
)x"},
    {"FontSizeColours",
     R"x({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset204 Times;}{\f1\fcharset0 Arial;}{\f2\fcharset2 Symbol;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}\f0\fs28 a{\cf1 red}{\highlight2 hi}{\cb1 cb}{\chcbpat2 pat}{\cf0 auto}{\cf9 missing}})x",
     R"x(p | {f0,fs28}"a" {f0,fs28,cff0000}"red" {f0,fs28,bg0000ff}"hi" {f0,fs28,bgff0000}"cb" {f0,fs28,bg0000ff}"pat" {f0,fs28}"automissing"
)x",
     Detail::kFull},
    {"HiddenAndDeletedAreLeftOut", R"x({\rtf1 a{\v hidden}b{\deleted gone}c{\v\v0 shown}})x",
     R"x(p | "abcshown"
)x"},
    {"Alignment", R"x({\rtf1 \qc c\par \qr r\par \qj j\par \qd d\par \ql l\par})x",
     R"x(p center | "c"
p right | "r"
p justify | "j"
p justify | "d"
p | "l"
)x"},
    {"Indents", R"x({\rtf1 \li720\ri360\fi-360\sb120\sa240 a\par \pard\lin100\rin200 b\par})x",
     R"x(p left=720 right=360 first=-360 before=120 after=240 | "a"
p left=100 right=200 | "b"
)x",
     Detail::kFull},
    {"PardResets", R"x({\rtf1 \qc\li720 a\par \pard b\par})x",
     R"x(p center | "a"
p | "b"
)x"},
    {"PropsAtParagraphEnd", R"x({\rtf1 a\qc\par})x",
     R"x(p center | "a"
)x"},
    {"OutlineLevels",
     R"x({\rtf1 \outlinelevel0 a\par \outlinelevel5 b\par \outlinelevel6 c\par \pard d\par})x",
     R"x(p h1 | "a"
p h6 | "b"
p | "c"
p | "d"
)x"},
};

class FormattingTest : public ::testing::TestWithParam<Snippet> {};
TEST_P(FormattingTest, Reads) {
  ExpectReading(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Snippets, FormattingTest, ::testing::ValuesIn(kFormatting), SnippetName);

}  // namespace
}  // namespace tessarine::testing
