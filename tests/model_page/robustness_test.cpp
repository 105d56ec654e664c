// Any model gives a page: random documents of every construct, indices out of range, odd
// boundaries and merges, deep nesting; every page well formed and written in bounded time.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model_page/write_page.h"
#include "tests/model_page/document_builder.h"
#include "tests/model_page/sample_images.h"
#include "tests/support/time_bound.h"

namespace tessarine {
namespace {

using namespace testing;

class RandomDocument {
 public:
  explicit RandomDocument(uint32_t seed) : random_(seed) {}

  model::Document Make() {
    model::Document document;
    document.fonts = {"Arial", "Times New Roman", "", "Courier New Cyr"};
    document.default_tab_twips = static_cast<int32_t>(Below(1500)) - 100;
    for (int i = 0; i < 3; ++i) {
      model::ParagraphLook look;
      look.line_twips = static_cast<int32_t>(Below(2000)) - 1000;
      look.line_multiple = Below(2) == 0;
      for (model::Border* side :
           {&look.borders.top, &look.borders.left, &look.borders.bottom, &look.borders.right})
        *side = model::Border{static_cast<model::BorderStyle>(Below(5)), static_cast<int32_t>(Below(200)),
                              static_cast<int32_t>(Below(200)), Below(2) ? model::kNoColour : 0xFF0000};
      if (Below(2)) look.background = 0x00FF00;
      for (int32_t stop = -500; stop < 9000; stop += static_cast<int32_t>(Below(3000)) + 1)
        look.tab_stops.push_back(stop);
      document.looks.push_back(look);
    }
    for (int i = 0; i < 3; ++i) {
      model::Picture picture;
      picture.format = static_cast<model::PictureFormat>(Below(5));
      picture.data = Below(2) ? PngBytes() : JpegBytes().substr(0, Below(300));
      picture.width_twips = static_cast<int32_t>(Below(4000)) - 500;
      picture.height_twips = static_cast<int32_t>(Below(4000)) - 500;
      document.pictures.push_back(picture);
    }
    const int notes = static_cast<int>(Below(4));
    for (int i = 0; i < notes; ++i) {
      document.notes.push_back(Note(static_cast<model::NoteKind>(Below(3)), Blocks(1)));
    }
    document.body = Blocks(0);
    return document;
  }

 private:
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(random_() % n); }

  std::vector<model::Block> Blocks(int depth) {
    std::vector<model::Block> blocks;
    const int count = static_cast<int>(Below(depth > 2 ? 3 : 7));
    for (int i = 0; i < count; ++i) {
      const uint32_t kind = Below(10);
      if (kind == 0 && depth < 20) {
        blocks.push_back(Table_(depth + 1));
      } else if (kind == 1) {
        blocks.push_back(Section(static_cast<int>(Below(5)) - 1));
      } else {
        blocks.push_back(Paragraph_());
      }
    }
    return blocks;
  }

  model::Block Table_(int depth) {
    model::Table table;
    const int rows = static_cast<int>(Below(5));
    for (int r = 0; r < rows; ++r) {
      model::Row row;
      row.left_twips = static_cast<int32_t>(Below(400)) - 200;
      const int cells = static_cast<int>(Below(5));
      for (int c = 0; c < cells; ++c) {
        model::Cell cell;
        cell.right_twips = Below(4) == 0 ? 0 : static_cast<int32_t>(Below(9000)) - 100;
        cell.horizontal = static_cast<model::Merge>(Below(3));
        cell.vertical = static_cast<model::Merge>(Below(3));
        if (Below(4) == 0) cell.background = Below(0x1000000);
        cell.own_borders = Below(2) == 0;
        cell.borders.left =
            model::Border{static_cast<model::BorderStyle>(Below(5)), static_cast<int32_t>(Below(100))};
        cell.vertical_alignment = static_cast<model::VerticalAlignment>(Below(3));
        cell.blocks = Blocks(depth);
        row.cells.push_back(std::move(cell));
      }
      table.rows.push_back(std::move(row));
    }
    return model::Block{std::move(table)};
  }

  model::Block Paragraph_() {
    model::ParagraphFormat format;
    format.alignment = static_cast<model::Alignment>(Below(4));
    format.left_twips = static_cast<int32_t>(Below(2000)) - 500;
    format.first_line_twips = static_cast<int32_t>(Below(1000)) - 500;
    format.heading = static_cast<int>(Below(9)) - 1;
    format.look = Below(6);  // out of range too
    format.marker_format = Format().Bold().Size(static_cast<int32_t>(Below(40)));
    if (Below(3) == 0) {
      format.list = 0;
      format.list_level = static_cast<int>(Below(12)) - 1;
      format.list_marker = Below(2) ? "1." : "•";
    }
    std::vector<model::Inline> inlines;
    const int count = static_cast<int>(Below(12));
    for (int i = 0; i < count; ++i) {
      switch (Below(12)) {
        case 0:
          inlines.push_back(LinkStart(Below(2) ? "http://x/" : "javascript:x", Below(3) == 0));
          break;
        case 1:
          inlines.push_back(LinkEnd());
          break;
        case 2:
          inlines.push_back(Mark(Below(6)));
          break;
        case 3:
          inlines.push_back(Bookmark(Below(2) ? "b" : "hts1"));
          break;
        case 4:
          inlines.push_back(Picture(Below(5)));
          break;
        case 5:
          inlines.push_back(Below(2) ? Tab() : Break());
          break;
        default: {
          Format f;
          if (Below(2)) f.Bold();
          if (Below(3) == 0) f.Italic();
          if (Below(4) == 0) f.Sub();
          if (Below(3) == 0) f.Font(static_cast<int32_t>(Below(7)) - 1);
          if (Below(3) == 0) f.Size(static_cast<int32_t>(Below(80)) - 4);
          if (Below(3) == 0) f.Background(Below(2) ? model::kNoColour : 0xFFFF00);
          inlines.push_back(Text(Below(2) ? "слово  word " : " x&<y>", f));
        }
      }
    }
    return Para(std::move(inlines), format);
  }

  std::mt19937 random_;
};

TEST(ModelRobustnessTest, RandomDocumentsGiveWellFormedPages) {
  TimeBound bound(120);
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    const model::Document document = RandomDocument(seed).Make();
    const std::string page = PageOf(document);
    ASSERT_EQ(page.substr(page.size() - 16), "</body>\r\n</html>") << seed;
    ASSERT_EQ(CheckWellFormed(BodyOf(page)), "") << "seed " << seed;
    ASSERT_EQ(CheckWellFormed(NotesOf(page)), "") << "seed " << seed;
  }
}

TEST(ModelRobustnessTest, LargeCountsStayFast) {
  TimeBound bound(60);
  // A table of 300 x 300 cells, every one merged every way.
  std::vector<model::Row> rows;
  for (int r = 0; r < 300; ++r) {
    std::vector<model::Cell> cells;
    for (int c = 0; c < 300; ++c) {
      cells.push_back(Cell(c * 7 % 5000, "c", r % 2 ? model::Merge::kContinue : model::Merge::kFirst,
                           c % 2 ? model::Merge::kContinue : model::Merge::kFirst));
    }
    rows.push_back(Row(std::move(cells)));
  }
  // A paragraph of 200000 runs that change format every time, and as many note marks.
  std::vector<model::Inline> inlines;
  for (int i = 0; i < 200000; ++i) {
    inlines.push_back(Text("w", i % 2 ? Format().Bold().Colour(0xFF) : Format().Italic().Size(30)));
    inlines.push_back(Mark(static_cast<uint32_t>(i % 1000)));
  }
  // A paragraph of 200000 tabs between runs of spaces, past a few stops.
  std::vector<model::Inline> tabbed;
  for (int i = 0; i < 200000; ++i) {
    tabbed.push_back(Tab());
    tabbed.push_back(Text("   a  "));
  }
  model::Document document =
      Document({Table(std::move(rows)), Para(std::move(inlines)), Para(std::move(tabbed))});
  model::ParagraphLook stops;
  stops.tab_stops = {100, 2000, 4000};
  document.looks.push_back(stops);
  std::get<model::Paragraph>(document.body.back().content).format.look = 1;
  for (int i = 0; i < 1000; ++i) document.notes.push_back(Note(model::NoteKind::kFootnote, {Para("n")}));
  const std::string page = PageOf(document);
  EXPECT_EQ(CheckWellFormed(BodyOf(page)), "");
}

}  // namespace
}  // namespace tessarine
