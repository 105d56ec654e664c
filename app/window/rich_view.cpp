#include "app/window/rich_view.h"

#include <QColor>
#include <QFont>
#include <QRegularExpression>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "app/rtf_view/rtf_document.h"

namespace tessarine {

namespace {

Qt::Alignment ToQt(rtf_view::Alignment alignment) {
  switch (alignment) {
    case rtf_view::Alignment::kLeft:
      return Qt::AlignLeft;
    case rtf_view::Alignment::kCenter:
      return Qt::AlignHCenter;
    case rtf_view::Alignment::kRight:
      return Qt::AlignRight;
    case rtf_view::Alignment::kJustify:
      return Qt::AlignJustify;
  }
  return Qt::AlignLeft;
}

QTextCharFormat ToQt(const rtf_view::CharStyle& style) {
  QTextCharFormat format;
  format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(style.italic);
  format.setFontUnderline(style.underline);
  format.setFontPointSize(style.half_points / 2.0);
  if (style.colour >= 0) format.setForeground(QColor(static_cast<QRgb>(style.colour)));
  return format;
}

QString RunText(const std::string& utf8) {
  QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  return text;
}

void MarkAddresses(QTextDocument* document) {
  const QRegularExpression address(
      QStringLiteral(R"((?:https?|ftp|file)://[^\s<>"]+|www\.[^\s<>"]+|mailto:[^\s<>"]+)"),
      QRegularExpression::CaseInsensitiveOption);
  QTextCursor found = document->find(address);
  while (!found.isNull()) {
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(found.selectedText());
    link.setFontUnderline(true);
    link.setForeground(QColor(Qt::blue));
    found.mergeCharFormat(link);
    found = document->find(address, found);
  }
}

}  // namespace

void ShowFormattedRtf(QTextEdit* pane, std::string_view rtf) {
  rtf_view::Document document = rtf_view::ReadDocument(rtf);
  QTextDocument* target = pane->document();
  target->setUndoRedoEnabled(false);
  target->clear();
  QTextCursor cursor(target);
  cursor.beginEditBlock();
  bool first = true;
  for (const rtf_view::Paragraph& paragraph : document.paragraphs) {
    QTextBlockFormat block;
    block.setAlignment(ToQt(paragraph.alignment));
    if (first) {
      cursor.setBlockFormat(block);
      first = false;
    } else {
      cursor.insertBlock(block);
    }
    for (const rtf_view::Run& run : paragraph.runs) cursor.insertText(RunText(run.text), ToQt(run.style));
  }
  cursor.endEditBlock();
  MarkAddresses(target);
  target->setUndoRedoEnabled(true);
}

}  // namespace tessarine
