// What the window asks of the desktop: message boxes, file dialogs and handing a file to its
// associated program. The window reaches them only through this interface, so tests can
// script every answer.
#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "settings/settings_form.h"

namespace tessarine {

enum class FileSelection { kOne, kSeveral };

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message box with an OK button only, captioned with the application's title.
  // Line breaks in `text` may be CR LF.
  virtual void ShowMessage(const QString& text) = 0;

  // An open dialog for existing files. `filter` pairs descriptions and patterns separated by
  // "|" ("Текстовые файлы TXT|*.txt"; several patterns separated by ";"). Returns the chosen
  // files' full paths; empty when cancelled.
  virtual QStringList ChooseFilesToOpen(const QString& filter, FileSelection selection) = 0;

  // A save dialog that asks before overwriting; the chosen full path, or empty when cancelled.
  virtual QString ChooseFileToSave(const QString& filter) = 0;

  // Opens `path` with the desktop's program for it; false when that could not be started.
  virtual bool OpenWithDesktop(const QString& path) = 0;

  // Shows the settings dialog filled from `form`, modally; the edited form when it was
  // applied, none when it was cancelled.
  virtual std::optional<SettingsForm> EditSettings(const SettingsForm& form) = 0;
};

}  // namespace tessarine
