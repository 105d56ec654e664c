// The document builder: sections and their columns, page breaks.
#include <string>

#include <gtest/gtest.h>

#include "tests/reader/snippet.h"

namespace tessarine::testing {
namespace {

const Snippet kSections[] = {
    {"Sections", R"x({\rtf1\sectd\cols2 one\par\sect\sectd two\par\sect\sectd\cols3 three})x",
     R"x(section cols=2
p | "one"
section cols=1
p | "two"
section cols=3
p | "three"
)x"},
    {"SectionEndsParagraph", R"x({\rtf1 one\sect two})x",
     R"x(p | "one"
section cols=1
p | "two"
)x"},
    {"SingleColumnStartsNoSection", R"x({\rtf1\sectd\cols1 one\par})x",
     R"x(p | "one"
)x"},
    {"PageBreakEndsParagraph", R"x({\rtf1 a\page b\par\page c})x",
     R"x(p | "a"
p | "b"
p | "c"
)x"},
};

class SectionsTest : public ::testing::TestWithParam<Snippet> {};
TEST_P(SectionsTest, Reads) {
  ExpectReading(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Snippets, SectionsTest, ::testing::ValuesIn(kSections), SnippetName);

}  // namespace
}  // namespace tessarine::testing
