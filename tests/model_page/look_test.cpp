// The look of a page from the model: headings of their own size and weight, markers in their
// own format, borders, shading and line spacing of paragraphs and cells, runs of spaces, tabs
// that reach their stops, and the page's colour.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model_page/tabs.h"
#include "model_page/write_page.h"
#include "tests/model_page/document_builder.h"

namespace tessarine {
namespace {

using namespace testing;

constexpr model::Colour kRed = 0xC00000;

model::Border Line(model::BorderStyle style, int32_t width, model::Colour colour = model::kNoColour,
                   int32_t space = 0) {
  return model::Border{style, width, space, colour};
}

struct Case {
  const char* name;
  model::Paragraph paragraph;
  std::string body;
  model::ParagraphLook look = {};  // of the paragraph's box
};

TEST(ModelLookTest, Paragraphs) {
  auto with = [](auto change) {
    model::ParagraphFormat format;
    change(format);
    return format;
  };
  auto look = [](auto change) {
    model::ParagraphLook box;
    change(box);
    return box;
  };
  const model::Border solid = Line(model::BorderStyle::kSolid, 10, kRed, 80);
  const Case cases[] = {
      {"a heading that is not bold, at its own size and colour",
       Paragraph({Text("T", Format().Size(26).Colour(kRed))}, with([](auto& f) { f.heading = 1; })),
       "<h1 style=\"font-family:Arial;font-size:13pt;font-weight:normal;color:#C00000;margin-left:10pt;"
       "margin-right:10pt\">T</h1>\r\n"},
      {"a bold heading is bold by its text",
       Paragraph({Text("T", Format().Bold().Size(0))}, with([](auto& f) { f.heading = 2; })),
       "<h2 style=\"font-family:Arial;font-size:12pt;font-weight:normal;margin-left:10pt;margin-right:10pt\">"
       "<b>T</b></h2>\r\n"},
      {"unsized text after sized text is at 12 points", Paragraph({Text("a"), Text("b", Format().Size(0))}),
       "<p>a<span style=\"font-size:12pt\">b</span></p>\r\n"},
      {"a marker in its own format", Paragraph({Text("x")}, with([](auto& f) {
                                                 f.list = 1;
                                                 f.list_marker = "1.";
                                                 f.marker_format = Format().Bold().Colour(kRed).Size(24);
                                               })),
       "<p style=\"text-indent:0pt;margin-left:28pt\"><span "
       "style=\"font-size:12pt;color:#C00000\"><b>1.&nbsp;&nbsp;"
       "</b></span>x</p>\r\n"},
      {"borders all round (one pixel at least) with the space inside, and shading", Paragraph({Text("x")}),
       "<p style=\"border-top:0.75pt solid #C00000;border-left:0.75pt solid #C00000;border-bottom:0.75pt "
       "solid "
       "#C00000;border-right:0.75pt solid #C00000;padding-top:4pt;padding-left:4pt;padding-bottom:4pt;"
       "padding-right:4pt;background-color:#FFF2CC\">x</p>\r\n",
       look([&](auto& l) {
         l.borders = {solid, solid, solid, solid};
         l.background = 0xFFF2CC;
       })},
      {"a double rule above, a dotted one below", Paragraph({Text("x")}),
       "<p style=\"border-top:2.25pt double;border-bottom:0.75pt dotted\">x</p>\r\n", look([](auto& l) {
         l.borders.top = Line(model::BorderStyle::kDouble, 15);
         l.borders.bottom = Line(model::BorderStyle::kDotted, 0);
       })},
      {"one and a half lines", Paragraph({Text("x")}), "<p style=\"line-height:1.72\">x</p>\r\n",
       look([](auto& l) {
         l.line_twips = 360;
         l.line_multiple = true;
       })},
      {"exactly 20 points", Paragraph({Text("x")}), "<p style=\"line-height:20pt\">x</p>\r\n",
       look([](auto& l) { l.line_twips = -400; })},
      {"at least 24 points", Paragraph({Text("x")}), "<p style=\"line-height:24pt\">x</p>\r\n",
       look([](auto& l) { l.line_twips = 480; })},
      {"at least less than a line is a single line", Paragraph({Text("x")}), "<p>x</p>\r\n",
       look([](auto& l) { l.line_twips = 200; })},
      {"exact lines closer than half the size are a writer's slip", Paragraph({Text("x")}), "<p>x</p>\r\n",
       look([](auto& l) { l.line_twips = -5; })},
      {"single lines say nothing", Paragraph({Text("x")}), "<p>x</p>\r\n", look([](auto& l) {
         l.line_twips = 240;
         l.line_multiple = true;
       })},
      {"runs of spaces are kept",
       Paragraph({Text(" a   b "), Text(" c", Format().Bold()), Break(), Text(" d")}),
       "<p>&nbsp;a &nbsp;&nbsp;b <b>&nbsp;c<br></b>&nbsp;d</p>\r\n"},
      {"a tab reaches the next default stop", Paragraph({Text("a"), Tab(), Text("b")}),
       "<p>a<span style=\"white-space:pre;tab-size:36pt\">\t</span>b</p>\r\n"},
      {"tabs reach their own stops, measured from the left indent",
       Paragraph({Text("a"), Tab(), Text("b"), Tab(), Text("c")}, with([](auto& f) { f.left_twips = 400; })),
       "<p style=\"margin-left:30pt\">a<span style=\"white-space:pre;tab-size:80pt\">\t</span>b<span "
       "style=\"white-space:pre;tab-size:230pt\">\t</span>c</p>\r\n",
       look([](auto& l) {
         l.tab_stops = {2000, 5000};
       })},
      {"a hanging first line's tab reaches the indent",
       Paragraph({Text("1."), Tab(), Text("b")}, with([](auto& f) {
                   f.left_twips = 720;
                   f.first_line_twips = -360;
                 })),
       "<p style=\"margin-left:46pt;text-indent:-18pt\">1.<span "
       "style=\"white-space:pre;tab-size:18pt\">\t</span>"
       "b</p>\r\n"},
  };
  for (const Case& c : cases) {
    model::Document document = Document({model::Block{c.paragraph}});
    document.looks.push_back(c.look);
    std::get<model::Paragraph>(document.body[0].content).format.look = 1;
    const std::string body = BodyOfDocument(document);
    EXPECT_EQ(body, Cp1251(c.body)) << c.name;
    EXPECT_EQ(CheckWellFormed(body), "") << c.name;
  }
}

TEST(ModelLookTest, TabSizes) {
  struct TabCase {
    const char* name;
    std::vector<int32_t> stops;
    int32_t default_stop, edge, start;
    bool hanging;
    int n;
    int32_t size;
  };
  const TabCase cases[] = {
      {"default stops from an edge on one of them", {}, 720, 1440, 1440, false, 3, 720},
      {"default stops from an edge between them", {}, 720, 1000, 1000, false, 1, 440},
      {"own stops after the line's start", {500, 2000, 3000}, 720, 0, 1000, false, 1, 2000},
      {"the second of them", {500, 2000, 3000}, 720, 0, 1000, false, 2, 3000},
      {"default stops after the last own one", {500, 2000, 3000}, 720, 100, 1000, false, 3, 3500},
      {"a hanging line's stop at the edge", {}, 720, 720, 360, true, 1, 360},
      {"an own stop before the edge", {600}, 720, 720, 360, true, 1, 360},
      {"a huge tab count stays bounded", {}, 720, 100, 100, false, 2000000000, 31580},
  };
  for (const TabCase& c : cases) {
    TabLine line{&c.stops, c.default_stop, c.edge, c.start, c.hanging};
    EXPECT_EQ(TabSize(line, c.n), c.size) << c.name;
  }
}

TEST(ModelLookTest, CellsAndThePage) {
  model::Cell framed = Cell(2000, "a");
  framed.own_borders = true;
  framed.borders.bottom = Line(model::BorderStyle::kSolid, 30, kRed);
  framed.vertical_alignment = model::VerticalAlignment::kCenter;
  model::Cell low = Cell(4000, "b");
  low.vertical_alignment = model::VerticalAlignment::kBottom;
  model::Document document = Document({Table({Row({framed, low, Cell(6000, "c")})})});
  document.background = 0xFFFBE6;
  const std::string page = PageOf(document);
  const std::string body = BodyOf(page);
  EXPECT_NE(
      body.find("<td width=33% style=\"border-bottom:1.5pt solid #C00000;border-top:none;border-left:none;"
                "border-right:none;vertical-align:middle\">"),
      std::string::npos)
      << body;
  EXPECT_NE(body.find("<td width=33% style=\"vertical-align:bottom\">"), std::string::npos) << body;
  EXPECT_NE(body.find("<td width=33%><p>c</p>"), std::string::npos) << body;
  EXPECT_NE(page.find("<body bgcolor=\"#FFFBE6\">"), std::string::npos);
  EXPECT_NE(PageOf(Document({Para("x")})).find("<body bgcolor=\"#e0e0e0\">"), std::string::npos);
}

}  // namespace
}  // namespace tessarine
