#include <string>

#include <QClipboard>

#include "app/window/code_page.h"
#include "base/cp1251.h"
#include "tests/app/window_fixture.h"

namespace tessarine::testing {
namespace {

TEST(CodePageTest, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  QString text = FromCp1251(all);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(text[0x98], QChar(0x0098));
  EXPECT_EQ(text[0xC0], QChar(u'А'));
  EXPECT_EQ(text[0xB9], QChar(u'№'));
  EXPECT_EQ(ToCp1251(text), all);
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(UnicodeToCp1251(Cp1251ToUnicode(static_cast<unsigned char>(b))), b);
  }
}

TEST(CodePageTest, CharactersOutsideTheCodePageBecomeReferences) {
  const struct {
    QString text;
    std::string bytes;
  } cases[] = {
      {QString::fromUtf8("Привет 😀!"), "\xcf\xf0\xe8\xe2\xe5\xf2 &#128512;!"},
      {QString::fromUtf8("中"), "&#20013;"},
      {QString::fromUtf8("é€"), "&#233;\x88"},
      {QString(QChar(0xD83D)) + "x", "&#65533;x"},  // a lone surrogate
  };
  for (const auto& c : cases) EXPECT_EQ(ToCp1251(c.text), c.bytes) << c.text.toStdString();
}

// A page of every byte value (line breaks as CR LF) comes back from the Html pane unchanged.
TEST_F(WindowTest, HtmlPaneKeepsEveryByte) {
  std::string page;
  for (int b = 0; b < 256; ++b) {
    if (b != '\r' && b != '\n') page.push_back(static_cast<char>(b));
    if (b % 32 == 31) page.append("\r\n");
  }
  PlainPane* pane = HtmlPane();
  pane->SetPage(page);
  EXPECT_EQ(pane->Page(), page);
  pane->moveCursor(QTextCursor::End);
  pane->insertPlainText(QString::fromUtf8("😀"));
  EXPECT_EQ(pane->Page(), page + "&#128512;");
}

TEST_F(WindowTest, EditingCommandsActOnTheHtmlPane) {
  PlainPane* pane = HtmlPane();
  pane->SetPage("one two\r\nthree");
  QClipboard* clipboard = QGuiApplication::clipboard();
  auto select = [pane](int from, int to) {
    QTextCursor cursor = pane->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
  };

  select(0, 4);
  Trigger("cutAction");
  EXPECT_EQ(pane->Page(), "two\r\nthree");
  EXPECT_EQ(clipboard->text(), "one ");
  Trigger("undoAction");
  EXPECT_EQ(pane->Page(), "one two\r\nthree");

  select(4, 13);
  Trigger("copyAction");
  EXPECT_EQ(clipboard->text(), "two\nthree");
  select(0, 3);
  Trigger("pasteAction");
  EXPECT_EQ(pane->Page(), "two\r\nthree two\r\nthree");
  Trigger("undoAction");
  EXPECT_EQ(pane->Page(), "one two\r\nthree");

  select(3, 7);
  Trigger("deleteAction");
  EXPECT_EQ(pane->Page(), "one\r\nthree");
  Trigger("undoAction");

  clipboard->clear();
  select(0, 4);
  Trigger("pasteAction");  // no text on the clipboard: the selection goes
  EXPECT_EQ(pane->Page(), "two\r\nthree");

  Trigger("selectAllAction");
  EXPECT_EQ(pane->textCursor().selectedText().size(), pane->Length());
  EXPECT_EQ(Tabs()->currentIndex(), 0);  // whatever tab is shown
}

TEST(PaneTest, PastingStopsAtTheLimit) {
  App();
  PlainPane pane;
  QString line(99, QLatin1Char('a'));
  line.append(QLatin1Char('\n'));
  pane.setPlainText(line.repeated(100000).chopped(2));  // 9999998 characters
  pane.moveCursor(QTextCursor::End);
  pane.ReplaceSelection("12345");
  EXPECT_EQ(pane.Length(), 10000000);
  EXPECT_TRUE(pane.toPlainText().endsWith("a12"));
}

}  // namespace
}  // namespace tessarine::testing
