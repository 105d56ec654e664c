#include <chrono>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/reference_reader/rtf_document.h"
#include "base/file_text.h"
#include "tests/support/paths.h"

namespace tessarine::reference {
namespace {

struct PlainCase {
  const char* name;
  std::string rtf;
  std::string text;  // UTF-8
};

class PlainTextTest : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainTextTest, Extracts) {
  EXPECT_EQ(ExtractPlainText(GetParam().rtf), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlainTextTest,
    ::testing::Values(
        PlainCase{"Paragraphs", R"({\rtf1 Hello\par World})", "Hello\nWorld"},
        PlainCase{"LineEndsInSourceAreNotText", "{\\rtf1 Hel\r\nlo\rW\norld}", "HelloWorld"},
        PlainCase{"BackslashNewlineIsParagraph", "{\\rtf1 a\\\nb\\\r\nc}", "a\nb\nc"},
        PlainCase{"TablesAreSkipped",
                  R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red1\green2\blue3;}{\stylesheet{\s0 Normal;}})"
                  R"({\info{\title T}{\author A}}{\*\generator G;}{\header H\par}{\footer F}Body})",
                  "Body"},
        PlainCase{"PicturesAreSkipped", R"({\rtf1 a{\pict\pngblip 89504e47}b{\*\shppict{\pict 00}}c})",
                  "abc"},
        PlainCase{"UnknownStarGroupIsSkipped", R"({\rtf1{\*\unknownthing text\par}shown})", "shown"},
        PlainCase{"UnknownPlainGroupIsShown", R"({\rtf1{\unknownthing text}})", "text"},
        PlainCase{"FieldShowsItsResult", R"({\rtf1{\field{\*\fldinst HYPERLINK "http://x"}{\fldrslt link}}})",
                  "link"},
        PlainCase{"FootnoteIsNotInline", R"({\rtf1 word{\footnote \pard note\par} next})", "word next"},
        PlainCase{"HexBytesAreCodePage1251", R"({\rtf1 \'cf\'f0\'e8\'e2\'e5\'f2 \'b9\'98})",
                  "Привет №\xC2\x98"},
        PlainCase{"RawBytesAreCodePage1251", "{\\rtf1 \xcf\xf0\xe8\xe2\xe5\xf2}", "Привет"},
        PlainCase{"DeclaredCodePage", R"({\rtf1\ansi\ansicpg1252 caf\'e9 \'fc\'80})", "café ü€"},
        PlainCase{"DeclaredDosCodePage", R"({\rtf1\ansi\ansicpg866 \'af\'e0})", "пр"},
        PlainCase{"DeclaredDoubleByteCodePage", R"({\rtf1\ansi\ansicpg932 \'82\'a0a})", "あa"},
        PlainCase{"UnicodeSkipsOneFallback", R"({\rtf1 \u1055?\u1088?x})", "Прx"},
        PlainCase{"UnicodeFallbackHexByte", R"({\rtf1 \u1055\'cfx})", "Пx"},
        PlainCase{"UnicodeFallbackCount", R"({\rtf1\uc2 \u1055 ab c})", "П c"},
        PlainCase{"UnicodeWithoutFallback", R"({\rtf1\uc0 \u1055 x})", "Пx"},
        PlainCase{"FallbackCountIsGroupScoped", R"({\rtf1{\uc2 x}\u1055ab})", "xПb"},
        PlainCase{"FallbackStopsAtGroup", R"({\rtf1\uc3 \u1055{b}c})", "Пbc"},
        PlainCase{"NegativeUnicode", R"({\rtf1 \u-3872?})", "\xEF\x83\xA0"},
        PlainCase{"SurrogatePair", R"({\rtf1 \u-10179?\u-8704?})", "\xF0\x9F\x98\x80"},
        PlainCase{"LoneSurrogate", R"({\rtf1 \u-10179?x})", "\xEF\xBF\xBDx"},
        PlainCase{"ControlSymbols", R"({\rtf1 a\~b\{c\}d\\e\-f\_g})",
                  "a\xC2\xA0"
                  "b{c}d\\ef\xE2\x80\x91g"},
        PlainCase{"TabsLinesAndCells", R"({\rtf1 a\tab b\line c\cell d\row e})", "a\tb\nc\td\ne"},
        PlainCase{"NamedCharacters", R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})",
                  "—–•‘’“”"},
        PlainCase{"HiddenTextIsNotShown", R"({\rtf1 a{\v hidden}b\v c\v0 d})", "abd"},
        PlainCase{"BinaryDataIsSkipped", "{\\rtf1 a\\bin3 {}}b}", "ab"},
        PlainCase{"BinaryLongerThanInput", "{\\rtf1 a\\bin999 xy", "a"},
        PlainCase{"StrayClosingBraces", R"(}}{\rtf1 x}})", "x"},
        PlainCase{"Truncated", R"({\rtf1 x\'4)", "x4"}, PlainCase{"TrailingBackslash", "{\\rtf1 x\\", "x"},
        PlainCase{"BadHex", R"({\rtf1 x\'zzy})", "xzzy"},
        PlainCase{"UnicodeWithoutNumber", R"({\rtf1 \u x})", "x"}, PlainCase{"Empty", "", ""}),
    [](const ::testing::TestParamInfo<PlainCase>& p) { return std::string(p.param.name); });

TEST(RtfDocumentTest, StylesAndAlignment) {
  Document doc = ReadDocument(R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue128;})"
                              R"(\pard\qc\b Bold\b0 {\i it}\ul u\ulnone\par)"
                              R"(\pard\qr\fs40\cf1 red\cf2 navy\cf9 none\par)"
                              R"(\pard\qj\plain plain\par)"
                              R"(\pard last})");
  ASSERT_EQ(doc.paragraphs.size(), 4u);

  const Paragraph& first = doc.paragraphs[0];
  EXPECT_EQ(first.alignment, Alignment::kCenter);
  ASSERT_EQ(first.runs.size(), 3u);  // the space after "\b0" ends the word
  EXPECT_EQ(first.runs[0].text, "Bold");
  EXPECT_TRUE(first.runs[0].style.bold);
  EXPECT_EQ(first.runs[1].text, "it");
  EXPECT_TRUE(first.runs[1].style.italic);
  EXPECT_FALSE(first.runs[1].style.bold);
  EXPECT_EQ(first.runs[2].text, "u");
  EXPECT_TRUE(first.runs[2].style.underline);

  const Paragraph& second = doc.paragraphs[1];
  EXPECT_EQ(second.alignment, Alignment::kRight);
  ASSERT_EQ(second.runs.size(), 3u);
  EXPECT_EQ(second.runs[0].style.colour, 0xFF0000);
  EXPECT_EQ(second.runs[0].style.half_points, 40);
  EXPECT_EQ(second.runs[1].style.colour, 0x000080);
  EXPECT_EQ(second.runs[2].style.colour, -1);  // no such colour

  EXPECT_EQ(doc.paragraphs[2].alignment, Alignment::kJustify);
  EXPECT_EQ(doc.paragraphs[2].runs[0].style, CharStyle());  // \plain resets the size too
  EXPECT_EQ(doc.paragraphs[3].alignment, Alignment::kLeft);
  EXPECT_EQ(doc.paragraphs[3].runs[0].text, "last");
}

TEST(RtfDocumentTest, GroupEndRestoresFormatting) {
  Document doc = ReadDocument(R"({\rtf1 a{\b\fs10 b}c\line d})");
  ASSERT_EQ(doc.paragraphs.size(), 1u);
  const auto& runs = doc.paragraphs[0].runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[1].text, "b");
  EXPECT_EQ(runs[1].style.half_points, 10);
  EXPECT_EQ(runs[2].text, "c\nd");
  EXPECT_EQ(runs[2].style, CharStyle());
}

TEST(RtfDocumentTest, EmptyParagraphsAreKept) {
  Document doc = ReadDocument(R"({\rtf1 a\par\par b\par})");
  ASSERT_EQ(doc.paragraphs.size(), 3u);
  EXPECT_TRUE(doc.paragraphs[1].runs.empty());
}

TEST(RtfReaderTest, DeepNestingAndLongInputStayLinear) {
  std::string nested = "{\\rtf1 ";
  nested.append(200000, '{');
  nested.append("x");
  nested.append(200000, '}');
  std::string flat = "{\\rtf1 ";
  for (int i = 0; i < 200000; ++i) flat.append("\\b word\\b0 \\'e0\\u1055?\\par ");
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ExtractPlainText(nested), "x");
  EXPECT_EQ(ExtractPlainText(flat).size(), 200000u * (4 + 2 + 2 + 1));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

// Real documents from other writers: every one is read without a failure, and Cyrillic
// documents give Cyrillic text.
TEST(RtfReaderTest, ReadsTheCorpus) {
  std::filesystem::path corpus = testing::CorpusDir() / "public";
  if (!std::filesystem::exists(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(entry.path(), &bytes).ok());
    Document doc = ReadDocument(bytes);
    EXPECT_FALSE(doc.paragraphs.empty()) << entry.path();
    ++files;
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace tessarine::reference
