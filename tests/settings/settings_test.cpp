#include "settings/settings.h"

#include <gtest/gtest.h>

namespace tessarine {
namespace {

TEST(SettingsTest, StartValues) {
  const Settings s;
  EXPECT_EQ(s.fontname, "Arial");
  EXPECT_EQ(s.textcolor, "#000000");
  EXPECT_EQ(s.fontsize, "10");
  EXPECT_EQ(s.fontstyle, "");
  EXPECT_EQ(s.textalign, "left");
  EXPECT_EQ(s.bgimage, "");
  EXPECT_EQ(s.bgcolor, "#e0e0e0");
  EXPECT_EQ(s.textindent, "10");
  EXPECT_EQ(s.marginleft, "10");
  EXPECT_EQ(s.marginright, "10");
  EXPECT_EQ(s.umrazm, "0");
  EXPECT_EQ(s.colorhr, "#dc143c");
  EXPECT_EQ(s.colorssl, "#a0522d");
  EXPECT_EQ(s.colorslssl, "#dc143c");
  EXPECT_FALSE(s.fixed);
  EXPECT_EQ(s.titul, "");
  EXPECT_EQ(s.titulautor, "");
  EXPECT_EQ(s.fsizessl, "8");
  EXPECT_EQ(s.colorsl, "#9f65c3");
}

TEST(SettingsTest, ApplyFixedFieldsSetsOnlyTheFixedFields) {
  Settings s;
  s.fontsize = "14";
  s.fontname = "Verdana";
  s.textcolor = "#ffffff";
  s.textalign = "right";
  s.marginleft = "3";
  ApplyFixedFields(s);
  EXPECT_EQ(s.fontsize, "10");
  EXPECT_EQ(s.fontname, "Arial");
  EXPECT_EQ(s.textcolor, "#000000");
  EXPECT_EQ(s.textalign, "left");
  EXPECT_EQ(s.marginleft, "3");
}

}  // namespace
}  // namespace tessarine
