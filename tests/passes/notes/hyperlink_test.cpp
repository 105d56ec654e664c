// Hyperlink fields and groups with bookmarks.
#include "passes/notes/hyperlink.h"

#include <string>

#include <gtest/gtest.h>

#include "passes/notes/complex_group.h"

namespace tessarine {
namespace {

TEST(HyperlinkTest, TargetFromTheInstructionTextFromTheResult) {
  struct Case {
    const char* group;
    std::string link;
  };
  const Case cases[] = {
      {"{\\field{\\*\\fldinst {\\cs15 HYPERLINK }{\\cs15 \"page2.htm\"}}{\\fldrslt {\\cs15\\ul next page}}}",
       "<a href=\"page2.htm\">next page</a>"},
      // "HYPERLINK" and the target in one group: the target is empty.
      {"{\\field{\\*\\fldinst {HYPERLINK \"page2.htm\"}}{\\fldrslt {next page}}}", "<a href=>next page</a>"},
      // No result group.
      {"{\\field{\\*\\fldinst {\\cs15 HYPERLINK }{\\cs15 \"page2.htm\"}}}", "<a href=\"page2.htm\"></a>"},
      // The text stops at the first group with nested groups.
      {"{\\field{\\*\\fldinst {HYPERLINK }{a.htm}}{\\fldrslt {one}{{x}two}{three}}}",
       "<a href=a.htm>one</a>"},
      {"{\\b {\\field{\\*\\fldinst {HYPERLINK }{\"b.htm\"}}{\\fldrslt {two words}}}}",
       "<a href=\"b.htm\">two words</a>"},
  };
  for (const Case& c : cases) {
    Settings settings;
    ConversionState st{settings, {}};
    ConvertComplexGroup(c.group, 1, st);
    EXPECT_EQ(st.OutputText, c.link) << c.group;
    EXPECT_TRUE(st.HasHyperlinks) << c.group;
  }
}

TEST(BookmarkTest, NestedGroupsGoWithTheTextBetweenThem) {
  struct Case {
    const char* group;
    std::string flat;
  };
  const Case cases[] = {
      {"{\\b Intro {\\*\\bkmkstart Top}marked{\\*\\bkmkend Top} rest}", "{\\b Intro  rest}"},
      {"{{\\*\\bkmkstart a}Word }", "{Word }"},
      {"{\\b Intro {\\*\\bkmkstart Top}}", "{\\b Intro "},  // nothing after the bookmark
      {"{\\b Intro {\\*\\bkmkstart Top", "{\\b Intro "},    // a bookmark that never closes
      {"{\\b no nested group}", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(WithoutNestedGroups(c.group), c.flat) << c.group;
}

TEST(ComplexGroupTest, UnknownComplexGroupIsDropped) {
  Settings settings;
  ConversionState st{settings, {}};
  st.OutputText = "<p>x";
  ConvertComplexGroup("{\\b one {\\i two}}", 1, st);
  ConvertComplexGroup("{\\field{\\*\\fldinst {PAGE }}{\\fldrslt {3}}}", 1, st);
  EXPECT_EQ(st.OutputText, "<p>x");
  EXPECT_FALSE(st.HasHyperlinks);
}

}  // namespace
}  // namespace tessarine

namespace tessarine {
namespace {

// Unbalanced, cut-off and deeply nested groups of every kind end and write bounded output.
TEST(ComplexGroupTest, HostileShapesEnd) {
  const std::string deep = std::string(20000, '{') + "\\super\\footnote x" + std::string(20000, '}');
  const std::string many_fields = [] {
    std::string s = "{\\field{\\*\\fldinst ";
    for (int i = 0; i < 20000; ++i) s += "{HYPERLINK }{a}";
    return s + "}}";
  }();
  const std::string shapes[] = {
      "{",
      "}",
      "{{",
      "{\\field HYPERLINK",
      "{\\field HYPERLINK{",
      "{\\field{HYPERLINK}",
      "{\\super\\footnote",
      "{\\super\\footnote{",
      "{\\super\\footnote}}}{",
      "{\\*\\atrfstart",
      "{{\\*\\atrfstart}",
      "{\\*\\bkmk{",
      "{\\*\\bkmk{}{",
      "{\\pntext\\pard\\plain",
      "{\\pntext\\pard\\plain{{{{",
      "{\\pntext\\pard\\plain}}}}}{",
      "{\\listtext\\pard\\plain {a}{b}{c}}}}",
      deep,
      many_fields,
  };
  for (const std::string& shape : shapes) {
    for (bool comment_pending : {false, true}) {
      Settings settings;
      ConversionState st{settings, {}};
      st.Alignment = "left";
      st.ListItemParagraphs = 1;
      st.CommentPending = comment_pending;
      ConvertComplexGroup(shape, 1, st);
      EXPECT_LE(st.OutputText.size() + st.FootnotesText.size(), 2 * shape.size() + 400)
          << shape.substr(0, 40);
    }
  }
}

}  // namespace
}  // namespace tessarine
