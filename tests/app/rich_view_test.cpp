#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "app/window/rich_view.h"
#include "tests/app/window_fixture.h"

namespace tessarine::testing {
namespace {

QTextCharFormat FormatAt(QTextDocument* document, int position) {
  QTextCursor cursor(document);
  cursor.setPosition(position + 1);  // the format of the character before the cursor
  return cursor.charFormat();
}

TEST(RichViewTest, ShowsFormattingAndAddresses) {
  App();
  QTextEdit pane;
  ShowFormattedRtf(&pane,
                   "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\pard\\qr\\fs40\\cf1\\i\\ul red\\i0\\ulnone "
                   "plain\\line www.example.com\\tab x\\par}");
  QTextDocument* document = pane.document();
  ASSERT_EQ(document->blockCount(), 1);
  QTextBlock block = document->firstBlock();
  EXPECT_EQ(block.blockFormat().alignment(), Qt::AlignRight);
  EXPECT_EQ(block.text(), QString("redplain") + QChar::LineSeparator + "www.example.com\tx");

  QTextCharFormat red = FormatAt(document, 0);
  EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(red.fontPointSize(), 20.0);
  EXPECT_TRUE(red.fontItalic());
  EXPECT_TRUE(red.fontUnderline());
  QTextCharFormat plain = FormatAt(document, 3);
  EXPECT_FALSE(plain.fontItalic());
  EXPECT_FALSE(plain.isAnchor());
  QTextCharFormat link = FormatAt(document, 10);
  EXPECT_TRUE(link.isAnchor());
  EXPECT_EQ(link.anchorHref(), "www.example.com");
  EXPECT_FALSE(document->isUndoAvailable());
}

}  // namespace
}  // namespace tessarine::testing
