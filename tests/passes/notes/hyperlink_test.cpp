// Hyperlink fields and groups with bookmarks.
#include "passes/notes/hyperlink.h"

#include <string>

#include <gtest/gtest.h>

#include "page/link_target.h"
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
      // Word's shape: the word and the target in one group, and a data group after them.
      {"{\\field{\\*\\fldinst {HYPERLINK \"page2.htm\"}}{\\fldrslt {next page}}}",
       "<a href=\"page2.htm\">next page</a>"},
      {"{\\field{\\*\\fldinst {\\insrsid5 HYPERLINK \"http://example.com/\" }{\\insrsid5 {\\*\\datafield "
       "00d0}}}"
       "{\\fldrslt {\\cs15\\ul\\cf2 the site}}}",
       "<a href=\"http://example.com/\">the site</a>"},
      // An instruction without groups of its own.
      {"{\\field{\\*\\fldinst HYPERLINK \"http://example.com/\" }{\\fldrslt {the site}}}",
       "<a href=\"http://example.com/\">the site</a>"},
      // The switches after the target are no part of it; "\l" before it makes it a place.
      {"{\\field{\\*\\fldinst {HYPERLINK \"a.htm\" \\\\o \"tip\" \\\\t \"_blank\"}}{\\fldrslt {a}}}",
       "<a href=\"a.htm\">a</a>"},
      {"{\\field{\\*\\fldinst {HYPERLINK \\\\l \"_Toc1\"}}{\\fldrslt {Chapter 1}}}",
       "<a href=\"#_Toc1\">Chapter 1</a>"},
      {"{\\field{\\*\\fldinst {HYPERLINK \\\\l }{\"top\"}}{\\fldrslt {up}}}", "<a href=\"#top\">up</a>"},
      // No quotes: the first word; one quote: the rest.
      {"{\\field{\\*\\fldinst {HYPERLINK }{a.htm}}{\\fldrslt {one}{{x}two}{three}}}",
       "<a href=\"a.htm\">one</a>"},
      {"{\\field{\\*\\fldinst {HYPERLINK \"b.htm}}{\\fldrslt {b}}}", "<a href=\"b.htm\">b</a>"},
      {"{\\field{\\*\\fldinst {HYPERLINK }}{\\fldrslt {c}}}", "<a href=\"\">c</a>"},
      // No result group.
      {"{\\field{\\*\\fldinst {\\cs15 HYPERLINK }{\\cs15 \"page2.htm\"}}}", "<a href=\"page2.htm\"></a>"},
      {"{\\b {\\field{\\*\\fldinst {HYPERLINK }{\"b.htm\"}}{\\fldrslt {two words}}}}",
       "<a href=\"b.htm\">two words</a>"},
      // A field that is no hyperlink but whose result holds one gives its text alone.
      {"{\\field{\\*\\fldinst {TOC \\\\o \"1-3\"}}{\\fldrslt {Contents}{{\\field{\\*\\fldinst {HYPERLINK "
       "x}}}}}}",
       "Contents"},
  };
  for (const Case& c : cases) {
    Settings settings;
    ConversionState st{settings, {}};
    ConvertComplexGroup(c.group, 1, st);
    EXPECT_EQ(st.OutputText, c.link) << c.group;
    EXPECT_TRUE(st.HasHyperlinks) << c.group;
  }
}

// Nothing in a target leaves the attribute, and scripts are not linked at all.
TEST(HyperlinkTest, HostileTargetsStayInTheAttribute) {
  struct Case {
    const char* group;
    std::string link;
  };
  const Case cases[] = {
      {"{\\field{\\*\\fldinst {HYPERLINK }{\"x\" onmouseover=\"alert(1)\"}}{\\fldrslt {t}}}",
       "<a href=\"x\">t</a>"},
      {"{\\field{\\*\\fldinst {HYPERLINK }{x onmouseover=alert(1)}}{\\fldrslt {t}}}", "<a href=\"x\">t</a>"},
      // A quote written as a hex escape is a quote; "<", ">" and "&" become references.
      {"{\\field{\\*\\fldinst {HYPERLINK \\'22a\\'22 b\\'22}}{\\fldrslt {t}}}", "<a href=\"a\">t</a>"},
      {"{\\field{\\*\\fldinst {HYPERLINK \"a?b=1&c=<\\'3e>\"}}{\\fldrslt {t}}}",
       "<a href=\"a?b=1&amp;c=&lt;&gt;&gt;\">t</a>"},
      {"{\\field{\\*\\fldinst {HYPERLINK \"a\\par b\"}}{\\fldrslt {t}}}", "<a href=\"a&lt;br&gt;b\">t</a>"},
      // References the escape rewrite wrote (letters the code page lacks) stay; those the
      // document spells are text.
      {"{\\field{\\*\\fldinst {HYPERLINK \"caf\x01&#233;&#233;&colon;\"}}{\\fldrslt {t}}}",
       "<a href=\"caf&#233;&amp;#233;&amp;colon;\">t</a>"},
      // Scripts and inline data: the text without a link.
      {"{\\field{\\*\\fldinst {HYPERLINK \"javascript:alert(1)\"}}{\\fldrslt {t}}}", "t"},
      {"{\\field{\\*\\fldinst {HYPERLINK \"  JavaScript:alert(1)\"}}{\\fldrslt {t}}}", "t"},
      {"{\\field{\\*\\fldinst {HYPERLINK }{vbscript:msgbox}}{\\fldrslt {t}}}", "t"},
      {"{\\field{\\*\\fldinst {HYPERLINK \"DATA:text/html,x\"}}{\\fldrslt {t}}}", "t"},
      {"{\\field{\\*\\fldinst {HYPERLINK \\\\l \"javascript:x\"}}{\\fldrslt {t}}}", "t"},
      {"{\\field{\\*\\fldinst {HYPERLINK \"java\\'09script:x\"}}{\\fldrslt {t}}}", "t"},
      // Control characters, which the page leaves out, do not hide a script.
      {"{\\field{\\*\\fldinst {HYPERLINK \"java\\'00script:x\"}}{\\fldrslt {t}}}", "t"},
      {"{\\field{\\*\\fldinst {HYPERLINK \"\\'0bjava\\'0cscript:x\"}}{\\fldrslt {t}}}", "t"},
      {"{\\field{\\*\\fldinst {HYPERLINK \"java\\'7fscript:x\"}}{\\fldrslt {t}}}", "t"},
      {"{\\field{\\*\\fldinst {HYPERLINK \"a\\'01b\\'1fc\"}}{\\fldrslt {t}}}", "<a href=\"abc\">t</a>"},
      // References the document spells are text, never read as the characters they name.
      {"{\\field{\\*\\fldinst {HYPERLINK \"&#106;ava&#x09;script:x\"}}{\\fldrslt {t}}}",
       "<a href=\"&amp;#106;ava&amp;#x09;script:x\">t</a>"},
      // A word that only looks like one is linked, its "&" written as a reference.
      {"{\\field{\\*\\fldinst {HYPERLINK \"&#106avascript:x\"}}{\\fldrslt {t}}}",
       "<a href=\"&amp;#106avascript:x\">t</a>"},
      {"{\\field{\\*\\fldinst {HYPERLINK \"javascript.htm\"}}{\\fldrslt {t}}}",
       "<a href=\"javascript.htm\">t</a>"},
  };
  for (const Case& c : cases) {
    Settings settings;
    ConversionState st{settings, {}};
    ConvertComplexGroup(c.group, 1, st);
    EXPECT_EQ(st.OutputText, c.link) << c.group;
  }
}

TEST(HyperlinkTest, ReadsTheTargetOfAnInstruction) {
  struct Case {
    std::string_view instruction, target;
    bool hyperlink, bookmark;
  };
  const Case cases[] = {
      {"HYPERLINK \"a b.htm\" \\\\o \"tip\"", "a b.htm", true, false},
      {" HYPERLINK  a.htm  b.htm", "a.htm", true, false},
      {"HYPERLINK \\\\l \"top\"", "top", true, true},
      {"HYPERLINK \\l top", "top", true, true},
      {"HYPERLINK \\\\l\"top\"", "top", true, true},
      {"HYPERLINK \\\\link", "\\\\link", true, false},  // no switch: a word
      {"HYPERLINK \"\" \\\\l \"top\"", "", true, false},
      {"HYPERLINK", "", true, false},
      {"PAGEREF _Toc1 \\\\h", "", false, false},
  };
  for (const Case& c : cases) {
    const HyperlinkTarget link = ReadHyperlinkTarget(c.instruction);
    EXPECT_EQ(link.target, c.target) << c.instruction;
    EXPECT_EQ(link.hyperlink, c.hyperlink) << c.instruction;
    EXPECT_EQ(link.bookmark, c.bookmark) << c.instruction;
  }
}

TEST(HyperlinkTest, ScriptTargetsAsABrowserReadsThem) {
  const std::pair<std::string_view, bool> cases[] = {
      {"javascript:x", true},
      {"JAVASCRIPT:x", true},
      {"  \x01vbscript:x", true},
      {"data:,x", true},
      {"ja\tva\r\nscript:x", true},
      {"&#74;avascript:x", true},
      {"&#x6a;avascript:x", true},
      {"&#9;javascript:x", true},
      {"java script:x", true},
      {"java\x0bscript:x", true},
      {"java\x7fscript:x", true},
      {"&#106avascript:x", true},
      {"java&Tab;script&colon;x", true},
      {"java&#0;script:x", true},
      {"http://javascript:x", false},
      {"javascript", false},
      {"&lt;javascript:x", false},
      {"data", false},
      {"", false},
  };
  for (const auto& [target, script] : cases) EXPECT_EQ(IsScriptTarget(target), script) << target;
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
