// The tokenizer: every token kind, parameters and delimiters, "\bin" data, skipping groups, and
// the helpers that walk text tokens.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "reader/keywords.h"
#include "reader/tokens.h"

namespace tessarine::reader {
namespace {

// The tokens of `rtf` in a short form: {  }  \word  \word=N  \'x' (symbol)  "text"  bin:N.
std::string Describe(std::string_view rtf) {
  Tokenizer tokens(rtf);
  std::string out;
  for (Token t = tokens.Next(); t.kind != TokenKind::kEnd; t = tokens.Next()) {
    if (!out.empty()) out += " ";
    switch (t.kind) {
      case TokenKind::kGroupOpen:
        out += "{";
        break;
      case TokenKind::kGroupClose:
        out += "}";
        break;
      case TokenKind::kWord:
        out += "\\" + std::string(t.text) + (t.has_param ? "=" + std::to_string(t.param) : "");
        break;
      case TokenKind::kSymbol:
        out += t.symbol == 0      ? std::string("sym:none")
               : t.symbol == '\n' ? "sym:NL"
                                  : "sym:" + std::string(1, t.symbol);
        break;
      case TokenKind::kText:
        out += "\"" + std::string(t.text) + "\"";
        break;
      case TokenKind::kBinary:
        out += "bin:" + std::string(t.text);
        break;
      case TokenKind::kEnd:
        break;
    }
  }
  return out;
}

struct TokenCase {
  const char* name;
  std::string rtf;
  std::string tokens;
};

class TokenizerTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerTest, Splits) {
  EXPECT_EQ(Describe(GetParam().rtf), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TokenizerTest,
    ::testing::Values(TokenCase{"Groups", "{a}", "{ \"a\" }"},
                      TokenCase{"WordsAndDelimiters", "\\b\\i0 x\\fs24  y", "\\b \\i=0 \"x\" \\fs=24 \" y\""},
                      TokenCase{"NegativeParameter", "\\li-360\\u-3913?", "\\li=-360 \\u=-3913 \"?\""},
                      TokenCase{"MinusWithoutDigitsIsText", "\\b-x", "\\b \"-x\""},
                      TokenCase{"ParameterClamped", "\\fs99999999999999 x", "\\fs=2147483647 \"x\""},
                      TokenCase{"NegativeClamped", "\\fs-99999999999999", "\\fs=-2147483647"},
                      TokenCase{"UpperCaseLetters", "\\mmathPr1", "\\mmathPr=1"},
                      TokenCase{"Symbols", "\\{\\}\\\\\\~\\*", "sym:{ sym:} sym:\\ sym:~ sym:*"},
                      TokenCase{"BackslashLineEnd", "\\\r\n\\\n", "sym:NL sym:NL"},
                      TokenCase{"HexEscapesAreText", "a\\'e0\\'E1b\\par", "\"a\\'e0\\'E1b\" \\par"},
                      TokenCase{"BrokenHexEscape", "\\'e\\'zz", "sym:' \"e\" sym:' \"zz\""},
                      TokenCase{"LineEndsBetweenTokensSkipped", "\r\n\\par\r\n\r\nx\r\ny",
                                "\\par \"x\r\ny\""},
                      TokenCase{"BinaryData", "{\\bin3 a}b}", "{ bin:a}b }"},
                      TokenCase{"BinaryCutAtEnd", "\\bin10 ab", "bin:ab"},
                      TokenCase{"BinaryWithoutCount", "\\bin x", "bin: \"x\""},
                      TokenCase{"BackslashAtEnd", "a\\", "\"a\" sym:none"}),
    [](const ::testing::TestParamInfo<TokenCase>& param) { return param.param.name; });

// The tokenizer packs a word's first letters in one load where it can: the same number as
// PackedPrefix, for short and long words and for words at the very end of the input.
TEST(TokenizerTest, WordPrefixesAreThePackedPrefix) {
  for (const char* rtf : {"\\b", "\\par x", "\\listoverridetable1 ", "\\fs24\\f1", "\\abcdefgh",
                          "\\abcdefghi", "\\u-3913?\\uc0"}) {
    Tokenizer tokens(rtf);
    for (Token t = tokens.Next(); t.kind != TokenKind::kEnd; t = tokens.Next()) {
      if (t.kind == TokenKind::kWord) {
        EXPECT_EQ(t.prefix, PackedPrefix(t.text)) << rtf;
      }
    }
  }
}

// A control word of any length ends at the first byte that is no ASCII letter, whatever that
// byte is and wherever it falls; one at the very end of the input takes the rest.
TEST(TokenizerTest, WordsOfEveryLengthEndAtTheFirstOtherByte) {
  const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const std::string ends[] = {"", "0", " ", "\\", "{", "}", "-", "@", "[", "`", "\x7F", "\xC1", "\xE1", "\xFA"};
  for (size_t length = 1; length <= 20; ++length) {
    const std::string word = letters.substr(length % 7, length);
    for (const std::string& after : ends) {
      const std::string rtf = "\\" + word + after;
      Tokenizer tokens(rtf);
      const Token t = tokens.Next();
      ASSERT_EQ(t.kind, TokenKind::kWord) << rtf;
      EXPECT_EQ(t.text, word) << rtf;
      EXPECT_EQ(tokens.position(), 1 + length + (after == " " || after == "0" ? 1 : 0)) << rtf;
    }
  }
}

// Parameters of every length, signed or not, whatever follows them and wherever the input ends:
// their value, clamped to the range of int32_t, and the delimiting space consumed.
TEST(TokenizerTest, ParametersOfEveryLength) {
  const std::string digits = "9081726354091827364";
  const std::string ends[] = {"", " ", "x", "\\", "/", ":", "\xB0", "\xB9", " x"};
  for (size_t length = 1; length <= digits.size(); ++length) {
    const std::string number = digits.substr(0, length);
    const long long expected = std::min(std::stoll(number), 2147483647LL);
    for (const std::string sign : {"", "-"}) {
      for (const std::string& after : ends) {
        const std::string rtf = "\\fs" + sign + number + after;
        Tokenizer tokens(rtf);
        const Token t = tokens.Next();
        ASSERT_EQ(t.kind, TokenKind::kWord) << rtf;
        EXPECT_TRUE(t.has_param) << rtf;
        EXPECT_EQ(t.param, sign.empty() ? expected : -expected) << rtf;
        const size_t used = 3 + sign.size() + length + (!after.empty() && after.front() == ' ' ? 1 : 0);
        EXPECT_EQ(tokens.position(), used) << rtf;
      }
    }
  }
}

TEST(TokenizerTest, SkipGroupStopsAfterItsBrace) {
  const std::string rtf = "{\\*\\x a{b\\}}\\{{\\bin2 }}}}c}";
  Tokenizer tokens(rtf);
  EXPECT_EQ(tokens.Next().kind, TokenKind::kGroupOpen);
  EXPECT_EQ(tokens.Next().kind, TokenKind::kSymbol);
  tokens.SkipGroup();
  const Token rest = tokens.Next();
  ASSERT_EQ(rest.kind, TokenKind::kText);
  EXPECT_EQ(rest.text, "c");
  EXPECT_EQ(tokens.Next().kind, TokenKind::kGroupClose);
}

TEST(TokenizerTest, SkipGroupOfATruncatedDocumentEndsAtTheEnd) {
  Tokenizer tokens("{\\*\\x {{{");
  tokens.Next();
  tokens.Next();
  tokens.SkipGroup();
  EXPECT_EQ(tokens.Next().kind, TokenKind::kEnd);
}

TEST(TokenizerTest, AtTextAndPeekAgreeWithNext) {
  for (const char* rtf : {"abc", "\\'e0", "\\par", "{", "}", "\r\n x", "\\'zz", "", "\\", "\\~", "\\Z1",
                          "\r\n\\b", "\\bin1 x", "\\@", "\\[", "\\`", "\\{"}) {
    Tokenizer tokens(rtf);
    const bool at_text = tokens.AtText();
    const Tokenizer::Peeked peeked = tokens.Peek();
    const TokenKind kind = tokens.Next().kind;
    EXPECT_EQ(at_text, kind == TokenKind::kText) << rtf;
    EXPECT_EQ(peeked, kind == TokenKind::kText                                      ? Tokenizer::Peeked::kText
                      : kind == TokenKind::kWord || kind == TokenKind::kBinary ? Tokenizer::Peeked::kControlWord
                                                                                   : Tokenizer::Peeked::kOther)
        << rtf;
  }
}

// The tokens of `rtf` as a reader that passes over unknown words sees them: known words with
// their parameters, the other tokens, and where each ends. With `in_place`, read through
// NextKnownWord as far as it goes; else through Next alone.
std::string KnownTokens(std::string_view rtf, bool in_place) {
  Tokenizer tokens(rtf);
  std::string out;
  for (;;) {
    if (in_place) {
      const size_t before = tokens.position();
      bool has_param = true;
      int32_t param = 7;
      if (const Keyword* keyword = tokens.NextKnownWord(&has_param, &param)) {
        out += "\\" + std::string(keyword->name) + (has_param ? "=" + std::to_string(param) : "") + "@" +
               std::to_string(tokens.position()) + " ";
        continue;
      }
      if (tokens.position() != before) continue;
    }
    const Token t = tokens.Next();
    if (t.kind == TokenKind::kEnd) return out;
    if (t.kind == TokenKind::kWord) {
      const Keyword* keyword = FindKeyword(t.text, t.prefix);
      if (keyword == nullptr) continue;
      out += "\\" + std::string(keyword->name) + (t.has_param ? "=" + std::to_string(t.param) : "");
    } else {
      out += "kind" + std::to_string(static_cast<int>(t.kind)) + ":" + std::string(t.text);
    }
    out += "@" + std::to_string(tokens.position()) + " ";
  }
}

// Words known and unknown, short and long, with every kind of parameter, in runs, before every
// kind of token, near the end of the input and far from it.
TEST(TokenizerTest, KnownWordsInPlaceAgreeWithNext) {
  const std::string words[] = {"b", "fs", "lang", "insrsid", "abcdefg", "abcdefgh", "listoverridetable",
                               "brdrdashsm", "brdrdashsx", "bin", "u", "zzzzzzzzzzzzzzz"};
  const std::string params[] = {"", "0", "1049", "-5", "-", "-x", "1234567", "12345678", "123456789012"};
  const std::string afters[] = {"", " ", "  ", "\r\n", "x"};
  const std::string tails[] = {"", "\\'e0", "{", "}", "\\*", "\\lang1049 \\b", "\\bin2 ab", "\\"};
  int cases = 0;
  for (const std::string& word : words) {
    for (const std::string& param : params) {
      for (const std::string& after : afters) {
        for (const std::string& tail : tails) {
          for (const char* far : {"", " and some text after it"}) {
            const std::string rtf = "\\fcs1 \\" + word + param + after + tail + far;
            ASSERT_EQ(KnownTokens(rtf, true), KnownTokens(rtf, false)) << rtf;
            ++cases;
          }
        }
      }
    }
  }
  EXPECT_GT(cases, 1000);
}

TEST(TokenizerTest, TextUnitsAndFallback) {
  std::vector<int> units;
  TextUnits("a\\'e0\r\nb", [&units](unsigned char b) { units.push_back(b); });
  EXPECT_EQ(units, (std::vector<int>{'a', 0xE0, 'b'}));

  std::string_view text = "\r\n\\'e0bc";
  uint32_t count = 2;
  DropFallback(&text, &count);
  EXPECT_EQ(text, "c");
  EXPECT_EQ(count, 0u);
  text = "ab";
  count = 5;
  DropFallback(&text, &count);
  EXPECT_EQ(text, "");
  EXPECT_EQ(count, 3u);
}

}  // namespace
}  // namespace tessarine::reader
