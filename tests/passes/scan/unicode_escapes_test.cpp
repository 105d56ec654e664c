#include "passes/scan/unicode_escapes.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "passes/scan/rewrite_places.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

namespace fs = std::filesystem;

std::string Rewritten(const std::string& document) {
  std::string out;
  return RewriteEscapes(document, out) ? out : document;
}

TEST(UnicodeEscapesTest, WritesUnicodeEscapesAsCodePage1251Text) {
  const std::pair<std::string, std::string> cases[] = {
      {"{\\f1 \\u1055\\'3f\\u1088\\'3f\\u1080\\'3f}", "{\\f1 \\'cf\\'f0\\'e8}"},
      {"\\u1087?\\u1088?", "\\'ef\\'f0"},
      {"\\u8364?", "\\'88"},                                        // the euro sign is in 1251
      {"\\u19990?x", "\x01&#19990;x"},                                // not in 1251: a marked numeric reference
      {"\\u-3913?", "\x01&#61623;"},                                  // negative: N + 65536
      {"\\uc0\\u1087 x", "\\uc0\\'efx"},                            // no fallback; the space is the delimiter
      {"{\\uc2 \\u1087\\'3f\\'3f}\\u1088?", "{\\uc2 \\'ef}\\'f0"},  // \uc follows the groups
      {"\\u1087\\par", "\\'ef\\par"},                               // a control word ends the fallback
      {"\\u60?\\u62?\\u38?\\u123?", "<>&\\'7b"},                    // text, which decoding escapes
      {"\\u65?b", "Ab"},
      {"a\x01&#60;\\u19990?", "a&#60;\x01&#19990;"},  // the document's own marks are left out
      {"a\\\\u1087 b", "a\\\\u1087 b"},          // an escaped backslash stays text
      {"\\ul\\uc1\\up2 x", "\\ul\\uc1\\up2 x"},  // other words starting with u
  };
  for (const auto& [document, expected] : cases) EXPECT_EQ(Rewritten(document), expected) << document;
}

TEST(UnicodeEscapesTest, ReadsHexEscapesInTheDeclaredCodePage) {
  const std::pair<std::string, std::string> cases[] = {
      {"{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'fc \\'80 \\'41}",
       "{\\rtf1\\ansi\\ansicpg1252 caf\x01&#233; \x01&#252; \\'88 \\'41}"},
      {"{\\rtf1\\ansi\\ansicpg866 \\'af}", "{\\rtf1\\ansi\\ansicpg866 \\'ef}"},         // п
      {"{\\rtf1\\ansi\\ansicpg10000 \\'8e}", "{\\rtf1\\ansi\\ansicpg10000 \x01&#233;}"},  // é on the Mac
      {"{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0}",
       "{\\rtf1\\ansi\\ansicpg932 \x01&#12354;}"},  // a double-byte character
  };
  for (const auto& [document, expected] : cases) EXPECT_EQ(Rewritten(document), expected) << document;
}

TEST(UnicodeEscapesTest, LeavesCodePage1251DocumentsWithoutUnicodeEscapesAlone) {
  std::string out = "untouched";
  EXPECT_FALSE(RewriteEscapes("{\\rtf1\\ansi\\ansicpg1251 \\'e0\\'e1}", out));
  EXPECT_FALSE(RewriteEscapes("{\\rtf1\\ansi \\'e0 \\ul x}", out));
  EXPECT_EQ(out, "untouched");
}

TEST(UnicodeEscapesTest, WritesSymbolWordsAsTheirCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"c\\rquote est", "c\\'92est"},  // the delimiter belongs to the word
      {"\\lquote a\\rquote\\b b", "\\'91a\\'92\\b b"},
      {"\\ldblquote x\\rdblquote  y", "\\'93x\\'94 y"},  // only one delimiter is taken
      {"\\bullet\\tab", "\\'95\\tab"},
      {"a\\~b", "a\\'a0b"},                                // non-breaking space
      {"co\\-operate", "cooperate"},                       // optional hyphen
      {"x\\_y", "x-y"},                                    // non-breaking hyphen
      {"a\\\\~b", "a\\\\~b"},                              // an escaped backslash stays text
      {"\\rquotes \\bullet2 x", "\\rquotes \\bullet2 x"},  // other words are kept
  };
  for (const auto& [document, expected] : cases) EXPECT_EQ(Rewritten(document), expected) << document;
}

TEST(UnicodeEscapesTest, LineBreakAfterAControlWordBeforeTextBecomesItsDelimiter) {
  const std::pair<std::string, std::string> cases[] = {
      {"{\\f7\\hich\\af7\r\nMaecenas mauris}", "{\\f7\\hich\\af7 Maecenas mauris}"},
      {"\\cf0\\par\nLast line", "\\cf0\\par Last line"},
      {"\\fi-360\r\n\r\nx", "\\fi-360 x"},
      {"\\b \r\nx", "\\b \r\nx"},        // a space already ends the word
      {"\\b\r\n\\i x", "\\b\r\n\\i x"},  // no text after the break
      {"\\b\r\n{x}", "\\b\r\n{x}"},
      {"text\r\nmore \\'e0\r\nx", "text\r\nmore \\'e0\r\nx"},  // no control word before
  };
  for (const auto& [document, expected] : cases) EXPECT_EQ(Rewritten(document), expected) << document;
}

TEST(UnicodeEscapesTest, HexEscapeRightAfterAControlWordGetsTheWordsDelimiter) {
  const std::pair<std::string, std::string> cases[] = {
      {"\\pard\\f0\\fs20\\'cf\\'f0\\'e8 x", "\\pard\\f0\\fs20 \\'cf\\'f0\\'e8 x"},
      {"\\b\\'c4 \\b0\\'ed", "\\b \\'c4 \\b0 \\'ed"},
      {"\\li-60\\'e0", "\\li-60 \\'e0"},
      {"\\f1 \\'e0", "\\f1 \\'e0"},                 // already delimited
      {"x\\'e0\\'e1", "x\\'e0\\'e1"},               // after text: untouched
      {"a\\\\'e0", "a\\\\'e0"},                     // an escaped backslash and an apostrophe
      {"{\\'ce\\'ef x}", "{\\loch \\'ce\\'ef x}"},  // a run that opens with an escape
      {"{a}\\'e0 b", "{a}\\loch \\'e0 b"},
      {"{ \\'e0}", "{ \\'e0}"},
  };
  for (const auto& [document, expected] : cases) EXPECT_EQ(Rewritten(document), expected) << document;
}

// In a long document the escapes are looked for sixteen characters at a time: each is still
// found alone, at every place of a block, and the near misses still leave the document alone.
TEST(UnicodeEscapesTest, EveryEscapeIsFoundAtEveryPlaceOfALongDocument) {
  const std::pair<std::string, std::string> rewritten[] = {
      {"\\u1087?", "\\'ef"},
      {"\\ul\\u-3913?", "\\ul\x01&#61623;"},
      {"a\\~b", "a\\'a0b"},
      {"a\\_b", "a-b"},
      {"co\\-op", "coop"},
      {"c\\rquote est", "c\\'92est"},
      {"\\ldblquote x", "\\'93x"},
      {"\\bullet\\tab", "\\'95\\tab"},
      {"\\fs20\\'cf", "\\fs20 \\'cf"},
      {"\\li-60\\'e0", "\\li-60 \\'e0"},
      {"{\\'ce x}", "{\\loch \\'ce x}"},
      {"{a}\\'e0 b", "{a}\\loch \\'e0 b"},
      {"\\b\r\nText", "\\b Text"},
  };
  const std::string kept[] = {
      " \\'e0\\'e1", "\\ul x", "\\lang1049 x", "\\rtlch\\b0 x", "\\ltrch\\rd x", "\\bu x", "\\u x",
  };
  const std::string tail(24, '.');
  for (size_t front = 0; front < 20; ++front) {
    const std::string pad(front, '.');
    for (const auto& [document, expected] : rewritten) {
      EXPECT_EQ(Rewritten(pad + document + tail), pad + expected + tail) << document << " after " << front;
    }
    for (const std::string& document : kept) {
      std::string out;
      EXPECT_FALSE(RewriteEscapes(pad + document + tail, out)) << document << " after " << front;
    }
  }
}

// The rewrite passes over what cannot change only in documents where every backslash starts a
// piece of the walk: it gives what the walk of every character gives, for the documents of the
// test data and the corpus, cut and with bytes flipped, and for what makes it walk every step.
TEST(UnicodeEscapesTest, PassingOverGivesTheStepByStepRewrite) {
  std::vector<std::string> documents = {
      "{\\rtf1 \\pard\\f1\\fs20\\'e0\\'e1 \\u1087?{\\'ce x}\\b\r\ntext\\~\\lquote a\\bullet\\tab}",
      "{\\rtf1 \\uc2{\\u1087\\'3f\\'3f}\\u1088?\\fs20\\'e0}",    // fallbacks of two characters
      "{\\rtf1 \\pict\\bin6 \\u12\\'\\fs20\\'e0}\\u1087?",       // binary data
      "{\\rtf1 a\\\\u1087 \\\\\\fs20\\'e0 \\u1088?}",           // escaped backslashes
      "{\\rtf1 \\'\\u1087?\\'a\\fs20\\'e0 \\'a{\\'e1\\u1088?}",  // backslashes for hex digits
      "{\\rtf1 \x01&#60;\\u1087?\\fs20\\'e0}",                   // a reference mark
  };
  for (const fs::path& root : {testing::DataDir(), testing::CorpusDir()}) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
      if (!it->is_regular_file() || it->path().extension() != ".rtf") continue;
      std::string raw;
      ASSERT_TRUE(ReadFileBytes(it->path(), &raw).ok());
      documents.push_back(raw.substr(0, raw.size() / 3));
      for (size_t i = 0; i < raw.size(); i += 97) raw[i] = static_cast<char>(raw[i] ^ 0x5c);
      documents.push_back(raw);
    }
  }
  int passed_over = 0;
  for (const std::string& document : documents) {
    for (size_t front = 0; front < 3; ++front) {
      const std::string shifted = std::string(front, ' ') + document;
      std::string passing_over, step_by_step;
      EXPECT_EQ(RewriteEscapes(shifted, passing_over), RewriteEscapesStepByStep(shifted, step_by_step));
      EXPECT_TRUE(passing_over == step_by_step) << document.substr(0, 80);
      passed_over += RewriteMayPassOver(shifted) ? 1 : 0;
    }
  }
  EXPECT_GT(passed_over, 0);
  EXPECT_LT(passed_over, static_cast<int>(documents.size() * 3));
}

TEST(UnicodeEscapesTest, CopiesBinaryDataAsItStands) {
  std::string doc = std::string("{\\pict\\bin4 \\u12}\\u1087?");
  EXPECT_EQ(Rewritten(doc), "{\\pict\\bin4 \\u12}\\'ef");
}

}  // namespace
}  // namespace tessarine
