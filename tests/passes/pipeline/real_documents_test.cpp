// Documents from writers other than the converter's own family keep their text: letters written
// as "\uN" escapes or in a declared code page, symbol words, documents without "\pard", and
// words wrapped in smart-tag groups.
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "passes/notes/ignorable_groups.h"
#include "passes/pipeline/convert_rtf.h"

namespace tessarine {
namespace {

// The page's body, from "<body" on.
std::string Body(std::string_view document) {
  const Conversion result = ConvertRtf(document, Settings{});
  EXPECT_EQ(result.refusal, Refusal::kNone) << document;
  const size_t body = result.page.find("<body");
  return body == std::string::npos ? std::string() : result.page.substr(body);
}

TEST(RealDocumentsTest, PagesHoldTheTextOfEveryWriter) {
  struct Case {
    const char* writer;
    std::string document;
    std::string text;  // code page 1251
  };
  const Case cases[] = {
      {"Unicode escapes with hex fallbacks",
       "{\\rtf1\\ansi{\\fonttbl{\\f1\\fswiss Arial;}}\r\n}\\pard\\plain {\\f1 "
       "\\u1055\\'3f\\u1088\\'3f\\u1080\\'3f}"
       "{\\f1  \\u1084\\'3f\\u1080\\'3f\\u1088\\'3f}\\par\r\n}",
       "\xcf\xf0\xe8 \xec\xe8\xf0"},  // При мир
      {"code page 1252",
       "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Times;}}\r\n}\\pard\\plain {\\f0 caf\\'e9 "
       "\\'fcber}\\par\r\n}",
       "caf&#233; &#252;ber"},
      {"no \\pard at all",
       "{\\rtf1\\ansi\r\n{\\fonttbl\\f0\\fnil Monospaced;\\f1\\fnil Dialog;}\r\n"
       "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n\r\n"
       "\\f1\\fs24\\i0\\b0\\cf0 \\u1055?\\u1088?\\u1080?\\u1074?\\u1077?\\u1090? world\\par\r\n}\r\n",
       "\xcf\xf0\xe8\xe2\xe5\xf2 world<br>"},  // Привет
      {"symbol words",
       "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Times;}}\r\n}\\pard\\plain {\\f0 c\\rquote "
       "est\\~\\ldblquote "
       "vrai\\rdblquote}\\par\r\n}",
       "c\x92"
       "est\xa0\x93vrai\x94"},
      {"smart tags around words",
       "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}\r\n}\\pard\\plain {\\f0 la foi "
       "{\\*\\xmlopen\\xmlns1{\\factoidname "
       "PersonName}}la M\\'e9canique{\\*\\xmlclose}, l\\'f3ptique\\par}\r\n}",
       "la foi la M\xe9"
       "canique, l\xf3ptique"},
      {"list tags in groups of simple paragraphs",
       "{\\rtf1\\ansi{\\fonttbl{\\f0 "
       "Arial;}}\r\n\\pard\\plain\\ltrpar\\ql{\\s28\\f0\\fs24{\\*\\listtag0}\\ltrch what is "
       "an "
       "Apple?}{\\s28\\f0{\\*\\listtag0}\\par}\r\n\\pard\\plain\\ltrpar\\ql{\\s28\\f0{\\*\\listtag0}\\ltrch "
       "Fun!}\r\n}",
       "what is an Apple?"},
      {"a Russian simple-writer document, escapes right after control words",
       "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 "
       "Arial;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20"
       "\\'cf\\'f0\\'e8 \\'ec\\'e8\\'f0\\par\r\n\\pard\\b\\'c4\\'e0 \\b0\\'ed\\'e5\\'f2\\par\r\n}\r\n",
       "<b>\xc4\xe0 </b>\r\n\xed\xe5\xf2"},  // Да нет, the first word bold
      {"groups that open with an escape",
       "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\r\n}\\pard\\plain \\fs20 "
       "{\\'ce\\'ef\\'f0\\'e5\\'e4\\'e5\\'eb\\'ff\\'e5\\'f2 "
       "\\'ed\\'e0\\'f7\\'e0\\'eb\\'ee}\\'e8 \\'ea\\'ee\\'ed\\'e5\\'f6\\par\r\n}",
       "\xce\xef\xf0\xe5\xe4\xe5\xeb\xff\xe5\xf2 \xed\xe0\xf7\xe0\xeb\xee"},  // Определяет начало
      {"paragraphs in front of the first table",
       "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\r\n\\viewkind4\\uc1\\pard\\b\\f0 "
       "\\'c8\\'f2\\'ee\\'e3\\b0\\par\r\n"
       "\\pard Before the table\\par\r\n\\trowd\\cellx2000\\cellx4000\\pard\\intbl A\\cell B\\cell\\row\r\n"
       "\\pard After\\par\r\n}",
       "Before the table"},
  };
  for (const Case& c : cases) {
    const std::string body = Body(c.document);
    EXPECT_NE(body.find(c.text), std::string::npos) << c.writer << "\n" << body;
  }
}

TEST(RealDocumentsTest, GroupsOfOtherKindsAreStillDropped) {
  const std::string body = Body(
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}\r\n}\\pard\\plain {\\f0 kept}{\\f0 lost {\\b nested} text}\\par\r\n}");
  EXPECT_NE(body.find("kept"), std::string::npos) << body;
  EXPECT_EQ(body.find("lost"), std::string::npos) << body;
}

TEST(RealDocumentsTest, RemovesOnlyIgnorableNestedGroups) {
  struct Case {
    std::string_view group;
    bool flat;
    std::string_view expected;
  };
  const Case cases[] = {
      {"{\\f0 a {\\*\\x {y}}b{\\*\\z}c}", true, "{\\f0 a bc}"},
      {"{\\f0 a {\r\n\\*\\x}b}rest", true, "{\\f0 a b}"},
      {"{\\f0 no nested}", true, "{\\f0 no nested}"},
      {"{\\f0 a {\\b x} b}", false, ""},
      {"{\\f0 a {\\*\\x never closed", false, ""},
      {"no brace", false, ""},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    std::string flat;
    EXPECT_EQ(RemoveIgnorableGroups(c.group, flat), c.flat) << c.group;
    if (c.flat) {
      EXPECT_EQ(flat, c.expected) << c.group;
    }
  }
}

}  // namespace
}  // namespace tessarine
