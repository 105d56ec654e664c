// Fields (links and results) and bookmarks.
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "reader/fields.h"
#include "tests/reader/snippet.h"

namespace tessarine::testing {
namespace {

const Snippet kFields[] = {
    {"Hyperlink",
     R"x({\rtf1 see {\field{\*\fldinst HYPERLINK "http://example.com/a?b=1"}{\fldrslt {\ul link}}} now})x",
     R"x(p | "see " <link http://example.com/a?b=1> {u}"link" </link> " now"
)x"},
    {"LocalHyperlink", R"x({\rtf1 {\field{\*\fldinst HYPERLINK \\l "_Toc1"}{\fldrslt here}}})x",
     R"x(p | <local _Toc1> "here" </link>
)x"},
    {"HyperlinkWithAnchor",
     R"x({\rtf1 {\field{\*\fldinst { HYPERLINK "http://x/" \\l "part" \\o "tip"}}{\fldrslt there}}})x",
     R"x(p | <link http://x/#part> "there" </link>
)x"},
    {"HyperlinkInstructionInPieces",
     R"x({\rtf1 {\field{\*\fldinst {\b HYPER}{LINK "ht}{tp://y"}}{\fldrslt y}}})x",
     R"x(p | <link http://y> "y" </link>
)x"},
    {"OtherFieldGivesResult",
     R"x({\rtf1 page {\field{\*\fldinst PAGE \\* MERGEFORMAT}{\fldrslt 12}} of {\field{\*\fldinst NUMPAGES}{\fldrslt 30}}})x",
     R"x(p | "page 12 of 30"
)x"},
    {"NestedFields",
     R"x({\rtf1 {\field{\*\fldinst HYPERLINK "http://z"}{\fldrslt see {\field{\*\fldinst PAGEREF _Ref1 \\h}{\fldrslt 5}} more}}})x",
     R"x(p | <link http://z> "see 5 more" </link>
)x"},
    {"FieldWithoutResult", R"x({\rtf1 a{\field{\*\fldinst HYPERLINK "http://q"}}b})x",
     R"x(p | "ab"
)x"},
    {"LinkEndsWithParagraph", R"x({\rtf1 {\field{\*\fldinst HYPERLINK "http://p"}{\fldrslt one\par two}}})x",
     R"x(p | <link http://p> "one" </link>
p | "two"
)x"},
    {"Bookmarks", R"x({\rtf1 {\*\bkmkstart here}text{\*\bkmkend here} more})x",
     R"x(p | <bookmark here> "text more"
)x"},
};

class FieldsTest : public ::testing::TestWithParam<Snippet> {};
TEST_P(FieldsTest, Reads) {
  ExpectReading(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Snippets, FieldsTest, ::testing::ValuesIn(kFields), SnippetName);

TEST(FieldsTest, HyperlinkInstructions) {
  struct Case {
    const char* instruction;
    const char* target;  // nullptr: no link
    bool local;
  };
  const Case cases[] = {
      {R"( HYPERLINK "http://a.b/c" )", "http://a.b/c", false},
      {R"(hyperlink "http://a")", "http://a", false},
      {R"(HYPERLINK http://bare \o "tip")", "http://bare", false},
      {R"(HYPERLINK \l "_Toc123")", "_Toc123", true},
      {R"(HYPERLINK "doc.rtf" \l "part")", "doc.rtf#part", false},
      {R"(HYPERLINK \o "tip only")", nullptr, false},
      {R"(HYPERLINK "C:\\Docs\\a b.doc")", "C:\\Docs\\a b.doc", false},
      {R"(HYPERLINK "say \"hi\"")", "say \"hi\"", false},
      {R"(HYPERLINK "unclosed)", "unclosed", false},
      {R"(HYPERLINK)", nullptr, false},
      {R"(PAGEREF _Ref1 \h)", nullptr, false},
      {R"(\l "x")", nullptr, false},
      {"", nullptr, false},
  };
  for (const Case& c : cases) {
    const std::optional<reader::LinkTarget> link = reader::HyperlinkOf(c.instruction);
    if (c.target == nullptr) {
      EXPECT_FALSE(link) << c.instruction;
      continue;
    }
    ASSERT_TRUE(link) << c.instruction;
    EXPECT_EQ(link->target, c.target) << c.instruction;
    EXPECT_EQ(link->local, c.local) << c.instruction;
  }
}

}  // namespace
}  // namespace tessarine::testing
