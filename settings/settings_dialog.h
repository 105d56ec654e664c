// SettingsDialog: edits the page settings. Created for one opening, filled from a form, shown
// modally; Apply (the "Применить" button or the window's close box) or Cancel ("Отмена", Esc).
#pragma once

#include <functional>

#include <QDialog>

#include "settings/settings_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tessarine {

// What the dialog asks of the desktop, so that tests can answer it.
struct DialogServices {
  std::function<void(const QString& text)> show_message;  // a modal OK message box
  // An open dialog for one existing file with `filter` ("description|*.a;*.b"); the chosen full
  // path, or empty when cancelled.
  std::function<QString(const QString& filter)> choose_picture;
};

class SettingsDialog : public QDialog {
 public:
  // Fills the dialog from `form`: the text and number boxes first (their digit checks run on
  // the values, so a longer stored number is cut), then the colour boxes (a code not in the
  // colour table selects the box's default entry), then the check box.
  SettingsDialog(const SettingsForm& form, DialogServices services, QWidget* parent = nullptr);

  // The form as the dialog holds it now. A colour box whose text names no colour of the table
  // keeps the value the dialog was filled with.
  SettingsForm Result() const;

 protected:
  void closeEvent(QCloseEvent* event) override;  // the close box applies, as "Применить" does

 private:
  void CreateControls();
  void Fill(const SettingsForm& form);
  void PickPicture();

  DialogServices services_;
  SettingsForm filled_;
  QComboBox* bgcolor_ = nullptr;
  QComboBox* colorhr_ = nullptr;
  QComboBox* colorssl_ = nullptr;
  QComboBox* colorslssl_ = nullptr;
  QCheckBox* fixed_ = nullptr;
  QLineEdit* bgimage_ = nullptr;
  QLineEdit* umrazm_ = nullptr;
  QLineEdit* textindent_ = nullptr;
  QLineEdit* marginleft_ = nullptr;
  QLineEdit* marginright_ = nullptr;
  QLineEdit* fsizessl_ = nullptr;
  QLineEdit* titul_ = nullptr;
  QLineEdit* titulautor_ = nullptr;
};

}  // namespace tessarine
