#include "page/font_name.h"

#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace tessarine {
namespace {

TEST(FontNameTest, KeepsLettersOfAnyScriptDigitsSpacesAndNamePunctuation) {
  for (char32_t c :
       {U'A', U'z', U'0', U' ', U'-', U'_', U'.', U'Ж', U'ё', U'é', U'ß', U'宋', U'ا', U'\u0301'}) {
    EXPECT_TRUE(IsFontNameCharacter(c)) << static_cast<uint32_t>(c);
  }
  for (char32_t c :
       {U'"', U'\'', U'<', U'>',      U'&',      U';',      U':',      U'(',         U')',    U'{',
        U'}', U'\\', U'/', U'=',      U',',      U'\0',     U'\t',     U'\x7f',      U'\x85', U'\xa0',
        U'«', U'“',  U'№', U'\u2028', U'\ufeff', U'\ufffd', U'\uff02', U'\U0001F600'}) {
    EXPECT_FALSE(IsFontNameCharacter(c)) << static_cast<uint32_t>(c);
  }
}

TEST(FontNameTest, LeavesOutWhatCouldEndTheDeclarationOrTheAttribute) {
  const std::pair<std::string, std::string> cases[] = {
      {"Times New Roman", "Times New Roman"},
      {"X\"><img src=x onerror=\"alert(1)\";", "Ximg srcx onerroralert1"},
      {"Arial;color:red}", "Arialcolorred"},
      {"\xC0\xF0\xE8\xE0\xEB \xAB\xE1\xBB",
       "\xC0\xF0\xE8\xE0\xEB \xE1"},  // Cyrillic stays, the guillemets go
      {"MS\x98 Gothic\x01", "MS Gothic"},
  };
  for (const auto& [name, kept] : cases) {
    std::string out;
    AppendFontName(out, name);
    EXPECT_EQ(out, kept) << name;
  }
}

}  // namespace
}  // namespace tessarine
