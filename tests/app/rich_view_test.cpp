#include <string>

#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextTable>

#include "app/window/rich_view.h"
#include "base/file_text.h"
#include "reader/read_rtf.h"
#include "tests/app/window_fixture.h"
#include "tests/model_page/sample_images.h"
#include "tests/support/paths.h"

namespace tessarine::testing {
namespace {

QTextCharFormat FormatAt(QTextDocument* document, int position) {
  QTextCursor cursor(document);
  cursor.setPosition(position + 1);  // the format of the character before the cursor
  return cursor.charFormat();
}

void Show(QTextEdit& pane, std::string_view rtf) {
  ShowDocument(&pane, ReadRtfDocument(rtf));
}

// The tables of the document's top frame, in order.
std::vector<QTextTable*> Tables(QTextFrame* frame) {
  std::vector<QTextTable*> tables;
  for (QTextFrame* child : frame->childFrames()) {
    if (auto* table = qobject_cast<QTextTable*>(child)) tables.push_back(table);
  }
  return tables;
}

TEST(RichViewTest, ShowsFormattingAndAddresses) {
  App();
  QTextEdit pane;
  Show(pane,
       "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\pard\\qr\\fs40\\cf1\\i\\ul red\\i0\\ulnone "
       "plain\\line www.example.com\\tab x\\par}");
  QTextDocument* document = pane.document();
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

TEST(RichViewTest, ShowsTablesWithTheirMergesAndNestedTables) {
  App();
  QTextEdit pane;
  Show(pane,
       "{\\rtf1\\pard Before\\par"
       "\\trowd\\clvmgf\\cellx1000\\cellx2000\\pard\\intbl Merged\\cell Top\\cell\\row"
       "\\trowd\\clvmrg\\cellx1000\\cellx2000\\pard\\intbl \\cell Bottom\\cell\\row"
       "\\trowd\\cellx2000\\pard\\intbl Outer\\par"
       "\\itap2 Inner\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow}{\\nonesttables\\par}"
       "\\itap1\\cell\\row"
       "\\pard After\\par}");
  std::vector<QTextTable*> tables = Tables(pane.document()->rootFrame());
  ASSERT_EQ(tables.size(), 1u);
  QTextTable* table = tables[0];
  EXPECT_EQ(table->rows(), 3);
  EXPECT_EQ(table->columns(), 2);
  EXPECT_EQ(table->cellAt(0, 0).rowSpan(), 2);
  QTextCursor merged = table->cellAt(0, 0).firstCursorPosition();
  EXPECT_EQ(merged.block().text(), "Merged");
  EXPECT_EQ(table->cellAt(2, 0).columnSpan(), 2);
  // The nested table stands in the cell of the last row.
  std::vector<QTextTable*> nested;
  for (QTextFrame* child : table->childFrames()) {
    if (auto* inner = qobject_cast<QTextTable*>(child)) nested.push_back(inner);
  }
  ASSERT_EQ(nested.size(), 1u);
  EXPECT_EQ(nested[0]->cellAt(0, 0).firstCursorPosition().block().text(), "Inner");
  EXPECT_EQ(pane.document()->lastBlock().text(), "After");
}

TEST(RichViewTest, ShowsListMarkersLinksNotesAndPictures) {
  App();
  QTextEdit pane;
  std::string png_hex;
  for (unsigned char c : PngBytes()) {
    static const char kHex[] = "0123456789abcdef";
    png_hex += kHex[c >> 4];
    png_hex += kHex[c & 15];
  }
  Show(pane,
       "{\\rtf1\\pard{\\listtext 1.\\tab}Item\\par"
       "\\pard {\\field{\\*\\fldinst HYPERLINK \"http://example.com/\"}{\\fldrslt Site}} and note"
       "{\\footnote Noted text.}\\par"
       "\\pard {\\pict\\pngblip\\picw3\\pich2\\picwgoal900\\pichgoal600 " +
           png_hex + "}{\\pict\\wmetafile8 0100}\\par}");
  QTextDocument* document = pane.document();
  QTextBlock item = document->firstBlock();
  EXPECT_TRUE(item.text().startsWith("1. Item")) << item.text().toStdString();
  QTextBlock linked = item.next();
  EXPECT_EQ(FormatAt(document, linked.position()).anchorHref(), "http://example.com/");
  EXPECT_TRUE(linked.text().endsWith("note1")) << linked.text().toStdString();
  QTextBlock pictures = linked.next();
  EXPECT_TRUE(pictures.text().contains(QChar::ObjectReplacementCharacter));
  EXPECT_TRUE(pictures.text().contains("[рисунок]"));
  QTextImageFormat image = FormatAt(document, pictures.position()).toImageFormat();
  EXPECT_EQ(image.width(), 60.0);  // 900 twips at 15 twips a pixel
  EXPECT_FALSE(document->resource(QTextDocument::ImageResource, QUrl(image.name())).isNull());
  EXPECT_TRUE(document->lastBlock().text().contains("Noted text."))
      << document->lastBlock().text().toStdString();
}

TEST(RichViewTest, ShowsTheLookOfParagraphsCellsAndThePage) {
  App();
  QTextEdit pane;
  Show(pane,
       "{\\rtf1\\deftab567{\\colortbl;\\red255\\green0\\blue0;}"
       "{\\*\\background{\\shp{\\*\\shpinst{\\sp{\\sn fillColor}{\\sv 10092543}}}}}"
       "\\pard{\\listtext\\b\\fs30 1.\\tab}\\fs20 Item\\par"
       "\\pard\\sl360\\slmult1\\cbpat1\\tx2880 Wide\\tab spaced\\par"
       "\\pard\\box\\brdrs\\brdrw30\\brdrcf1 Framed\\par\\pard\\box\\brdrs\\brdrw30\\brdrcf1 Too\\par"
       "\\trowd\\clvertalc\\clcbpat1\\clbrdrb\\brdrs\\brdrw45\\cellx2000\\pard\\intbl Cell\\cell\\row"
       "\\pard{\\*\\atnauthor \xD0\x9C\xD0\xB8\xD1\x80}{\\*\\annotation x}Last\\par}");
  QTextDocument* document = pane.document();
  EXPECT_EQ(document->rootFrame()->frameFormat().background().color(), QColor(0xFF, 0xFF, 0x99));
  EXPECT_EQ(document->defaultTextOption().tabStopDistance(), 567 / 15.0);

  QTextBlock item = document->firstBlock();
  QTextCharFormat marker = FormatAt(document, item.position());
  EXPECT_EQ(marker.fontWeight(), QFont::Bold);
  EXPECT_EQ(marker.fontPointSize(), 15.0);
  EXPECT_EQ(FormatAt(document, item.position() + 4).fontPointSize(), 10.0);

  QTextBlockFormat wide = item.next().blockFormat();
  EXPECT_EQ(wide.lineHeightType(), QTextBlockFormat::ProportionalHeight);
  EXPECT_EQ(wide.lineHeight(), 150.0);
  EXPECT_EQ(wide.background().color(), QColor(255, 0, 0));
  ASSERT_EQ(wide.tabPositions().size(), 1);
  EXPECT_EQ(wide.tabPositions()[0].position, 2880 / 15.0);

  // The two framed paragraphs share one frame, as the document draws one box round them.
  QTextFrame* frame = nullptr;
  for (QTextFrame* child : document->rootFrame()->childFrames()) {
    if (qobject_cast<QTextTable*>(child) == nullptr) frame = child;
  }
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->frameFormat().border(), 2.0);
  EXPECT_EQ(frame->frameFormat().borderBrush().color(), QColor(255, 0, 0));
  EXPECT_EQ(frame->firstCursorPosition().block().text(), "Framed");
  EXPECT_EQ(frame->lastCursorPosition().block().text(), "Too");

  std::vector<QTextTable*> tables = Tables(document->rootFrame());
  ASSERT_EQ(tables.size(), 1u);
  QTextTableCellFormat cell = tables[0]->cellAt(0, 0).format().toTableCellFormat();
  EXPECT_EQ(cell.background().color(), QColor(255, 0, 0));
  EXPECT_EQ(cell.verticalAlignment(), QTextCharFormat::AlignMiddle);
  EXPECT_EQ(cell.bottomBorder(), 3.0);
  EXPECT_EQ(cell.topBorder(), 0.0);
  // A comment's author written as plain UTF-8 bytes.
  EXPECT_TRUE(document->toPlainText().contains(QString::fromUtf8("1. \xD0\x9C\xD0\xB8\xD1\x80:")))
      << document->toPlainText().toStdString();
}

// The metafiles and bitmaps of a document drawn as the page draws them, at the document's size;
// one that does not draw is the grey note.
TEST(RichViewTest, ShowsMetafilesAndBitmapsDrawn) {
  App();
  QTextEdit pane;
  std::string rtf;
  ASSERT_TRUE(ReadFileBytes(DataDir() / "pictures" / "every_kind.rtf", &rtf).ok());
  Show(pane, rtf);
  QTextDocument* document = pane.document();
  const struct {
    const char* paragraph;
    double width, height;
  } cases[] = {{"WMF: ", 200, 100}, {"EMF: ", 200, 100}, {"DIB: ", 40, 40}, {"DDB: ", 64, 8}};
  for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next()) {
    for (const auto& c : cases) {
      if (!block.text().startsWith(c.paragraph)) continue;
      const int at = static_cast<int>(block.text().indexOf(QChar::ObjectReplacementCharacter));
      ASSERT_GE(at, 0) << c.paragraph << block.text().toStdString();
      const QTextImageFormat image = FormatAt(document, block.position() + at).toImageFormat();
      EXPECT_EQ(image.width(), c.width) << c.paragraph;
      EXPECT_EQ(image.height(), c.height) << c.paragraph;
      const QImage drawn =
          document->resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
      EXPECT_FALSE(drawn.isNull()) << c.paragraph;
    }
    if (block.text().startsWith("Broken: ")) {
      EXPECT_EQ(block.text().count("[рисунок]"), 2);
    }
  }
}

}  // namespace
}  // namespace tessarine::testing
