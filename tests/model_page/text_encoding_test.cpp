// Text into code page 1251: every character gives its byte or a decimal reference, whatever
// stands around it; markup characters are escaped; the numbers of styles are written exactly.
#include <string>

#include <gtest/gtest.h>

#include "base/cp1251.h"
#include "model_page/text_encoding.h"

namespace tessarine {
namespace {

// What a character must become: its code page 1251 byte or "&#N;"; control characters nothing.
std::string Expected(char32_t c, Escape escape) {
  if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return {};
  if (c == '&') return "&amp;";
  if (c == '<') return "&lt;";
  if (c == '>') return "&gt;";
  if (c == '"' && escape == Escape::kAttribute) return "&quot;";
  if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
  int byte = UnicodeToCp1251(c);
  if (byte >= 0) return std::string(1, static_cast<char>(byte));
  return "&#" + std::to_string(static_cast<uint32_t>(c)) + ";";
}

TEST(ModelTextEncodingTest, EveryCharacterInEveryPosition) {
  // Plain text of different lengths around each character, so that it falls at every place of
  // the eight-byte steps and of the buffer.
  for (const Escape escape : {Escape::kText, Escape::kAttribute}) {
    for (char32_t c = 0; c < 0x3000; ++c) {
      std::string utf8;
      AppendUtf8(utf8, c);
      const std::string before(c % 13, 'a'), after(c % 7, 'b');
      std::string out;
      AppendHtmlText(out, before + utf8 + after, escape);
      ASSERT_EQ(out, before + Expected(c, escape) + after) << static_cast<uint32_t>(c);
    }
    for (char32_t c : {U'\U0001F600', U'\U0010FFFF', U'\uFFFD', U'\uFEFF'}) {
      std::string utf8;
      AppendUtf8(utf8, c);
      std::string out;
      AppendHtmlText(out, utf8, escape);
      EXPECT_EQ(out, Expected(c, escape));
    }
  }
}

TEST(ModelTextEncodingTest, LongTextsCrossTheBuffer) {
  std::string utf8, expected;
  for (int i = 0; i < 5000; ++i) {
    utf8 += "Привет, world & ёлка — «да» 😀 ";
    expected += "\xCF\xF0\xE8\xE2\xE5\xF2, world &amp; \xB8\xEB\xEA\xE0 \x97 \xAB\xE4\xE0\xBB &#128512; ";
  }
  std::string out = "x";
  AppendHtmlText(out, utf8);
  EXPECT_EQ(out, "x" + expected);
}

TEST(ModelTextEncodingTest, RunsOfLettersWithAnyCharacterAnywhere) {
  // Runs of letters U+0410 to U+044F (taken four at a time) with another character, or a broken
  // sequence, at each place: the letters on either side come out the same.
  struct Odd {
    std::string utf8;
    std::string out;
  };
  const Odd odds[] = {
      {"a", "a"},
      {"&", "&amp;"},
      {"\xD0\x81", "\xA8"},     // Ё
      {"\xD1\x91", "\xB8"},     // ё
      {"\xD0\x8F", "\x8F"},     // Џ, just below the letters
      {"\xD1\x90", "&#1104;"},  // ѐ, just above them
      {"\xD0\x41", "&#65533;A"},
      {"\xD1", "&#65533;"},
      {"\x90", "&#65533;"},              // a second byte without its first
      {"\xD1\xD0\x90", "&#65533;\xC0"},  // a first byte before a letter
      {"\xE2\x80\x94", "\x97"},        // —
  };
  const std::string letters = "\xD0\x90\xD0\xBF\xD1\x80\xD1\x8F\xD0\xB0\xD0\x9F\xD1\x8E";  // АпряаПю
  const std::string bytes = "\xC0\xEF\xF0\xFF\xE0\xCF\xFE";
  for (size_t length = 0; length <= 14; ++length) {
    std::string utf8, expected;
    for (size_t i = 0; i < length; ++i) {
      utf8 += letters.substr(i % 7 * 2, 2);
      expected += bytes[i % 7];
    }
    for (const Odd& odd : odds) {
      for (size_t at = 0; at <= length; ++at) {
        std::string out;
        AppendHtmlText(out, utf8.substr(0, at * 2) + odd.utf8 + utf8.substr(at * 2));
        ASSERT_EQ(out, expected.substr(0, at) + odd.out + expected.substr(at)) << length << " " << at;
      }
    }
  }
}

TEST(ModelTextEncodingTest, BrokenUtf8) {
  struct Case {
    std::string utf8;
    std::string out;
  };
  const Case cases[] = {
      {"\xFF", "&#65533;"},
      {"a\xD0", "a&#65533;"},                                    // cut off after a lead byte
      {"\xD0\x41", "&#65533;A"},                                 // a lead byte without its continuation
      {"\xC0\xAF", "&#65533;&#65533;"},                          // overlong
      {"\xED\xA0\x80", "&#65533;&#65533;&#65533;"},              // a surrogate
      {"\xF4\x90\x80\x80", "&#65533;&#65533;&#65533;&#65533;"},  // beyond U+10FFFF
      {"\xE2\x82", "&#65533;&#65533;"},
  };
  for (const Case& c : cases) {
    std::string out;
    AppendHtmlText(out, c.utf8);
    EXPECT_EQ(out, c.out);
  }
}

TEST(ModelTextEncodingTest, ConvertedHtmlKeepsMarkupAndReferences) {
  std::string out;
  AppendConvertedHtml(out, "<p>&nbsp;Привет\n\"x\"\r\n中\tend\r", false);
  EXPECT_EQ(out, "<p>&nbsp;\xCF\xF0\xE8\xE2\xE5\xF2\r\n\"x\"\r\n&#20013;\tend\r\n");
  out.clear();
  AppendConvertedHtml(out, "a<b>\"c\"&amp;", true);
  EXPECT_EQ(out, "a&lt;b&gt;&quot;c&quot;&amp;");
}

TEST(ModelTextEncodingTest, Numbers) {
  struct Case {
    int64_t hundredths;
    const char* text;
  };
  for (const Case& c : {Case{1415, "14.15"}, Case{1500, "15"}, Case{-50, "-0.5"}, Case{5, "0.05"},
                        Case{0, "0"}, Case{-1800, "-18"}, Case{10750000000, "107500000"}}) {
    std::string out;
    AppendHundredths(out, c.hundredths);
    EXPECT_EQ(out, c.text);
  }
  std::string colour;
  AppendColour(colour, 0x0A0B0C);
  EXPECT_EQ(colour, "#0A0B0C");
}

}  // namespace
}  // namespace tessarine
