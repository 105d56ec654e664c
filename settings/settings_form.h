// What the settings dialog shows and edits: the dialog's fields as text. The window turns
// Settings into a form and back.
#pragma once

#include <QString>

namespace tessarine {

struct SettingsForm {
  QString bgcolor;  // colour codes ("#e0e0e0")
  QString colorhr;
  QString colorssl;
  QString colorslssl;
  QString bgimage;
  QString textindent;
  QString marginleft;
  QString marginright;
  QString umrazm;
  QString fsizessl;
  QString titul;
  QString titulautor;
  bool fixed = false;

  bool operator==(const SettingsForm&) const = default;
};

}  // namespace tessarine
