// Settings (code page 1251) as the settings dialog's form (Unicode) and back.
#pragma once

#include "settings/settings.h"
#include "settings/settings_form.h"

namespace tessarine {

// The dialog's fields filled from `settings`.
SettingsForm FormFromSettings(const Settings& settings);

// Copies the dialog's fields into `settings`; characters code page 1251 cannot hold become
// numeric character references. The fields the dialog does not show are left alone.
void ApplySettingsForm(const SettingsForm& form, Settings& settings);

}  // namespace tessarine
