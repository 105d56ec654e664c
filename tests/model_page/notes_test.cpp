// Notes: numbered by their marks, the word before the mark linked to the note and the note
// linked back, with the RTF pages' anchor names and classes.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model_page/write_page.h"
#include "tests/model_page/document_builder.h"

namespace tessarine {
namespace {

using namespace testing;

struct Case {
  const char* name;
  std::vector<model::Block> body;
  std::vector<model::Note> notes;
  std::string expected_body;
  std::string expected_notes;
};

TEST(ModelNotesTest, MarksAndNotes) {
  const model::Note report = Note(model::NoteKind::kFootnote, {Para(" The report of May.")});
  const model::Note summary = Note(model::NoteKind::kFootnote, {Para(" A short summary.")});
  const Case cases[] = {
      {"two footnotes, as the RTF pages write them",
       {Para({Text("See the report"), Mark(0), Text(" and the summary"), Mark(1), Text(".")})},
       {report, summary},
       "<p>See the <a name=\"hts1\"></a><a class=\"sslk\" href=\"#dssl1\">report</a><b><sup>1</sup></b> and "
       "the "
       "<a name=\"hts2\"></a><a class=\"sslk\" href=\"#dssl2\">summary</a><b><sup>2</sup></b>.</p>\r\n",
       "<a name=\"dssl1\"></a><p style=\"font-size:8pt\"><b>1.</b><a class=\"ht\" href=\"#hts1\"> The report "
       "of "
       "May.</a></p>\r\n<a name=\"dssl2\"></a><p style=\"font-size:8pt\"><b>2.</b><a class=\"ht\" "
       "href=\"#hts2\"> A "
       "short summary.</a></p>\r\n"},
      {"numbers follow the marks, not the notes' order",
       {Para({Text("b"), Mark(1), Text(" a"), Mark(0)})},
       {report, summary},
       "<p><a name=\"hts1\"></a><a class=\"sslk\" href=\"#dssl1\">b</a><b><sup>1</sup></b> <a "
       "name=\"hts2\"></a>"
       "<a class=\"sslk\" href=\"#dssl2\">a</a><b><sup>2</sup></b></p>\r\n",
       "<a name=\"dssl1\"></a><p style=\"font-size:8pt\"><b>1.</b><a class=\"ht\" href=\"#hts1\"> A short "
       "summary.</a></p>\r\n<a name=\"dssl2\"></a><p style=\"font-size:8pt\"><b>2.</b><a class=\"ht\" "
       "href=\"#hts2\"> The report of May.</a></p>\r\n"},
      {"a mark without a word before it links its number",
       {Para({Mark(0), Text(" text")})},
       {report},
       "<p><a name=\"hts1\"></a><a class=\"sslk\" href=\"#dssl1\"><b><sup>1</sup></b></a> text</p>\r\n",
       "<a name=\"dssl1\"></a><p style=\"font-size:8pt\"><b>1.</b><a class=\"ht\" href=\"#hts1\"> The report "
       "of "
       "May.</a></p>\r\n"},
      {"the word keeps its format inside the link",
       {Para({Text("a "), Text("bold", Format().Bold()), Mark(0)})},
       {report},
       "<p>a <a name=\"hts1\"></a><a class=\"sslk\" "
       "href=\"#dssl1\"><b>bold</b></a><b><sup>1</sup></b></p>\r\n",
       ""},
      {"a mark inside a link splits the link",
       {Para({LinkStart("http://x/"), Text("link text"), Mark(0), Text(" more"), LinkEnd()})},
       {report},
       "<p><a href=\"http://x/\">link </a><a name=\"hts1\"></a><a class=\"sslk\" "
       "href=\"#dssl1\">text</a><b><sup>1"
       "</sup></b><a href=\"http://x/\"> more</a></p>\r\n",
       ""},
      {"a note marked twice has one anchor",
       {Para({Text("one"), Mark(0), Text(" two"), Mark(0)})},
       {report},
       "<p><a name=\"hts1\"></a><a class=\"sslk\" href=\"#dssl1\">one</a><b><sup>1</sup></b> <a "
       "class=\"sslk\" "
       "href=\"#dssl1\">two</a><b><sup>1</sup></b></p>\r\n",
       ""},
      {"a mark naming no note is left out", {Para({Text("x"), Mark(7)})}, {}, "<p>x</p>\r\n", ""},
      {"a note without a mark still shows, without a link back",
       {Para("x")},
       {Note(model::NoteKind::kComment, {Para("orphan")})},
       "<p>x</p>\r\n",
       "<a name=\"dssl1\"></a><p style=\"font-size:8pt\"><b>1.</b>orphan</p>\r\n"},
      {"comments and endnotes are numbered with the footnotes",
       {Para({Text("c"), Mark(0), Text(" e"), Mark(1)})},
       {Note(model::NoteKind::kComment, {Para("Check.")}), Note(model::NoteKind::kEndnote, {Para("End.")})},
       "",
       "<a name=\"dssl1\"></a><p style=\"font-size:8pt\"><b>1.</b><a class=\"ht\" "
       "href=\"#hts1\">Check.</a></p>"
       "\r\n<a name=\"dssl2\"></a><p style=\"font-size:8pt\"><b>2.</b><a class=\"ht\" "
       "href=\"#hts2\">End.</a></p>"
       "\r\n"},
      {"notes of several paragraphs, in the notes' size",
       {Para({Text("x"), Mark(0)})},
       {Note(model::NoteKind::kFootnote, {Para({Text("first", Format().Size(40))}), Para("second")})},
       "",
       "<a name=\"dssl1\"></a><p style=\"font-size:8pt\"><b>1.</b><a class=\"ht\" "
       "href=\"#hts1\">first</a></p>\r\n"
       "<p style=\"font-size:8pt\">second</p>\r\n"},
      {"a note that starts with a table",
       {Para({Text("x"), Mark(0)})},
       {Note(model::NoteKind::kFootnote, {Table({Row({Cell(1000, "cell")})})})},
       "",
       "<a name=\"dssl1\"></a><p style=\"font-size:8pt\"><b>1.</b><a class=\"ht\" "
       "href=\"#hts1\">&nbsp;</a></p>\r\n"
       "<table border=1 width=90%>\r\n<tr>\r\n<td width=100%><p>cell</p>\r\n</td>\r\n</tr>\r\n</table>\r\n"},
      {"a note may mark another",
       {Para({Text("x"), Mark(0)})},
       {Note(model::NoteKind::kFootnote, {Para({Text("see"), Mark(1)})}),
        Note(model::NoteKind::kFootnote, {Para("inner")})},
       "",
       "<a name=\"dssl1\"></a><p style=\"font-size:8pt\"><b>1.</b><a name=\"hts2\"></a><a class=\"sslk\" "
       "href=\"#dssl2\">see</a><b><sup>2</sup></b></p>\r\n<a name=\"dssl2\"></a><p "
       "style=\"font-size:8pt\"><b>2."
       "</b><a class=\"ht\" href=\"#hts2\">inner</a></p>\r\n"},
  };
  for (const Case& c : cases) {
    model::Document document = Document(c.body);
    document.notes = c.notes;
    const std::string page = PageOf(document);
    if (!c.expected_body.empty()) {
      EXPECT_EQ(BodyOf(page), c.expected_body) << c.name;
    }
    if (!c.expected_notes.empty()) {
      EXPECT_EQ(NotesOf(page), c.expected_notes) << c.name;
    }
    EXPECT_EQ(CheckWellFormed(BodyOf(page)), "") << c.name;
    EXPECT_EQ(CheckWellFormed(NotesOf(page)), "") << c.name;
  }
}

TEST(ModelNotesTest, NotesUseTheFootnoteSizeSetting) {
  Settings settings;
  settings.fsizessl = "11";
  model::Document document = Document({Para({Text("x"), Mark(0)})});
  document.notes.push_back(Note(model::NoteKind::kFootnote, {Para("n")}));
  const std::string page = WriteModelPage(document, settings).page;
  EXPECT_NE(NotesOf(page).find("<p style=\"font-size:11pt\">"), std::string::npos);
}

}  // namespace
}  // namespace tessarine
