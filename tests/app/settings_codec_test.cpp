#include <string>

#include <gtest/gtest.h>

#include "app/window/code_page.h"
#include "app/window/settings_codec.h"

namespace tessarine {
namespace {

// Settings of which no field holds its start value.
Settings Edited() {
  Settings s;
  s.fontname = "Times";
  s.textcolor = "#111111";
  s.fontsize = "12";
  s.fontstyle = "italic";
  s.textalign = "center";
  s.bgimage = "/p/\xf1\xe0\xe4.gif";  // "сад" in code page 1251
  s.bgcolor = "#0000ff";
  s.textindent = "5";
  s.marginleft = "6";
  s.marginright = "7";
  s.umrazm = "2";
  s.colorhr = "#000000";
  s.colorssl = "#ffffff";
  s.colorslssl = "#008080";
  s.fixed = true;
  s.titul = "\xc7\xe0\xe3\xee\xeb\xee\xe2\xee\xea";  // "Заголовок"
  s.titulautor = "A";
  s.fsizessl = "9";
  s.colorsl = "#222222";
  return s;
}

TEST(SettingsCodecTest, FormRoundTripAndHiddenFields) {
  const Settings original = Edited();
  SettingsForm form = FormFromSettings(original);
  EXPECT_EQ(form.titul, QString::fromUtf8("Заголовок"));
  EXPECT_EQ(form.bgimage, QString::fromUtf8("/p/сад.gif"));
  EXPECT_TRUE(form.fixed);

  Settings applied;  // start values; the dialog's fields must all come over, no other
  ApplySettingsForm(form, applied);
  Settings expected = Edited();
  const Settings start;
  expected.fontname = start.fontname;
  expected.textcolor = start.textcolor;
  expected.fontsize = start.fontsize;
  expected.fontstyle = start.fontstyle;
  expected.textalign = start.textalign;
  expected.colorsl = start.colorsl;
  EXPECT_EQ(applied, expected);

  Settings same = original;
  ApplySettingsForm(form, same);
  EXPECT_EQ(same, original);
}

TEST(SettingsCodecTest, CharactersOutsideTheCodePage) {
  const struct {
    const char* typed;  // UTF-8
    std::string stored;
  } cases[] = {
      {"Автор", "\xc0\xe2\xf2\xee\xf0"},
      {"Ёж №1", "\xa8\xe6 \xb9\x31"},
      {"Smile 😀", "Smile &#128512;"},
      {"中", "&#20013;"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SettingsForm form = FormFromSettings(Settings());
    form.titulautor = QString::fromUtf8(c.typed);
    Settings s;
    ApplySettingsForm(form, s);
    EXPECT_EQ(s.titulautor, c.stored) << c.typed;
  }
}

}  // namespace
}  // namespace tessarine
