// Charsets and code pages, symbol fonts and list bullets.
#include <gtest/gtest.h>

#include "reader/code_pages.h"

namespace tessarine::reader {
namespace {

TEST(CodePagesTest, Charsets) {
  const std::pair<int32_t, int32_t> cases[] = {
      {0, kDocumentPage},  {1, kDocumentPage},  {2, kSymbolPage}, {77, 10000}, {89, 10007},
      {128, 932},          {129, 949},          {130, 1361},      {134, 936},  {136, 950},
      {161, 1253},         {162, 1254},         {163, 1258},      {177, 1255}, {178, 1256},
      {186, 1257},         {204, 1251},         {222, 874},       {238, 1250}, {255, 437},
      {99, kDocumentPage}, {-1, kDocumentPage},
  };
  for (const auto& [charset, page] : cases) EXPECT_EQ(CodePageOfCharset(charset), page) << charset;
}

TEST(CodePagesTest, SymbolFonts) {
  EXPECT_EQ(SymbolFontPage("Symbol"), kSymbolPage);
  EXPECT_EQ(SymbolFontPage("SYMBOL MT"), kSymbolPage);
  EXPECT_EQ(SymbolFontPage("Wingdings 2"), kWingdingsPage);
  EXPECT_EQ(SymbolFontPage("Webdings"), kPrivateUsePage);
  EXPECT_EQ(SymbolCharacter(kSymbolPage, 'a'), U'α');
  EXPECT_EQ(SymbolCharacter(kSymbolPage, 0xB7), U'•');
  EXPECT_EQ(SymbolCharacter(kSymbolPage, 0x80), 0xF080u);
  EXPECT_EQ(SymbolCharacter(kWingdingsPage, 0xA7), U'▪');
  EXPECT_EQ(SymbolCharacter(kWingdingsPage, 'a'), 0xF061u);
  EXPECT_EQ(SymbolCharacter(kPrivateUsePage, 'a'), 0xF061u);
  EXPECT_EQ(SymbolCharacter(kSymbolPage, 0x1F), 0u);
}

TEST(CodePagesTest, BulletsAndReadablePages) {
  EXPECT_EQ(BulletOf(0xF0B7), U'•');
  EXPECT_EQ(BulletOf(0xF0A7), U'▪');
  EXPECT_EQ(BulletOf(0xF0D8), U'➢');
  EXPECT_EQ(BulletOf(0xF06F), U'•');
  EXPECT_EQ(BulletOf(U'o'), U'o');
  EXPECT_EQ(ReadablePage(10001), 932);
  EXPECT_EQ(ReadablePage(10007), 10007);
  EXPECT_TRUE(IsDoubleBytePage(936));
  EXPECT_FALSE(IsDoubleBytePage(1251));
}

}  // namespace
}  // namespace tessarine::reader
