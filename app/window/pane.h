// The plain-text panes (Text and Html): long lines wrapped, a vertical scroll bar, and a
// limit on what typing and pasting may add.
#pragma once

#include <string>
#include <string_view>

#include <QPlainTextEdit>

namespace tessarine {

class PlainPane : public QPlainTextEdit {
 public:
  explicit PlainPane(QWidget* parent = nullptr);

  // Replaces the whole text with code page 1251 bytes shown as Unicode. A text set this way is
  // never cut at the limit, so a long page is saved whole.
  void SetPage(std::string_view bytes);

  // The whole text as code page 1251 bytes with CR LF line breaks (see ToCp1251).
  std::string Page() const;

  // Number of characters, a line break counting as one.
  int Length() const;

  // Replaces the selection with `text` as one undoable step, cutting `text` where it would
  // take the pane beyond its limit. An empty `text` removes the selection.
  void ReplaceSelection(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  int RoomFor() const;  // characters that may still be added in place of the selection
};

}  // namespace tessarine
