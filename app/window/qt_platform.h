// The desktop's message boxes, file dialogs and program hand-over, through Qt.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/window/platform.h"

namespace tessarine {

// "description|patterns|description|patterns" (patterns separated by ";") as a Qt name filter
// ("description (*.a *.b);;...").
QString QtNameFilter(const QString& filter);

class QtPlatform : public Platform {
 public:
  // File dialogs are owned by `dialog_owner` (may be null); message boxes have no owner.
  explicit QtPlatform(QWidget* dialog_owner = nullptr) : owner_(dialog_owner) {}
  void SetDialogOwner(QWidget* owner) { owner_ = owner; }

  void ShowMessage(const QString& text) override;
  QStringList ChooseFilesToOpen(const QString& filter, FileSelection selection) override;
  QString ChooseFileToSave(const QString& filter) override;
  bool OpenWithDesktop(const QString& path) override;
  std::optional<SettingsForm> EditSettings(const SettingsForm& form) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace tessarine
