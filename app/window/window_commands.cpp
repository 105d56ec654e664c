// The commands of the File and Editor menus and of the conversion buttons.
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>

#include "app/commands/batch.h"
#include "app/commands/command_texts.h"
#include "app/commands/open_document.h"
#include "app/messages.h"
#include "app/window/code_page.h"
#include "app/window/main_window.h"
#include "app/window/pane.h"
#include "app/window/rich_view.h"
#include "app/window/window_texts.h"
#include "base/line_break.h"
#include "choice/convert_rtf_document.h"
#include "model/plain_text.h"
#include "reader/read_rtf.h"
#include "text/convert_text.h"

namespace tessarine {

namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void MainWindow::OpenRtfFiles() {
  OpenFiles(SourceKind::kRtf);
}

void MainWindow::OpenTxtFiles() {
  OpenFiles(SourceKind::kText);
}

void MainWindow::OpenFiles(SourceKind kind) {
  editor_menu_->menuAction()->setEnabled(false);
  ClearPanes();
  const char* filter = kind == SourceKind::kRtf ? texts::kFilterRtf : texts::kFilterTxt;
  QStringList chosen = platform_.ChooseFilesToOpen(QString::fromUtf8(filter), FileSelection::kSeveral);
  if (chosen.isEmpty()) return;
  if (chosen.size() > 1) {
    ConvertBatch(chosen, kind);
  } else if (kind == SourceKind::kRtf) {
    LoadRtf(chosen.front());
  } else {
    LoadText(chosen.front());
  }
}

void MainWindow::LoadRtf(const QString& path) {
  LoadedDocument loaded = LoadDocument(LocalPath(path), SourceKind::kRtf);
  document_name_ = loaded.name;
  if (loaded.result == LoadResult::kMissing) return;
  if (loaded.result == LoadResult::kUnreadable) {
    Report(std::string(texts::kCannotRead) + loaded.reason);
    return;
  }
  document_text_.clear();
  rtf_source_ = std::move(loaded.document);
  if (loaded.result == LoadResult::kNotRtf) {
    std::string message(texts::kAttention);
    message.append(kLineBreak);
    message.append(kLineBreak);
    message.append(messages::kNotRtfFile);
    Report(message);
    return;
  }
  SetStatus(Utf8(texts::kStatusLoadedColon) + path);
  // One reading of the document for both panes.
  const model::Document document = ReadRtfDocument(rtf_source_.bytes());
  ShowDocument(rtf_pane_, document);
  std::string text;
  model::AppendPlainText(document, model::WithNotes::kNo, text);
  text_pane_->setPlainText(Utf8(text));
  SelectTab(1);
  rtf_button_->setEnabled(true);
  txt_button_->setEnabled(false);  // an RTF source is no plain text to convert
}

void MainWindow::LoadText(const QString& path) {
  LoadedDocument loaded = LoadDocument(LocalPath(path), SourceKind::kText);
  document_name_ = loaded.name;
  if (loaded.result == LoadResult::kMissing) return;
  if (loaded.result == LoadResult::kUnreadable) {
    Report(std::string(texts::kCannotRead) + loaded.reason);
    return;
  }
  document_text_ = loaded.document.TakeText();
  rtf_source_ = DocumentBytes();
  SetStatus(Utf8(texts::kStatusLoaded) + path);
  text_pane_->SetPage(document_text_);
  SelectTab(0);
  txt_button_->setEnabled(true);
  browser_button_->setEnabled(false);
  rtf_button_->setEnabled(false);
}

void MainWindow::ConvertBatch(const QStringList& paths, SourceKind kind) {
  if (kind == SourceKind::kText) {
    txt_button_->setEnabled(false);
    rtf_button_->setEnabled(false);
    browser_button_->setEnabled(false);
  }
  std::vector<std::string> local;
  local.reserve(static_cast<size_t>(paths.size()));
  for (const QString& path : paths) local.push_back(LocalPath(path));
  BatchObserver observer{[this](const std::string& status) { SetStatus(Utf8(status)); }, Progress()};
  BatchReport report = RunBatch(local, kind, settings_, observer);
  SetProgress(0);
  if (report.converted > 0) {
    // The panes show the last page written, as converting it one by one would have left them.
    document_text_ = report.last_page;
    rtf_source_ = DocumentBytes();
    if (kind == SourceKind::kRtf) {
      ShowPage(report.last_page);
      SelectTab(2);
      rtf_button_->setEnabled(false);
      browser_button_->setEnabled(true);
    } else {
      rtf_pane_->setPlainText(FromCp1251(report.last_page));
    }
  }
  SetStatus(Utf8(texts::kStatusWaiting));
  Report(BatchMessage(report));
}

void MainWindow::ConvertRtfCommand() {
  Conversion conversion = ConvertRtfDocument(rtf_source_, settings_, Progress());
  SetProgress(0);
  SetStatus(Utf8(conversion.reading == RtfReading::kModel ? texts::kStatusMadeByModel : texts::kStatusMadeByPasses));
  if (conversion.refusal != Refusal::kNone) Report(messages::ForRefusal(conversion.refusal));
  ShowPage(conversion.page);
  SelectTab(2);
  rtf_button_->setEnabled(false);
  browser_button_->setEnabled(true);
}

void MainWindow::ConvertTextCommand() {
  Conversion conversion = ConvertText(document_text_, settings_, Progress());
  SetProgress(0);
  if (conversion.refusal != Refusal::kNone) {
    Report(messages::ForRefusal(conversion.refusal));  // the text stays as it was
  } else {
    document_text_ = std::move(conversion.page);
    txt_button_->setEnabled(false);  // the same text cannot be converted twice
  }
  ShowPage(document_text_);
  SelectTab(2);
  browser_button_->setEnabled(true);
}

void MainWindow::Undo() {
  html_pane_->undo();
}

void MainWindow::Cut() {
  Copy();
  html_pane_->ReplaceSelection(QString());
}

void MainWindow::Copy() {
  QString selected = html_pane_->textCursor().selectedText();
  selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  selected.replace(QChar::LineSeparator, QLatin1Char('\n'));
  if (!selected.isEmpty()) QGuiApplication::clipboard()->setText(selected);
}

void MainWindow::Paste() {
  html_pane_->ReplaceSelection(QGuiApplication::clipboard()->text());
}

void MainWindow::Delete() {
  html_pane_->ReplaceSelection(QString());
}

void MainWindow::SelectAll() {
  html_pane_->selectAll();
}

}  // namespace tessarine
