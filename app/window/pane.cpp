#include "app/window/pane.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/window/code_page.h"
#include "app/window/layout_rules.h"

namespace tessarine {

PlainPane::PlainPane(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void PlainPane::SetPage(std::string_view bytes) {
  setPlainText(FromCp1251(bytes));
}

std::string PlainPane::Page() const {
  QString raw = document()->toRawText();
  QString text;
  text.reserve(raw.size() + document()->blockCount());
  for (QChar c : raw) {
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
      text.append(QLatin1String("\r\n"));
    } else {
      text.append(c);
    }
  }
  return ToCp1251(text);
}

int PlainPane::Length() const {
  return document()->characterCount() - 1;
}

int PlainPane::RoomFor() const {
  QTextCursor cursor = textCursor();
  int selected = cursor.selectionEnd() - cursor.selectionStart();
  int room = kPaneCharacterLimit - (Length() - selected);
  return room > 0 ? room : 0;
}

void PlainPane::ReplaceSelection(const QString& text) {
  QTextCursor cursor = textCursor();
  QString fitting = text.left(RoomFor());
  if (fitting.isEmpty()) {
    cursor.removeSelectedText();
  } else {
    cursor.insertText(fitting);
  }
  setTextCursor(cursor);
}

void PlainPane::keyPressEvent(QKeyEvent* event) {
  bool adds_text =
      !event->text().isEmpty() && (event->text().front().isPrint() || event->key() == Qt::Key_Return ||
                                   event->key() == Qt::Key_Enter || event->key() == Qt::Key_Tab);
  if (adds_text && RoomFor() < event->text().size() && !(event->modifiers() & Qt::ControlModifier)) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void PlainPane::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) return;
  ReplaceSelection(source->text());
}

}  // namespace tessarine
