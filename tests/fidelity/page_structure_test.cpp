// Reading a page's structure back from its HTML: formatted words, links and notes, tables, line
// starts and list markers, on small pages in the shapes both page writers produce.
#include "tests/fidelity/page_structure.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fidelity/words.h"

namespace tessarine::testing {
namespace {

std::string Page(const std::string& body) {
  return "<HTML><HEAD><TITLE><b>Title</b></TITLE></HEAD>\r\n<body bgcolor=\"#e0e0e0\">\r\n" + body +
         "\r\n</body>\r\n</html>";
}

PageStructure Read(const std::string& body) {
  return ReadPageStructure(Page(body), IsWordCharacter);
}

using Words = std::set<std::string>;

TEST(PageStructureTest, FormattedWordsComeFromTagsAndStyles) {
  struct Case {
    const char* body;
    Words bold, italic, underline;
  };
  const Case cases[] = {
      {"<p><b>Bold</b> plain <i>it</i> <u>under</u></p>", {"Bold"}, {"it"}, {"under"}},
      {"<p><strong>x</strong> <em>y</em></p>", {"x"}, {"y"}, {}},
      // A word counts when any of its characters is formatted.
      {"<p>Bo<b>ld</b> it<i>a</i></p>", {"Bold"}, {"ita"}, {}},
      // The passes' spans; a closed span ends its format.
      {"<p><span style=\"font-weight:bold;font-style:italic\">both</span> none "
       "<span style=\"text-decoration:underline\">u</span> after</p>",
       {"both"},
       {"both"},
       {"u"}},
      {"<p style=\"font-weight: bold\">para</p><p>next</p>", {"para"}, {}, {}},
      {"<p><span style=\"font-weight:normal\">n</span> <span style=\"font-weight:700\">w</span></p>",
       {"w"},
       {},
       {}},
      // A new paragraph ends an unclosed one's style; </b> without <b> changes nothing.
      {"<p style=\"font-style:italic\">one<p>two</b> three", {}, {"one"}, {}},
      // Code page 1251 and references; the title and comments are no part of the body.
      {"<p><b>\xEC\xE8\xF0</b> <u>caf&#233;</u> <!-- <b>hidden</b> --> x</p>",
       {"\xD0\xBC\xD0\xB8\xD1\x80"},
       {},
       {"caf\xC3\xA9"}},
      {"<p><b>one<br>two</b> three</p>", {"one", "two"}, {}, {}},
      // Headings show bold.
      {"<h2>2&nbsp;Heading</h2><p>text</p>", {"2", "Heading"}, {}, {}},
      // Links show underlined, the notes' links do not.
      {"<p><a href=\"http://x.org\">web</a> <a href=\"#b\">local</a> <a name=\"b\">anchor</a> "
       "<a class=\"sslk\" href=\"#dssl1\">mark</a></p>",
       {},
       {},
       {"web", "local"}},
  };
  for (const Case& c : cases) {
    PageStructure page = Read(c.body);
    EXPECT_EQ(page.bold, c.bold) << c.body;
    EXPECT_EQ(page.italic, c.italic) << c.body;
    EXPECT_EQ(page.underline, c.underline) << c.body;
  }
}

TEST(PageStructureTest, NotesAreLinkedBothWaysOnlyWhenEachLinkReachesTheOther) {
  const std::string notes_rule = "<hr color=#dc143c width=70%>";
  struct Case {
    std::string body;
    int linked;
    int broken;
  };
  const Case cases[] = {
      // The pages' own form: an anchor at the mark, the note's anchor before its paragraph.
      {"<p>Text <a name=\"hts1\"></a><a class=\"sslk\" href=\"#dssl1\">word.</a><b><sup>1</sup></b></p>" +
           notes_rule + "<a name=\"dssl1\"></a><p><b>1.</b><a class=\"ht\" href=\"#hts1\">Note.</a></p>",
       1, 0},
      // Anchor and link in one tag.
      {"<p><a name=hts1 href=#dssl1>1</a> <a name=hts2 href=#dssl2>2</a></p>" + notes_rule +
           "<a name=dssl1></a><a href=#hts1>one</a><a name=dssl2></a><a href=#hts2>two</a>",
       2, 0},
      // The back link leads elsewhere than the mark's anchor.
      {"<p><a name=hts1></a><a href=#dssl1>1</a><a name=hts2></a></p>" + notes_rule +
           "<a name=dssl1></a><a href=#hts2>back</a>",
       0, 0},
      // Text between the mark's anchor and its link: the way back lands elsewhere.
      {"<p><a name=hts1></a>far away <a href=#dssl1>1</a></p>" + notes_rule +
           "<a name=dssl1></a><a href=#hts1>b</a>",
       0, 0},
      // Only one way; a link to a missing anchor is broken.
      {"<p><a name=hts1></a><a href=#dssl1>1</a></p>" + notes_rule + "<a name=dssl1></a><p>note</p>", 0, 0},
      {"<p><a name=hts1></a><a href=#dssl9>1</a></p>" + notes_rule + "<a name=dssl1></a><a href=#hts1>b</a>",
       0, 1},
      // Links inside the text (bookmarks) are no notes.
      {"<p><a name=top></a><a href=#top>up</a></p>", 0, 0},
  };
  for (const Case& c : cases) {
    PageStructure page = Read(c.body);
    EXPECT_EQ(page.notes_linked_both_ways, c.linked) << c.body;
    EXPECT_EQ(page.broken_in_page_links, c.broken) << c.body;
  }
}

TEST(PageStructureTest, ExternalTargetsAreDecoded) {
  PageStructure page = Read(
      "<p><a href=\"http://example.org/?a=1&amp;b=&quot;2&quot;\">x</a> <a href='mailto:a@b.c'>m</a> "
      "<a href=http://bare.org/x>b</a> <a href=\"http://\xEF\xF0.\xF0\xF4/&#1078;\">c</a> <a "
      "href=\"#local\">l</a>"
      "<a name=local></a></p>");
  EXPECT_EQ(page.external_targets,
            (std::set<std::string>{"http://example.org/?a=1&b=\"2\"", "mailto:a@b.c", "http://bare.org/x",
                                   "http://\xD0\xBF\xD1\x80.\xD1\x80\xD1\x84/\xD0\xB6"}));
  EXPECT_EQ(page.broken_in_page_links, 0);
}

TEST(PageStructureTest, TablesKeepTheirRowsSpansNestingAndCellText) {
  PageStructure page = Read(
      "<table border=1 width=90%>\r\n<tr><td rowspan=2 width=\"30%\">A</td><td colspan=\"2\">B "
      "<b>b</b></td></tr>\r\n"
      "<tr><td>C<table><tr><td>inner</td><td ROWSPAN=1>x</td></tr></table>after</td><td>D</td></tr></table>"
      "<p>between</p><table><td>no row</td></table>");
  ASSERT_EQ(page.tables.size(), 3u);
  EXPECT_EQ(page.TopLevelTables(), 2);
  EXPECT_EQ(page.NestedTables(), 1);
  const PageTable& outer = page.tables[0];
  ASSERT_EQ(outer.rows.size(), 2u);
  ASSERT_EQ(outer.rows[0].size(), 2u);
  EXPECT_EQ(outer.rows[0][0].rowspan, 2);
  EXPECT_EQ(outer.rows[0][0].colspan, 1);
  EXPECT_EQ(outer.rows[0][1].colspan, 2);
  EXPECT_EQ(outer.rows[0][1].text, "B b");
  // A cell's text is its own: the nested table's text is the nested table's.
  EXPECT_EQ(outer.rows[1][0].text, "Cafter");
  EXPECT_TRUE(outer.HasRowspan());
  EXPECT_TRUE(outer.HasColspan());
  const PageTable& inner = page.tables[1];
  EXPECT_EQ(inner.parent, 0);
  EXPECT_EQ(inner.depth, 2);
  EXPECT_FALSE(inner.HasRowspan());  // rowspan=1 spans nothing
  EXPECT_EQ(inner.rows[0][0].text, "inner");
  EXPECT_EQ(page.tables[2].depth, 1);
  EXPECT_EQ(page.tables[2].rows.size(), 1u);  // a cell without <tr> opens a row
}

TEST(PageStructureTest, TheColumnLayoutIsNoTable) {
  PageStructure page = Read(
      "<table border=0 width=90%><tr><td width=50%><table border=1><tr><td>a</td></tr></table></td>"
      "<td width=50%><p>text</p><table border=1><tr><td>b<table><tr><td>c</td></tr></table></td></tr></table>"
      "</td></tr></table><table border=\"0\" cellpadding=0><tr><td>html</td></tr></table>");
  ASSERT_EQ(page.tables.size(), 4u);
  EXPECT_EQ(page.TopLevelTables(), 3);
  EXPECT_EQ(page.tables[0].rows[0][0].text, "a");
  EXPECT_EQ(page.tables[1].rows[0][0].text, "b");
  EXPECT_EQ(page.tables[2].parent, 1);
  EXPECT_EQ(page.tables[2].depth, 2);
  EXPECT_EQ(page.tables[3].rows[0][0].text, "html");  // a table of encapsulated HTML is one
}

TEST(PageStructureTest, LinesStartAtParagraphsCellsAndBreaksBeforeTheNotes) {
  PageStructure page = Read(
      "<p style=\"margin-left:28pt\">1.&nbsp;&nbsp;First item</p>\r\n<p> a)&nbsp;Second</p>"
      "<h2><a name=\"x\"></a><b>2.</b> "
      "Heading</h2><p>line<br>\xB7\tdot<br>\x95Glued</p><table><tr><td>i.\tcell</td></tr>"
      "</table><p>A very long paragraph that goes on and on</p><p></p>"
      "<hr color=#dc143c width=70%><a name=\"dssl1\"></a><p><b>1.</b> note</p>");
  EXPECT_EQ(page.line_starts,
            (std::vector<std::string>{"1.\xC2\xA0\xC2\xA0"
                                      "First item",
                                      "a)\xC2\xA0Second", "2. Heading", "line", "\xC2\xB7\tdot",
                                      "\xE2\x80\xA2Glued", "i.\tcell", "A very long paragraph th"}));
}

TEST(PageStructureTest, ImagesAreCounted) {
  EXPECT_EQ(Read("<p><img src=\"data:image/png;base64,AAAA\" width=10> <IMG SRC=x></p>").images, 2);
  EXPECT_EQ(Read("<p>no pictures</p>").images, 0);
}

TEST(PageStructureTest, NoPageGivesNothing) {
  PageStructure page = ReadPageStructure("<b>bold</b><table><tr><td>x</td></tr></table>", IsWordCharacter);
  EXPECT_TRUE(page.bold.empty());
  EXPECT_TRUE(page.tables.empty());
  // A cut page gives what stands before the cut.
  page = ReadPageStructure("<body><p><b>bold</b> <table><tr><td rowspan=2", IsWordCharacter);
  EXPECT_EQ(page.bold, Words{"bold"});
  EXPECT_EQ(page.tables.size(), 1u);
}

}  // namespace
}  // namespace tessarine::testing
