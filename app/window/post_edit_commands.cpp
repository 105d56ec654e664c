// The pane context menu's commands: a picture block before the caret's paragraph and the page
// background, both as one undoable edit of the Html pane.
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>

#include "app/commands/command_texts.h"
#include "app/commands/html_edit.h"
#include "app/window/code_page.h"
#include "app/window/main_window.h"
#include "app/window/pane.h"
#include "app/window/window_texts.h"

namespace tessarine {

namespace {

constexpr int kShortestEditablePage = 20;

QString ChosenPicture(Platform& platform) {
  QStringList chosen =
      platform.ChooseFilesToOpen(QString::fromUtf8(texts::kFilterPictures), FileSelection::kOne);
  return chosen.isEmpty() ? QString() : chosen.front();
}

}  // namespace

// The commands act only on the Html tab, and only on a text that can be a page.
bool MainWindow::PostEditingAllowed() {
  return tabs_->currentIndex() == 2 && html_pane_->Length() > kShortestEditablePage;
}

void MainWindow::InsertPicture(PicturePlacement placement) {
  if (!PostEditingAllowed()) return;
  const QString text = html_pane_->document()->toRawText();  // positions as the pane counts them
  const int caret = html_pane_->textCursor().selectionStart();
  std::optional<size_t> at = PictureInsertionPoint(Utf16View(text), static_cast<size_t>(caret));
  if (!at) {
    Report(texts::kChoosePicturePlace);
    return;
  }
  QString path = ChosenPicture(platform_);
  if (path.isEmpty()) return;
  QTextCursor cursor(html_pane_->document());
  cursor.setPosition(static_cast<int>(*at));
  cursor.insertText(QString::fromStdU16String(PictureBlock(placement, Utf16View(path))));
  html_pane_->setTextCursor(cursor);
}

// The file is asked for before anything changes, so a cancelled dialog leaves the page as it was.
void MainWindow::SetBackground() {
  if (!PostEditingAllowed()) return;
  const QString text = html_pane_->document()->toRawText();
  BackgroundEdit edit =
      PlanBackground(Utf16View(text), static_cast<size_t>(html_pane_->textCursor().selectionStart()));
  QString path = ChosenPicture(platform_);
  if (path.isEmpty()) {
    Report(texts::kNoFileToInsert);
    return;
  }
  QTextCursor cursor(html_pane_->document());
  cursor.beginEditBlock();
  if (edit.remove_count > 0) {
    cursor.setPosition(static_cast<int>(edit.remove_from));
    cursor.setPosition(static_cast<int>(edit.remove_from + edit.remove_count), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  }
  cursor.setPosition(static_cast<int>(edit.insert_at));
  cursor.insertText(QString::fromStdU16String(BackgroundRule(Utf16View(path), edit.own_style_block)));
  cursor.endEditBlock();
  html_pane_->setTextCursor(cursor);
}

}  // namespace tessarine
