// The keyword table: sorted, each name once, every entry found, kinds that fit their actions.
#include <string>

#include <gtest/gtest.h>

#include "reader/keywords.h"

namespace tessarine::reader {
namespace {

TEST(KeywordsTest, EveryEntryIsFoundByItsName) {
  for (const Keyword& keyword : AllKeywords()) {
    const Keyword* found = FindKeyword(keyword.name);
    ASSERT_NE(found, nullptr) << keyword.name;
    EXPECT_EQ(found, &keyword);
  }
}

TEST(KeywordsTest, UnknownNamesAreNotFound) {
  for (const char* name : {"", "pa", "pard1", "Par", "lang", "insrsid", "rtlch", "b0",
                           "zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz",
                           // Names that share the first eight letters or the last eight with one.
                           "listover", "listoverridetabl", "listoverridetablex", "xistoverridetable", "brdrdashsn",
                           "picscalez", "wbmbitspixe"}) {
    EXPECT_EQ(FindKeyword(name), nullptr) << name;
  }
}

TEST(KeywordsTest, KindsFitActions) {
  for (const Keyword& keyword : AllKeywords()) {
    const bool destination_action = keyword.action >= Action::kSkipDestination;
    EXPECT_EQ(keyword.kind == Kind::kDestination, destination_action) << keyword.name;
    if (keyword.kind == Kind::kSymbol) {
      EXPECT_EQ(keyword.action, Action::kCharacter) << keyword.name;
      EXPECT_GT(keyword.value, 0) << keyword.name;
    }
  }
}

TEST(KeywordsTest, WordsTheReaderDependsOn) {
  const std::pair<const char*, Action> words[] = {
      {"par", Action::kPar},
      {"pard", Action::kPard},
      {"b", Action::kBold},
      {"ul", Action::kUnderline},
      {"ulnone", Action::kUnderlineNone},
      {"uc", Action::kUnicodeSkip},
      {"u", Action::kUnicode},
      {"fonttbl", Action::kFontTable},
      {"header", Action::kSkipDestination},
      {"fldinst", Action::kFieldInstruction},
      {"cell", Action::kCell},
      {"~", Action::kCharacter},
  };
  for (const auto& [name, action] : words) {
    const Keyword* keyword = FindKeyword(name);
    ASSERT_NE(keyword, nullptr) << name;
    EXPECT_EQ(keyword->action, action) << name;
  }
  EXPECT_EQ(FindKeyword("ulc"), nullptr);  // the underline's colour is no underline
}

}  // namespace
}  // namespace tessarine::reader
