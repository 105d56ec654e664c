#include "app/window/settings_codec.h"

#include "app/window/code_page.h"

namespace tessarine {

SettingsForm FormFromSettings(const Settings& s) {
  SettingsForm form;
  form.bgcolor = FromCp1251(s.bgcolor);
  form.colorhr = FromCp1251(s.colorhr);
  form.colorssl = FromCp1251(s.colorssl);
  form.colorslssl = FromCp1251(s.colorslssl);
  form.bgimage = FromCp1251(s.bgimage);
  form.textindent = FromCp1251(s.textindent);
  form.marginleft = FromCp1251(s.marginleft);
  form.marginright = FromCp1251(s.marginright);
  form.umrazm = FromCp1251(s.umrazm);
  form.fsizessl = FromCp1251(s.fsizessl);
  form.titul = FromCp1251(s.titul);
  form.titulautor = FromCp1251(s.titulautor);
  form.fixed = s.fixed;
  return form;
}

void ApplySettingsForm(const SettingsForm& form, Settings& s) {
  s.bgcolor = ToCp1251(form.bgcolor);
  s.colorhr = ToCp1251(form.colorhr);
  s.colorssl = ToCp1251(form.colorssl);
  s.colorslssl = ToCp1251(form.colorslssl);
  s.bgimage = ToCp1251(form.bgimage);
  s.textindent = ToCp1251(form.textindent);
  s.marginleft = ToCp1251(form.marginleft);
  s.marginright = ToCp1251(form.marginright);
  s.umrazm = ToCp1251(form.umrazm);
  s.fsizessl = ToCp1251(form.fsizessl);
  s.titul = ToCp1251(form.titul);
  s.titulautor = ToCp1251(form.titulautor);
  s.fixed = form.fixed;
}

}  // namespace tessarine
