// Paragraphs and runs: styles on <p>, spans for what differs, b/i/u/strike/sup/sub always well
// nested, headings, lists, tabs and breaks, text in code page 1251.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model_page/write_page.h"
#include "tests/model_page/document_builder.h"

namespace tessarine {
namespace {

using namespace testing;

model::ParagraphFormat Aligned(model::Alignment alignment) {
  model::ParagraphFormat format;
  format.alignment = alignment;
  return format;
}

model::ParagraphFormat Indented(int32_t left, int32_t right, int32_t first, int32_t before, int32_t after) {
  model::ParagraphFormat format;
  format.left_twips = left;
  format.right_twips = right;
  format.first_line_twips = first;
  format.space_before_twips = before;
  format.space_after_twips = after;
  return format;
}

model::ParagraphFormat Heading(int level) {
  model::ParagraphFormat format;
  format.heading = level;
  return format;
}

model::ParagraphFormat ListItem(std::string marker, int level, int32_t left = 0) {
  model::ParagraphFormat format;
  format.list = 1;
  format.list_level = level;
  format.list_marker = std::move(marker);
  format.marker_format = Format();
  format.left_twips = left;
  return format;
}

struct Case {
  const char* name;
  model::Paragraph paragraph;
  std::string body;  // UTF-8; compared in code page 1251
};

TEST(ModelParagraphTest, ParagraphsAndRuns) {
  const model::Colour kRed = 0xFF0000;
  const Case cases[] = {
      {"plain", Paragraph({Text("Hello")}), "<p>Hello</p>\r\n"},
      {"empty line keeps its height", Paragraph({}), "<p>&nbsp;</p>\r\n"},
      {"centred", Paragraph({Text("x")}, Aligned(model::Alignment::kCenter)),
       "<p style=\"text-align:center\">x</p>\r\n"},
      {"justified", Paragraph({Text("x")}, Aligned(model::Alignment::kJustify)),
       "<p style=\"text-align:justify\">x</p>\r\n"},
      {"indents and spacing in points", Paragraph({Text("x")}, Indented(720, 360, -360, 240, 120)),
       "<p "
       "style=\"margin-left:46pt;margin-right:28pt;text-indent:-18pt;margin-top:12pt;margin-bottom:6pt\">x</"
       "p>\r\n"},
      {"fractions of a point", Paragraph({Text("x")}, Indented(283, 0, 30, 0, 0)),
       "<p style=\"margin-left:24.15pt;text-indent:1.5pt\">x</p>\r\n"},
      {"first run's font, size and colour on the paragraph",
       Paragraph({Text("a", Format().Font(1).Size(28).Colour(kRed))}),
       "<p style=\"font-family:Times New Roman;font-size:14pt;color:#FF0000\">a</p>\r\n"},
      {"the page's font, size and colour are not repeated",
       Paragraph({Text("a", Format().Font(0).Size(20).Colour(0))}), "<p>a</p>\r\n"},
      {"a later run that differs gets a span",
       Paragraph({Text("a", Format().Font(1).Size(28)), Text("b", Format().Font(0).Size(20)),
                  Text("c", Format().Font(1).Size(28))}),
       "<p style=\"font-family:Times New Roman;font-size:14pt\">a<span "
       "style=\"font-family:Arial;font-size:10pt\">b</span>c</p>\r\n"},
      {"fonts of one name are one font",
       Paragraph({Text("a", Format().Font(1)), Text("b", Format().Font(2))}),
       "<p style=\"font-family:Times New Roman\">ab</p>\r\n"},
      {"a font out of range is the page's", Paragraph({Text("a", Format().Font(99))}), "<p>a</p>\r\n"},
      {"colour of a later run", Paragraph({Text("a"), Text("b", Format().Colour(0x0000FF)), Text("c")}),
       "<p>a<span style=\"color:#0000FF\">b</span>c</p>\r\n"},
      {"a run in the page's colour after a coloured one",
       Paragraph({Text("a", Format().Colour(kRed)), Text("b")}),
       "<p style=\"color:#FF0000\">a<span style=\"color:#000000\">b</span></p>\r\n"},
      {"background and capitals", Paragraph({Text("hi", Format().Background(0xFFFF00).Caps())}),
       "<p><span style=\"background-color:#FFFF00;text-transform:uppercase\">hi</span></p>\r\n"},
      {"bold and italic nest and reopen in order",
       Paragraph({Text("a", Format().Bold()), Text("b", Format().Bold().Italic()),
                  Text("c", Format().Italic()), Text("d")}),
       "<p><b>a<i>b</i></b><i>c</i>d</p>\r\n"},
      {"every element kind",
       Paragraph({Text("u", Format().Underline()), Text("s", Format().Strike()), Text("2", Format().Super()),
                  Text("i", Format().Sub())}),
       "<p><u>u</u><strike>s</strike><sup>2</sup><sub>i</sub></p>\r\n"},
      {"a span closes around its elements",
       Paragraph({Text("a", Format().Bold().Colour(kRed)), Text("b", Format().Bold())}),
       "<p style=\"color:#FF0000\"><b>a</b><span style=\"color:#000000\"><b>b</b></span></p>\r\n"},
      {"tabs and line breaks", Paragraph({Text("a"), Tab(), Text("b"), Break(), Text("c")}),
       "<p>a<span style=\"white-space:pre;tab-size:36pt\">\t</span>b<br>c</p>\r\n"},
      {"heading", Paragraph({Text("Title")}, Heading(2)),
       "<h2 "
       "style=\"font-family:Arial;font-size:10pt;font-weight:normal;margin-left:10pt;margin-right:10pt\">"
       "Title</h2>\r\n"},
      {"heading levels beyond 6 are 6", Paragraph({Text("T")}, Heading(9)),
       "<h6 "
       "style=\"font-family:Arial;font-size:10pt;font-weight:normal;margin-left:10pt;margin-right:10pt\">T</"
       "h6>\r\n"},
      {"list item with its indent", Paragraph({Text("First")}, ListItem("1.", 0, 720)),
       "<p style=\"text-indent:0pt;margin-left:46pt\">1.&nbsp;&nbsp;First</p>\r\n"},
      {"list item indented by its level", Paragraph({Text("Deep")}, ListItem("•", 2)),
       "<p style=\"text-indent:0pt;margin-left:64pt\">•&nbsp;&nbsp;Deep</p>\r\n"},
      {"list item without a marker", Paragraph({Text("x")}, ListItem("", 0)),
       "<p style=\"text-indent:0pt;margin-left:28pt\">x</p>\r\n"},
      // Writers number headings with a list: a heading stays a heading, with no list indent.
      {"heading in a list",
       Paragraph({Text("Part")},
                 [] {
                   model::ParagraphFormat f = ListItem("", 1);
                   f.heading = 1;
                   return f;
                 }()),
       "<h1 "
       "style=\"font-family:Arial;font-size:10pt;font-weight:normal;margin-left:10pt;margin-right:10pt\">"
       "Part</h1>\r\n"},
      {"text in code page 1251, references for the rest", Paragraph({Text("Привет € – “ё” 中 😀")}),
       "<p>Привет € – “ё” &#20013; &#128512;</p>\r\n"},
      {"markup characters", Paragraph({Text("a & <b> \"q\"")}), "<p>a &amp; &lt;b&gt; \"q\"</p>\r\n"},
      {"runs of spaces kept", Paragraph({Text(" a  b   c "), Text(" d", Format().Bold())}),
       "<p>&nbsp;a &nbsp;b &nbsp;&nbsp;c <b>&nbsp;d</b></p>\r\n"},
      // Six bytes on the page for each byte of the model: far beyond the page's estimate.
      {"a long run of spaces", Paragraph({Text("a" + std::string(300000, ' ') + "b")}),
       "<p>a " + [] {
         std::string spaces;
         for (int i = 1; i < 300000; ++i) spaces += "&nbsp;";
         return spaces;
       }() + "b</p>\r\n"},
      {"control characters left out, broken UTF-8 replaced",
       Paragraph({Text("a\x01\x7F"
                       "b\xFF"
                       "c")}),
       "<p>ab&#65533;c</p>\r\n"},
  };
  for (const Case& c : cases) {
    model::Document document = Document({model::Block{c.paragraph}});
    document.fonts = {"Arial", "Times New Roman", "Times New Roman"};
    const std::string body = BodyOfDocument(document);
    EXPECT_EQ(body, Cp1251(c.body)) << c.name;
    EXPECT_EQ(CheckWellFormed(body), "") << c.name;
  }
}

TEST(ModelParagraphTest, TwoSpacesAnywhereInALongText) {
  // The two spaces at every place of the sixteen-byte steps of the search, and a third after
  // (spaces that start the paragraph are another rule's).
  for (size_t at = 1; at < 40; ++at) {
    for (const std::string& run : {std::string("  "), std::string("   ")}) {
      const std::string text = std::string(at, 'a') + run + std::string(40, 'b') + " c";
      const std::string body = BodyOfDocument(Document({model::Block{Paragraph({Text(text)})}}));
      // The first space stays a space after a letter; every other one is kept as "&nbsp;".
      std::string want = std::string(at, 'a');
      for (size_t i = 0; i < run.size(); ++i) want += i == 0 ? " " : "&nbsp;";
      want += std::string(40, 'b') + " c";
      EXPECT_EQ(body, "<p>" + want + "</p>\r\n") << at << " " << run.size();
    }
  }
}

TEST(ModelParagraphTest, SizesLoseTheUmrazmSettingButStayAtLeastEightPoints) {
  struct SizeCase {
    const char* umrazm;
    int32_t half_points;
    const char* style;
  };
  const SizeCase cases[] = {
      {"0", 28, " style=\"font-size:14pt\""},
      {"2", 28, " style=\"font-size:12pt\""},
      {"2", 18, " style=\"font-size:8pt\""},
      {"0", 16, " style=\"font-size:8pt\""},
      {"0", 21, ""},
      {"2", 24, ""},
      {"0", 12, " style=\"font-size:8pt\""},
      {"0", 100000, " style=\"font-size:1638pt\""},
      {"0", 0, " style=\"font-size:12pt\""},  // no size of its own: RTF's 12 points
      {"2", 0, ""},
  };
  for (const SizeCase& c : cases) {
    Settings settings;
    settings.umrazm = c.umrazm;
    const std::string page =
        WriteModelPage(Document({Para({Text("x", Format().Size(c.half_points))})}), settings).page;
    EXPECT_EQ(BodyOf(page), std::string("<p") + c.style + ">x</p>\r\n") << c.umrazm << " " << c.half_points;
  }
}

TEST(ModelParagraphTest, ParagraphsInCellsHaveTheCellsMargins) {
  const std::string body = BodyOfDocument(
      Document({Table({Row({Cell(2000, {Para({Text("x")}, Indented(200, 100, 0, 0, 0))})})})}));
  EXPECT_NE(body.find("<p style=\"margin-left:15pt;margin-right:10pt\">x</p>"), std::string::npos) << body;
}

TEST(ModelParagraphTest, FontNamesCannotLeaveTheirDeclarationNorBeReadAsKeywords) {
  const std::pair<std::string, std::string> cases[] = {
      {"Evil\";color:red}<script> Cyr", "Evilcolorredscript"},
      {"X\"><img src=x onerror=\"alert(1)\">", "Ximg srcx onerroralert1"},
      {"  Ариал «Нов» &amp; 宋体 “x” ", "Ариал Нов amp &#23435;&#20307; x"},
      // Names CSS reads as its own words stay names; the generic families are meant as such.
      {"inherit", "'inherit'"},
      {" INITIAL;", "'INITIAL'"},
      {"Unset", "'Unset'"},
      {"revert", "'revert'"},
      {"default", "'default'"},
      {"inherited", "inherited"},
      {"sans-serif", "sans-serif"},
  };
  for (const auto& [font, family] : cases) {
    model::Document document = Document({Para({Text("x", Format().Font(0))})});
    document.fonts = {font};
    EXPECT_EQ(BodyOfDocument(document), Cp1251("<p style=\"font-family:" + family + "\">x</p>\r\n")) << font;
  }
}

// Random runs, links, anchors and note marks: every paragraph is well formed.
TEST(ModelParagraphTest, AnyMixOfRunsGivesWellFormedParagraphs) {
  std::mt19937 random(20240601);
  for (int round = 0; round < 300; ++round) {
    std::vector<model::Inline> inlines;
    const int count = static_cast<int>(random() % 30);
    for (int i = 0; i < count; ++i) {
      switch (random() % 10) {
        case 0:
          inlines.push_back(LinkStart(random() % 2 ? "http://a.b/" : "#top", random() % 3 == 0));
          break;
        case 1:
          inlines.push_back(LinkEnd());
          break;
        case 2:
          inlines.push_back(Mark(static_cast<uint32_t>(random() % 3)));
          break;
        case 3:
          inlines.push_back(Bookmark("b" + std::to_string(random() % 4)));
          break;
        case 4:
          inlines.push_back(random() % 2 ? Tab() : Break());
          break;
        default: {
          Format format;
          if (random() % 2) format.Bold();
          if (random() % 2) format.Italic();
          if (random() % 3 == 0) format.Underline();
          if (random() % 4 == 0) format.Super();
          if (random() % 3 == 0) format.Colour(static_cast<model::Colour>(random() % 3) * 0x7F);
          if (random() % 3 == 0) format.Size(static_cast<int32_t>(16 + random() % 20));
          inlines.push_back(Text(random() % 2 ? "word" : "two words", format));
        }
      }
    }
    model::Document document = Document({Para(inlines)});
    document.notes.push_back(Note(model::NoteKind::kFootnote, {Para(inlines)}));
    const std::string page = PageOf(document);
    ASSERT_EQ(CheckWellFormed(BodyOf(page)), "") << BodyOf(page);
    ASSERT_EQ(CheckWellFormed(NotesOf(page)), "") << NotesOf(page);
  }
}

}  // namespace
}  // namespace tessarine
