#include "app/window/qt_platform.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "app/window/window_texts.h"
#include "settings/settings_dialog.h"

namespace tessarine {

QString QtNameFilter(const QString& filter) {
  QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters.append(parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return filters.join(QStringLiteral(";;"));
}

void QtPlatform::ShowMessage(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kApplicationTitle), shown, QMessageBox::Ok);
  box.exec();
}

namespace {

QStringList ChooseFiles(QWidget* owner, const QString& filter, FileSelection selection) {
  QFileDialog dialog(owner);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(selection == FileSelection::kSeveral ? QFileDialog::ExistingFiles
                                                          : QFileDialog::ExistingFile);
  dialog.setNameFilter(QtNameFilter(filter));
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

}  // namespace

QStringList QtPlatform::ChooseFilesToOpen(const QString& filter, FileSelection selection) {
  return ChooseFiles(owner_, filter, selection);
}

QString QtPlatform::ChooseFileToSave(const QString& filter) {
  QFileDialog dialog(owner_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QtNameFilter(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

bool QtPlatform::OpenWithDesktop(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

std::optional<SettingsForm> QtPlatform::EditSettings(const SettingsForm& form) {
  QWidget* dialog_window = nullptr;  // the picture dialog belongs to the settings dialog
  DialogServices services{[this](const QString& text) { ShowMessage(text); },
                          [&dialog_window](const QString& filter) {
                            QStringList chosen = ChooseFiles(dialog_window, filter, FileSelection::kOne);
                            return chosen.isEmpty() ? QString() : chosen.front();
                          }};
  SettingsDialog dialog(form, services);  // a window of its own, not the main window's child
  dialog_window = &dialog;
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

}  // namespace tessarine
