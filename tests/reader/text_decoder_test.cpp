// Text decoding: the document's code page, each font's charset and code page, double-byte
// pages, UTF-8, symbol fonts and control characters.
#include <string>

#include <gtest/gtest.h>

#include "reader/code_pages.h"
#include "reader/text_decoder.h"
#include "reader/tokens.h"
#include "tests/reader/snippet.h"

namespace tessarine::testing {
namespace {

const Snippet kCodePages[] = {
    {"DefaultCodePageIs1252", R"x({\rtf1\ansi caf\'e9})x",
     R"x(p | "café"
)x"},
    {"AnsiCodePage1251", R"x({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2})x",
     R"x(p | "Привет"
)x"},
    {"RawBytesInCodePage",
     "{\\rtf1\\ansi\\ansicpg1251 \xcf"
     "\xf0"
     "}",
     R"x(p | "Пр"
)x"},
    {"FontCharsetOverDocumentPage",
     R"x({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset0 A;}{\f1\fcharset204 B;}}\f1 \'cf\f0 \'e9})x",
     R"x(p | "П" "é"
)x"},
    {"Charset238", R"x({\rtf1\ansi{\fonttbl{\f0\fcharset238 A;}}\f0 \'9a\'e8})x",
     R"x(p | "šč"
)x"},
    {"Charset161", R"x({\rtf1\ansi{\fonttbl{\f0\fcharset161 A;}}\f0 \'e1\'e2})x",
     R"x(p | "αβ"
)x"},
    {"Charset128DoubleByte", R"x({\rtf1\ansi{\fonttbl{\f0\fcharset128 A;}}\f0 a\'82\'a0b\'88\'9f})x",
     R"x(p | "aあb亜"
)x"},
    {"CodePageWordOverCharset", R"x({\rtf1\ansi{\fonttbl{\f0\fcharset0\cpg1251 A;}}\f0 \'cf})x",
     R"x(p | "П"
)x"},
    {"MacCodePage", R"x({\rtf1\mac \'d5\'8e})x",
     R"x(p | "’é"
)x"},
    {"PcCodePage", R"x({\rtf1\pc \'8f\'ae})x",
     R"x(p | "Å«"
)x"},
    {"SymbolFont", R"x({\rtf1\ansi{\fonttbl{\f2\fcharset2 Symbol;}}\f2 a\'b7\u-3913 ?})x",
     R"x(p | "α••"
)x"},
    {"WingdingsBullet", R"x({\rtf1\ansi{\fonttbl{\f3\fcharset2 Wingdings;}}\f3 \'a7\'fc})x",
     R"x(p | "▪✓"
)x"},
    {"Utf8CodePage", R"x({\rtf1\ansi\ansicpg65001 \'d0\'9f\'d1\'80 \'ff})x",
     R"x(p | "Пр �"
)x"},
    {"UnknownCodePageIs1252", R"x({\rtf1\ansi\ansicpg9999 \'e9})x",
     R"x(p | "é"
)x"},
    {"ControlBytesAreNoText",
     std::string("{\\rtf1 a\x01"
                 "b\x00"
                 "c\td}",
                 15),
     R"x(p | "abc d"
)x"},
    {"DefaultFontFromDeff",
     R"x({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fcharset204 Times;}{\f1\fcharset0 Arial;}{\f2\fcharset2 Symbol;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}\'cf\'f0})x",
     R"x(p | "Пр"
)x"},
};

class CodePageTest : public ::testing::TestWithParam<Snippet> {};
TEST_P(CodePageTest, Reads) {
  ExpectReading(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Snippets, CodePageTest, ::testing::ValuesIn(kCodePages), SnippetName);

// The decoder finds the end of a text token while it reads exactly where the tokenizer does.
TEST(TextDecoderTest, DecodingInPlaceTakesTheTokenTheTokenizerTakes) {
  const std::string inputs[] = {"plain{rest", "caf\\'e9\\'e0\\par", "a\r\nb}c", "\\'zz",
                                "x\\'e",      "\\'41\\'42"};
  for (int32_t page : {1251, 1252, 932, 65001, reader::kSymbolPage}) {
    for (const std::string& input : inputs) {
      reader::TextDecoder decoder;
      std::string scanned, in_place;
      const size_t length = reader::TextLength(input);
      decoder.Append(std::string_view(input).substr(0, length), page, scanned);
      EXPECT_EQ(decoder.AppendTextAt(input, page, in_place), length) << input << " in " << page;
      EXPECT_EQ(in_place, scanned) << input << " in " << page;
    }
  }
}

TEST(TextDecoderTest, LongTextsGoThroughTheBufferWhole) {
  reader::TextDecoder decoder;
  std::string text, out;
  for (int i = 0; i < 5000; ++i) text += "\\'e0b";
  EXPECT_EQ(decoder.AppendTextAt(text + "}", 1251, out), text.size());
  std::string expected;
  for (int i = 0; i < 5000; ++i)
    expected +=
        "\xD0\xB0"
        "b";
  EXPECT_EQ(out, expected);
}

TEST(TextDecoderTest, CharactersOfSymbolFontsAndControls) {
  std::string out;
  reader::TextDecoder::AppendCharacter(0xF0B7, reader::kSymbolPage, out);
  reader::TextDecoder::AppendCharacter(0xF0B7, 1252, out);
  reader::TextDecoder::AppendCharacter(0x07, 1252, out);
  reader::TextDecoder::AppendCharacter('\t', 1252, out);
  EXPECT_EQ(out, "\xE2\x80\xA2\xEF\x82\xB7 ");
}

}  // namespace
}  // namespace tessarine::testing
