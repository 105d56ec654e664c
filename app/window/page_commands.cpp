// The commands that move the page between the Html pane and files, the browser preview, help
// and the settings dialog.
#include <QFile>
#include <QPushButton>
#include <QTextDocument>

#include "app/commands/command_texts.h"
#include "app/commands/html_edit.h"
#include "app/window/code_page.h"
#include "app/window/main_window.h"
#include "app/window/pane.h"
#include "app/window/settings_codec.h"
#include "app/window/window_texts.h"
#include "base/file_text.h"
#include "base/line_break.h"
#include "choice/convert_rtf_document.h"
#include "settings/settings_location.h"

namespace tessarine {

void MainWindow::SaveHtml() {
  if (document_name_.size() <= 4) {
    Report(texts::kNoHtmlText);
    return;
  }
  QString chosen = platform_.ChooseFileToSave(QString::fromUtf8(texts::kFilterHtmlSave));
  if (chosen.isEmpty()) return;
  (void)WritePage(SaveTargetFor(LocalPath(chosen)));
}

void MainWindow::OpenHtml() {
  QStringList chosen =
      platform_.ChooseFilesToOpen(QString::fromUtf8(texts::kFilterHtmlOpen), FileSelection::kOne);
  if (chosen.isEmpty()) return;
  document_name_ = LocalPath(chosen.front());
  if (!IsExistingFile(document_name_)) return;
  std::string page;
  Status read = ReadFileBytes(document_name_, &page);
  if (!read.ok()) {
    Report(std::string(texts::kCannotRead) + read.message());
    return;
  }
  document_text_ = std::move(page);
  rtf_source_ = DocumentBytes();
  ShowPage(document_text_);
  SelectTab(2);
  browser_button_->setEnabled(true);
  txt_button_->setEnabled(false);  // a page is no source to convert again
  rtf_button_->setEnabled(false);
}

void MainWindow::Preview() {
  if (!IsHtmlText(Utf16View(html_pane_->document()->toRawText()))) {
    Report(texts::kNotHtmlText);
    return;
  }
  if (WritePage(preview_path_)) OpenWithDesktop(preview_path_);
}

void MainWindow::Help() {
  std::filesystem::path help = program_folder_ / kHelpFileName;
  if (IsExistingFile(help)) {
    OpenWithDesktop(help);
  } else {
    Report(texts::kNoHelpFile);
  }
}

void MainWindow::EditSettings() {
  std::optional<SettingsForm> edited = platform_.EditSettings(FormFromSettings(settings_));
  if (edited) ApplySettingsForm(*edited, settings_);
}

void MainWindow::ChooseRtfReading(const char* engine) {
  settings_.rtfengine = engine;
  ShowRtfReading();
}

void MainWindow::ShowRtfReading() {
  const RtfEngine engine = RtfEngineOf(settings_);
  actions_.read_auto->setChecked(engine == RtfEngine::kAuto);
  actions_.read_passes->setChecked(engine == RtfEngine::kPasses);
  actions_.read_model->setChecked(engine == RtfEngine::kModel);
}

bool MainWindow::WritePage(const std::filesystem::path& path) {
  Status written = SavePageText(path, html_pane_->Page());
  if (written.ok()) return true;
  std::string message(texts::kCannotWrite);
  message.append(path.string());
  message.append(kLineBreak);
  message.append(written.message());
  Report(message);
  return false;
}

void MainWindow::OpenWithDesktop(const std::filesystem::path& path) {
  if (!platform_.OpenWithDesktop(QFile::decodeName(QByteArray::fromStdString(path.string())))) {
    Report(std::string(texts::kCannotOpen) + path.string());
  }
}

}  // namespace tessarine
