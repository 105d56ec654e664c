#include "app/window/rich_view.h"

#include <algorithm>
#include <string>

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextLength>
#include <QTextOption>
#include <QTextTable>
#include <QUrl>

#include "model/table_grid.h"
#include "model_page/pictures.h"

namespace tessarine {

namespace {

// Twips on the screen: 96 pixels to the inch, 1440 twips to the inch.
constexpr double kTwipsPerPixel = 15.0;
constexpr int64_t kLargestDrawnSide = 4096;  // pixels of a metafile or bitmap drawn for the pane
// The most grid places a table of the view may have; larger tables are shown as their text.
constexpr long long kMostTableCells = 250000;

QString FromUtf8(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Qt::Alignment ToQt(model::Alignment alignment) {
  switch (alignment) {
    case model::Alignment::kLeft:
      return Qt::AlignLeft;
    case model::Alignment::kCenter:
      return Qt::AlignHCenter;
    case model::Alignment::kRight:
      return Qt::AlignRight;
    case model::Alignment::kJustify:
      return Qt::AlignJustify;
  }
  return Qt::AlignLeft;
}

QColor ToQt(model::Colour colour) {
  return QColor(static_cast<int>((colour >> 16) & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>(colour & 0xFF));
}

QTextBlockFormat BlockFormat(const model::ParagraphFormat& format, const model::ParagraphLook& look) {
  QTextBlockFormat block;
  block.setAlignment(ToQt(format.alignment));
  block.setLeftMargin(std::max(0, format.left_twips) / kTwipsPerPixel);
  block.setRightMargin(std::max(0, format.right_twips) / kTwipsPerPixel);
  block.setTextIndent(format.first_line_twips / kTwipsPerPixel);
  block.setTopMargin(std::max(0, format.space_before_twips) / kTwipsPerPixel);
  block.setBottomMargin(std::max(0, format.space_after_twips) / kTwipsPerPixel);
  if (format.heading > 0) block.setHeadingLevel(format.heading);
  if (look.line_twips != 0) {
    if (look.line_multiple) {
      if (look.line_twips > 0)
        block.setLineHeight(look.line_twips * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    } else if (look.line_twips < 0) {
      block.setLineHeight(-look.line_twips / kTwipsPerPixel, QTextBlockFormat::FixedHeight);
    } else {
      block.setLineHeight(look.line_twips / kTwipsPerPixel, QTextBlockFormat::MinimumHeight);
    }
  }
  if (look.background != model::kNoColour) block.setBackground(ToQt(look.background));
  if (!look.tab_stops.empty()) {
    QList<QTextOption::Tab> tabs;
    for (int32_t stop : look.tab_stops)
      tabs.append(QTextOption::Tab(std::max(0, stop) / kTwipsPerPixel, QTextOption::LeftTab));
    block.setTabPositions(tabs);
  }
  return block;
}

QTextFrameFormat::BorderStyle ToQt(model::BorderStyle style) {
  switch (style) {
    case model::BorderStyle::kNone:
      return QTextFrameFormat::BorderStyle_None;
    case model::BorderStyle::kDouble:
      return QTextFrameFormat::BorderStyle_Double;
    case model::BorderStyle::kDotted:
      return QTextFrameFormat::BorderStyle_Dotted;
    case model::BorderStyle::kDashed:
      return QTextFrameFormat::BorderStyle_Dashed;
    default:
      return QTextFrameFormat::BorderStyle_Solid;
  }
}

double BorderWidth(const model::Border& border) {
  return border.style == model::BorderStyle::kNone ? 0.0 : std::max(1.0, border.width_twips / kTwipsPerPixel);
}

QColor BorderColour(const model::Border& border) {
  return border.colour == model::kNoColour ? QColor(Qt::black) : ToQt(border.colour);
}

// The first side of `borders` that has a border: a frame of the view has one border all round.
const model::Border* FirstBorder(const model::Borders& borders) {
  for (const model::Border* border : {&borders.top, &borders.left, &borders.bottom, &borders.right}) {
    if (border->style != model::BorderStyle::kNone) return border;
  }
  return nullptr;
}

// Puts a document model into a QTextDocument through one cursor.
class PaneWriter {
 public:
  PaneWriter(const model::Document& model, QTextDocument* target) : model_(model), target_(target) {}

  void Write() {
    QTextCursor cursor(target_);
    cursor.beginEditBlock();
    bool fresh = true;
    WriteBlocks(model_.body, cursor, fresh, 1);
    WriteNotes(cursor, fresh);
    cursor.endEditBlock();
  }

 private:
  QTextCharFormat CharFormat(const model::CharFormat& format) const {
    QTextCharFormat chars;
    chars.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    chars.setFontItalic(format.italic);
    chars.setFontUnderline(format.underline);
    chars.setFontStrikeOut(format.strike);
    if (format.caps) chars.setFontCapitalization(QFont::AllUppercase);
    if (format.small_caps) chars.setFontCapitalization(QFont::SmallCaps);
    if (format.baseline == model::Baseline::kSuperscript) {
      chars.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    } else if (format.baseline == model::Baseline::kSubscript) {
      chars.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    }
    if (format.font >= 0 && static_cast<size_t>(format.font) < model_.fonts.size()) {
      chars.setFontFamilies({FromUtf8(model_.fonts[format.font])});
    }
    chars.setFontPointSize(format.half_points > 0 ? format.half_points / 2.0 : 12.0);
    if (format.colour != model::kNoColour) chars.setForeground(ToQt(format.colour));
    if (format.background != model::kNoColour) chars.setBackground(ToQt(format.background));
    return chars;
  }

  const model::ParagraphLook& LookOf(const model::ParagraphFormat& format) const {
    const model::ParagraphLook* look = model::FindLook(model_, format);
    return look != nullptr ? *look : plain_;
  }

  // Starts a paragraph: the empty block a container starts with, or a new one.
  static void StartBlock(QTextCursor& cursor, bool& fresh, const QTextBlockFormat& format) {
    if (fresh) {
      cursor.setBlockFormat(format);
      fresh = false;
    } else {
      cursor.insertBlock(format);
    }
  }

  void WriteBlocks(const std::vector<model::Block>& blocks, QTextCursor& cursor, bool& fresh, int depth) {
    for (size_t i = 0; i < blocks.size(); ++i) {
      if (const auto* paragraph = std::get_if<model::Paragraph>(&blocks[i].content)) {
        if (const model::Border* border = FirstBorder(LookOf(paragraph->format).borders)) {
          i = WriteFramed(blocks, i, *border, cursor, fresh);
        } else {
          WriteParagraph(*paragraph, cursor, fresh);
        }
      } else if (const auto* table = std::get_if<model::Table>(&blocks[i].content)) {
        WriteTable(*table, cursor, fresh, depth);
      }
    }
  }

  // Writes the paragraphs from `first` on that have the borders of `blocks[first]` in one frame
  // with its `border`, as the document draws one box round them; returns the last one's index.
  size_t WriteFramed(const std::vector<model::Block>& blocks, size_t first, const model::Border& border,
                     QTextCursor& cursor, bool& fresh) {
    const model::Borders& borders = LookOf(std::get<model::Paragraph>(blocks[first].content).format).borders;
    QTextFrameFormat frame;
    frame.setBorder(BorderWidth(border));
    frame.setBorderStyle(ToQt(border.style));
    frame.setBorderBrush(BorderColour(border));
    frame.setPadding(std::max(2.0, border.space_twips / kTwipsPerPixel));
    QTextFrame* inserted = cursor.insertFrame(frame);
    QTextCursor inside = inserted->firstCursorPosition();
    bool inside_fresh = true;
    size_t last = first;
    for (size_t i = first; i < blocks.size(); ++i) {
      const auto* paragraph = std::get_if<model::Paragraph>(&blocks[i].content);
      if (paragraph == nullptr || !(LookOf(paragraph->format).borders == borders)) break;
      WriteParagraph(*paragraph, inside, inside_fresh);
      last = i;
    }
    cursor = inserted->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
    fresh = true;
    return last;
  }

  void WriteParagraph(const model::Paragraph& paragraph, QTextCursor& cursor, bool& fresh) {
    StartBlock(cursor, fresh, BlockFormat(paragraph.format, LookOf(paragraph.format)));
    QTextCharFormat link;
    bool in_link = false;
    QStringList bookmarks;
    if (!paragraph.format.list_marker.empty()) {
      cursor.insertText(FromUtf8(paragraph.format.list_marker) + QLatin1Char(' '),
                        CharFormat(paragraph.format.marker_format));
    }
    for (const model::Inline& item : paragraph.inlines) {
      QTextCharFormat chars = CharFormat(item.format);
      if (!bookmarks.isEmpty() && item.kind == model::InlineKind::kText) {
        chars.setAnchor(true);
        chars.setAnchorNames(bookmarks);
        bookmarks.clear();
      }
      if (in_link) {
        chars.setAnchor(true);
        chars.setAnchorHref(link.anchorHref());
        chars.setFontUnderline(true);
        chars.setForeground(QColor(Qt::blue));
      }
      switch (item.kind) {
        case model::InlineKind::kText:
          cursor.insertText(FromUtf8(item.text), chars);
          break;
        case model::InlineKind::kTab:
          cursor.insertText(QStringLiteral("\t"), chars);
          break;
        case model::InlineKind::kLineBreak:
          cursor.insertText(QString(QChar::LineSeparator));
          break;
        case model::InlineKind::kLinkStart:
          in_link = true;
          link.setAnchorHref(item.local ? QLatin1Char('#') + FromUtf8(item.text) : FromUtf8(item.text));
          break;
        case model::InlineKind::kLinkEnd:
          in_link = false;
          break;
        case model::InlineKind::kBookmark:
          // The name goes on the text that follows, where a link to it should land.
          bookmarks.append(FromUtf8(item.text));
          break;
        case model::InlineKind::kNoteMark:
          WriteNoteMark(item.index, cursor);
          break;
        case model::InlineKind::kPicture:
          WritePicture(item.index, cursor);
          break;
      }
    }
  }

  void WriteNoteMark(uint32_t index, QTextCursor& cursor) {
    if (index >= model_.notes.size()) return;
    QTextCharFormat mark;
    mark.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    mark.setForeground(QColor(Qt::darkRed));
    cursor.insertText(QString::number(index + 1), mark);
  }

  void WritePicture(uint32_t index, QTextCursor& cursor) {
    if (index >= model_.pictures.size()) return;
    const model::Picture& picture = model_.pictures[index];
    QImage image;
    QSize size;
    bool shown = false;
    if (picture.format == model::PictureFormat::kPng || picture.format == model::PictureFormat::kJpeg) {
      shown = image.loadFromData(reinterpret_cast<const uchar*>(picture.data.data()),
                                 static_cast<int>(std::min<size_t>(picture.data.size(), INT32_MAX)));
      size = QSize(
          picture.width_twips > 0 ? static_cast<int>(picture.width_twips / kTwipsPerPixel) : image.width(),
          picture.height_twips > 0 ? static_cast<int>(picture.height_twips / kTwipsPerPixel)
                                   : image.height());
    } else if (std::optional<pictures::Image> drawn = DrawnPicture(picture)) {
      // Drawn at the size it is shown at, never larger than the pane can use.
      const PixelSize shown_size = DrawnPictureSize(picture);
      size = QSize(static_cast<int>(std::min<int64_t>(shown_size.width, kLargestDrawnSide)),
                   static_cast<int>(std::min<int64_t>(shown_size.height, kLargestDrawnSide)));
      QByteArray bytes =
          QByteArray::fromRawData(drawn->data.data(), static_cast<qsizetype>(drawn->data.size()));
      QBuffer buffer(&bytes);
      QImageReader reader(&buffer, drawn->type == pictures::ImageType::kSvg ? "svg" : "bmp");
      if (size.width() > 0 && size.height() > 0) reader.setScaledSize(size);
      shown = reader.read(&image);
      if (size.width() <= 0 || size.height() <= 0) size = image.size();
    }
    if (!shown) {
      QTextCharFormat note;
      note.setForeground(QColor(Qt::darkGray));
      note.setFontItalic(true);
      cursor.insertText(QStringLiteral("[рисунок]"), note);
      return;
    }
    const QUrl name(QStringLiteral("picture:%1").arg(index));
    target_->addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(size.width());
    format.setHeight(size.height());
    cursor.insertImage(format);
  }

  void WriteTable(const model::Table& table, QTextCursor& cursor, bool& fresh, int depth) {
    const model::TableGrid grid = model::LayOutTable(table);
    // Rows without cells have no place; no merge reaches across them.
    std::vector<int> shown_row(grid.rows.size(), -1);
    int rows = 0;
    for (size_t r = 0; r < grid.rows.size(); ++r) {
      if (!table.rows[r].cells.empty()) shown_row[r] = rows++;
    }
    if (rows == 0 || grid.columns == 0) return;
    if (static_cast<long long>(rows) * grid.columns > kMostTableCells || depth > model::kMaxTableDepth) {
      // Too large for a table of the view: the cells' text, one after the other.
      for (const model::GridRow& row : grid.rows) {
        for (const model::GridCell& cell : row.cells) {
          for (const model::Cell* part : cell.parts) WriteBlocks(part->blocks, cursor, fresh, depth + 1);
        }
      }
      return;
    }
    QTextTableFormat format;
    format.setBorder(1);
    format.setCellPadding(3);
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 90));
    QTextTable* qtable = cursor.insertTable(rows, grid.columns, format);
    for (size_t r = 0; r < grid.rows.size(); ++r) {
      for (const model::GridCell& cell : grid.rows[r].cells) {
        if (cell.rowspan > 1 || cell.colspan > 1) {
          qtable->mergeCells(shown_row[r], cell.column, cell.rowspan, cell.colspan);
        }
        QTextTableCell shown = qtable->cellAt(shown_row[r], cell.column);
        if (!cell.parts.empty())
          shown.setFormat(CellFormat(*cell.parts.front(), shown.format().toTableCellFormat()));
        QTextCursor inside = shown.firstCursorPosition();
        bool cell_fresh = true;
        for (const model::Cell* part : cell.parts) WriteBlocks(part->blocks, inside, cell_fresh, depth + 1);
      }
    }
    cursor = qtable->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
    fresh = true;
  }

  // A cell's shading, vertical alignment and own borders.
  static QTextTableCellFormat CellFormat(const model::Cell& cell, QTextTableCellFormat format) {
    if (cell.background != model::kNoColour) format.setBackground(ToQt(cell.background));
    if (cell.vertical_alignment == model::VerticalAlignment::kCenter) {
      format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    } else if (cell.vertical_alignment == model::VerticalAlignment::kBottom) {
      format.setVerticalAlignment(QTextCharFormat::AlignBottom);
    }
    if (cell.own_borders) {
      const model::Borders& b = cell.borders;
      format.setTopBorder(BorderWidth(b.top));
      format.setTopBorderStyle(ToQt(b.top.style));
      format.setTopBorderBrush(BorderColour(b.top));
      format.setLeftBorder(BorderWidth(b.left));
      format.setLeftBorderStyle(ToQt(b.left.style));
      format.setLeftBorderBrush(BorderColour(b.left));
      format.setBottomBorder(BorderWidth(b.bottom));
      format.setBottomBorderStyle(ToQt(b.bottom.style));
      format.setBottomBorderBrush(BorderColour(b.bottom));
      format.setRightBorder(BorderWidth(b.right));
      format.setRightBorderStyle(ToQt(b.right.style));
      format.setRightBorderBrush(BorderColour(b.right));
    }
    return format;
  }

  void WriteNotes(QTextCursor& cursor, bool& fresh) {
    if (model_.notes.empty()) return;
    QTextBlockFormat rule;
    rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                     QTextLength(QTextLength::PercentageLength, 70));
    StartBlock(cursor, fresh, rule);
    for (size_t i = 0; i < model_.notes.size(); ++i) {
      QTextBlockFormat number;
      cursor.insertBlock(number);
      QTextCharFormat bold;
      bold.setFontWeight(QFont::Bold);
      QString label = QString::number(i + 1) + QLatin1Char('.');
      if (!model_.notes[i].author.empty())
        label += QLatin1Char(' ') + FromUtf8(model_.notes[i].author) + QLatin1Char(':');
      cursor.insertText(label, bold);
      bool note_fresh = true;  // the note's first paragraph follows its number
      WriteBlocks(model_.notes[i].blocks, cursor, note_fresh, 1);
    }
  }

  const model::Document& model_;
  QTextDocument* target_;
  const model::ParagraphLook plain_;
};

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

void ShowDocument(QTextEdit* pane, const model::Document& document) {
  QTextDocument* target = pane->document();
  target->setUndoRedoEnabled(false);
  target->clear();
  // The document's page colour and default tab stops.
  QTextFrameFormat root = target->rootFrame()->frameFormat();
  if (document.background != model::kNoColour) {
    root.setBackground(ToQt(document.background));
  } else {
    root.clearBackground();
  }
  target->rootFrame()->setFrameFormat(root);
  QTextOption option = target->defaultTextOption();
  option.setTabStopDistance(std::max(1, document.default_tab_twips) / kTwipsPerPixel);
  target->setDefaultTextOption(option);
  PaneWriter(document, target).Write();
  MarkAddresses(target);
  target->setUndoRedoEnabled(true);
}

}  // namespace tessarine
