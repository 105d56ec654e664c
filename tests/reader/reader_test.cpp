// The reader as a whole: paragraphs, control symbols and words, unknown words and
// destinations, Unicode and its fallback, and input that is no proper RTF.
#include <string>

#include <gtest/gtest.h>

#include "tests/reader/snippet.h"

namespace tessarine::testing {
namespace {

const Snippet kReading[] = {
    {"Paragraphs", R"x({\rtf1 One\par Two\par})x",
     R"x(p | "One"
p | "Two"
)x"},
    {"LastParagraphWithoutPar", R"x({\rtf1 One\par Two})x",
     R"x(p | "One"
p | "Two"
)x"},
    {"LineEndsInSourceAreNoText", "{\\rtf1 Hel\r\nlo\\par}",
     R"x(p | "Hello"
)x"},
    {"BackslashLineEndIsParagraph", "{\\rtf1 a\\\r\nb\\\nc}",
     R"x(p | "a"
p | "b"
p | "c"
)x"},
    {"ControlSymbols", R"x({\rtf1 a\~b\{c\}d\\e\-f\_g\|h\:i})x",
     R"x(p | "a b{c}d\ef‑ghi"
)x"},
    {"SymbolWords",
     R"x({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote\emspace\enspace\qmspace})x",
     R"x(p | "—–•‘’“”   "
)x"},
    {"TabAndLine", R"x({\rtf1 a\tab b\line c})x",
     R"x(p | "a" <tab> "b" <br> "c"
)x"},
    {"UnknownWordsAreIgnored", R"x({\rtf1 a\foo b\bar12 c})x",
     R"x(p | "abc"
)x"},
    {"UnknownStarGroupIsSkipped", R"x({\rtf1 {\*\foo hidden {nested}}shown})x",
     R"x(p | "shown"
)x"},
    {"UnknownPlainGroupIsShown", R"x({\rtf1 {\foo text}})x",
     R"x(p | "text"
)x"},
    {"StarBeforeKnownWordReadsIt", R"x({\rtf1 {\*\cs10 x}})x",
     R"x(p | "x"
)x"},
    {"UnicodeSkipsFallback", R"x({\rtf1 \u1055?\u1088?x})x",
     R"x(p | "Прx"
)x"},
    {"UnicodeFallbackCount", R"x({\rtf1\uc2 \u1055 ab c})x",
     R"x(p | "П c"
)x"},
    {"UnicodeWithoutFallback", R"x({\rtf1\uc0\u1055 x})x",
     R"x(p | "Пx"
)x"},
    {"FallbackCountIsGroupScoped", R"x({\rtf1{\uc2 x}\u1055ab})x",
     R"x(p | "xПb"
)x"},
    {"FallbackStopsAtGroup", R"x({\rtf1\uc3 \u1055{b}c})x",
     R"x(p | "Пbc"
)x"},
    {"FallbackHexByte", R"x({\rtf1 \u1055\'cfx})x",
     R"x(p | "Пx"
)x"},
    {"FallbackControlWord", R"x({\rtf1 \u8212\emdash x})x",
     R"x(p | "—x"
)x"},
    {"NegativeUnicode", R"x({\rtf1 \u-3872?})x",
     R"x(p | ""
)x"},
    {"SurrogatePair", R"x({\rtf1 \u-10179?\u-8704?})x",
     R"x(p | "😀"
)x"},
    {"LoneSurrogate", R"x({\rtf1 \u-10179?x\u-8704?y})x",
     R"x(p | "x�y"
)x"},
    {"UprReadsUd", R"x({\rtf1 {\upr{\'cf\'f0}{\*\ud{\u1055?\u1088?}}}})x",
     R"x(p | "Пр"
)x"},
    {"UnbalancedOpen", R"x({\rtf1 {\b a {\i b)x",
     R"x(p | {b}"a " {b,i}"b"
)x"},
    {"UnbalancedClose", R"x({\rtf1 a}}} b})x",
     R"x(p | "a b"
)x"},
    {"Empty", R"x()x", R"x()x"},
    {"NotRtf", R"x(plain words)x",
     R"x(p | "plain words"
)x"},
};

class ReaderTest : public ::testing::TestWithParam<Snippet> {};
TEST_P(ReaderTest, Reads) {
  ExpectReading(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Snippets, ReaderTest, ::testing::ValuesIn(kReading), SnippetName);

}  // namespace
}  // namespace tessarine::testing
