// What the plain scan of an RTF source finds: link targets, notes, tables and merges, list
// markers and pictures, on small sources in the shapes writers produce, and on the writer
// documents against what their expectations say.
#include "tests/fidelity/source_features.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "tests/fidelity/list_markers.h"
#include "tests/support/paths.h"
#include "tests/support/writer_documents.h"

namespace tessarine::testing {
namespace {

std::string Rtf(const std::string& body) {
  return "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0 Arial;}}\r\n" + body + "\r\n}";
}

TEST(SourceFeaturesTest, ExternalHyperlinkTargets) {
  struct Case {
    std::string body;
    std::vector<std::string> targets;
  };
  const Case cases[] = {
      {"{\\field{\\*\\fldinst HYPERLINK \"http://example.org/a\"}{\\fldrslt x}}", {"http://example.org/a"}},
      {"{\\field{\\*\\fldinst {\\rtlch HYPERLINK \"http://ex}{ample.org/\" }{\\*\\datafield "
       "00d0c9ea79f9bace}}"
       "{\\fldrslt x}}",
       {"http://example.org/"}},
      {"{\\field{\\fldinst HYPERLINK http://bare.org/x }{\\fldrslt x}}", {"http://bare.org/x"}},
      {"{\\field{\\*\\fldinst HYPERLINK \"doc.rtf\" \\\\l \"part\" \\\\o \"tip\"}{\\fldrslt x}}",
       {"doc.rtf#part"}},
      {"{\\field{\\*\\fldinst HYPERLINK \\\\l \"bookmark\"}{\\fldrslt x}}", {}},
      {"{\\field{\\*\\fldinst HYPERLINK \"javascript:alert(1)\"}{\\fldrslt x}}", {}},
      {"{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} HYPERLINK \"http://text.org\"", {}},
      // Code page 1251 and Unicode inside the target.
      {"{\\field{\\*\\fldinst HYPERLINK \"http://\\'ef\\'f0.\\'f0\\'f4/\\u1078?\"}{\\fldrslt x}}",
       {"http://\xD0\xBF\xD1\x80.\xD1\x80\xD1\x84/\xD0\xB6"}},
      // A field's quoted text doubles its backslashes.
      {"{\\field{\\*\\fldinst HYPERLINK \"..\\\\\\\\dir\\\\\\\\a \\\\\"b\\\\\".doc\"}{\\fldrslt x}}",
       {"..\\dir\\a \"b\".doc"}},
      // A footer's link is no part of the page.
      {"{\\footer {\\field{\\*\\fldinst HYPERLINK \"http://footer.org\"}{\\fldrslt x}}\\par}", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReadSourceFeatures(Rtf(c.body)).external_targets, c.targets) << c.body;
}

TEST(SourceFeaturesTest, TextInTheDocumentsCodePage) {
  const std::string field =
      "{\\field{\\*\\fldinst HYPERLINK \"mailto:a@b.c?subject=m\\'e9thode\"}{\\fldrslt x}}";
  EXPECT_EQ(ReadSourceFeatures("{\\rtf1\\ansi\\ansicpg1252 " + field + "}").external_targets,
            std::vector<std::string>{"mailto:a@b.c?subject=m\xC3\xA9thode"});
  EXPECT_EQ(ReadSourceFeatures("{\\rtf1\\ansi " + field + "}").external_targets,
            std::vector<std::string>{"mailto:a@b.c?subject=m\xD0\xB9thode"});  // 1251 without \ansicpg
  // Mac Roman's bullet.
  EXPECT_EQ(ReadSourceFeatures("{\\rtf1\\mac {\\listtext \\'a5\\tab}x\\par}").list_markers,
            std::vector<std::string>{"*"});
  EXPECT_EQ(ReadSourceFeatures("{\\rtf1\\ansi\\macpict {\\listtext \\'e0)\\tab}x\\par}").list_markers,
            std::vector<std::string>{"\xD0\xB0)"});
}

TEST(SourceFeaturesTest, FootnotesOutsideHeadersAndFooters) {
  EXPECT_EQ(ReadSourceFeatures(Rtf("a{\\super\\chftn{\\footnote \\pard\\plain{\\super\\chftn} One.}} b"
                                   "{\\footnote\\ftnalt End.}{\\headerl {\\footnote x}}"))
                .footnotes,
            2);
  EXPECT_EQ(ReadSourceFeatures(Rtf("\\footnotes text \\footnoteref")).footnotes, 0);
}

TEST(SourceFeaturesTest, TablesWithTheirMerges) {
  const std::string row2 = "\\trowd\\trleft-108\\cellx3000\\cellx6000\\pard\\intbl a\\cell b\\cell\\row ";
  struct Case {
    std::string body;
    std::vector<int> rows;  // per table
    std::vector<bool> vertical, colspan;
    bool nested;
  };
  const Case cases[] = {
      {row2 + row2, {2}, {false}, {false}, false},
      // A paragraph outside the table ends it.
      {row2 + "\\pard between\\par " + row2, {1, 1}, {false, false}, {false, false}, false},
      // Paragraphs inside cells do not.
      {"\\trowd\\cellx3000\\pard\\intbl a\\par b\\cell\\row " + row2, {2}, {false}, {false}, false},
      // Word 2000 and later: the row's properties follow its cells.
      {"\\pard\\intbl a\\cell b\\cell\\pard\\intbl{\\trowd\\clvmgf\\cellx3000\\cellx6000\\row}"
       "\\pard\\intbl\\cell c\\cell\\pard\\intbl{\\trowd\\clvmrg\\cellx3000\\cellx6000\\row}\\pard "
       "after\\par",
       {2},
       {true},
       {false},
       false},
      {"\\trowd\\clmgf\\cellx3000\\clmrg\\cellx6000\\pard\\intbl a\\cell\\cell\\row",
       {1},
       {false},
       {true},
       false},
      // Rows that split each other's cells; boundaries 20 twips apart are one.
      {"\\trowd\\cellx6000\\pard\\intbl wide\\cell\\row " + row2, {2}, {false}, {true}, false},
      {"\\trowd\\cellx3020\\cellx6000\\pard\\intbl a\\cell b\\cell\\row " + row2,
       {2},
       {false},
       {false},
       false},
      // A shorter row is no split.
      {"\\trowd\\cellx3000\\pard\\intbl a\\cell\\row " + row2, {2}, {false}, {false}, false},
      // A nested table: its row properties are not the outer row's.
      {"\\trowd\\cellx3000\\cellx6000\\pard\\intbl\\itap1 a\\par\\pard\\intbl\\itap2 x\\nestcell y\\nestcell"
       "{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}\\pard\\intbl\\itap1\\cell b\\cell\\row",
       {1},
       {false},
       {false},
       true},
      // A table inside a footnote, a paragraph inside a footnote in a cell: neither counts.
      {"x{\\footnote\\pard " + row2 + "\\pard after\\par}" +
           "\\trowd\\cellx3000\\pard\\intbl a{\\footnote\\pard n\\par}"
           "\\cell\\row\\trowd\\cellx3000\\pard\\intbl b\\cell\\row",
       {2},
       {false},
       {false},
       false},
      // A text box's paragraph in a cell neither.
      {"\\trowd\\cellx3000\\pard\\intbl a{\\shp{\\*\\shpinst{\\shptxt\\pard box\\par}}}\\cell\\row " + row2,
       {2},
       {false},
       {false},
       false},
      // "\bin" data with braces and backslashes is passed over.
      {"{\\*\\objdata\\bin8 {\\row}\\}}" + row2, {1}, {false}, {false}, false},
  };
  for (const Case& c : cases) {
    const SourceFeatures f = ReadSourceFeatures(Rtf(c.body));
    std::vector<int> rows;
    std::vector<bool> vertical, colspan;
    for (const SourceTable& t : f.tables) {
      rows.push_back(t.rows);
      vertical.push_back(t.vertical_merges);
      colspan.push_back(t.NeedsColspan());
    }
    EXPECT_EQ(rows, c.rows) << c.body;
    EXPECT_EQ(vertical, c.vertical) << c.body;
    EXPECT_EQ(colspan, c.colspan) << c.body;
    EXPECT_EQ(f.nested_tables, c.nested) << c.body;
  }
}

TEST(SourceFeaturesTest, ListMarkersAsTheWriterWroteThem) {
  const SourceFeatures f = ReadSourceFeatures(
      Rtf("{\\listtext\\pard\\plain \\f1\\fs20 \\'b7\\tab}one\\par{\\pntext\\f0 1.\\tab}two\\par"
          "{\\listtext\\pard\\plain  2.\\tab}three\\par{\\listtext \\u8226\\'95\\tab}four\\par"
          "{\\listtext\\bullet\\tab}five\\par{\\*\\listtext a)\\tab}six\\par{\\listtext\\tab}none\\par"
          "{\\listtext\\'e0)\\tab}seven\\par{\\listtext {\\*\\ignored x}iv.\\tab more}eight\\par"));
  EXPECT_EQ(f.list_markers, (std::vector<std::string>{"*", "1.", "2.", "*", "*", "a)", "\xD0\xB0)", "iv."}));
}

TEST(SourceFeaturesTest, DistinctPngAndJpegPictures) {
  const std::string png = "89504E470D0A1A0A" + std::string(80, 'a');
  const std::string other = "ffd8ffe0" + std::string(80, 'b');
  const std::string gif = "4749463839" + std::string(80, 'c');
  struct Case {
    std::string body;
    int pictures;
  };
  const Case cases[] = {
      {"{\\pict\\pngblip\\picw10\\pich10 " + png + "}", 1},
      {"{\\pict{\\*\\picprop{\\sp{\\sn x}{\\sv 504b0304" + std::string(80, '0') +
           "}}}\\jpegblip{\\*\\blipuid "
           "0123456789abcdef0123456789abcdef}\r\n" +
           png + "\r\n" + png + "}",
       1},
      // The shape's picture and its result are one; the copy for old readers is none.
      {"{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv{\\pict\\pngblip " + png +
           "}}}}{\\shprslt{\\*\\shppict{\\pict\\pngblip " + png + "}}{\\nonshppict{\\pict\\wmetafile8 " +
           other + "}}}}",
       1},
      {"{\\*\\shppict{\\pict\\pngblip " + png + "}}{\\nonshppict{\\pict\\pngblip " + other + "}}", 1},
      {"{\\pict\\pngblip " + png + "}{\\pict\\jpegblip " + other + "}", 2},
      {"{\\pict\\wmetafile8 " + png + "}{\\pict\\emfblip " + other + "}", 0},
      {"{\\pict\\pngblip\\bin8 \x89PNG{}\\}}{\\pict\\pngblip {\\bin4 \x89PNG}}{\\pict\\jpegblip\\bin4 xyzw}",
       2},
      // Data that is no PNG or JPEG, whatever the picture says.
      {"{\\pict\\pngblip " + gif + "}", 0},
      {"{\\header{\\pict\\pngblip " + png + "}}", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadSourceFeatures(Rtf(c.body)).pictures, c.pictures) << c.body;
}

// Outlook's encapsulated HTML: the page shows the HTML, so the HTML's links and tables count,
// not those of the RTF that stands in for it.
TEST(SourceFeaturesTest, EncapsulatedHtmlAsksForItsOwnLinksAndTables) {
  const SourceFeatures f = ReadSourceFeatures(
      "{\\rtf1\\ansi\\ansicpg1252\\fromhtml1 {\\*\\htmltag19 <html>}{\\*\\htmltag84 <a "
      "href=\"http://x.org/?a=1&amp;b=2\">}"
      "\\htmlrtf {\\field{\\*\\fldinst HYPERLINK \"http://stand-in.org\"}{\\fldrslt x}}\\htmlrtf0 x"
      "{\\*\\htmltag92 </a>}{\\*\\htmltag96 <table border=\"0\">}{\\*\\htmltag64 <tr>}{\\*\\htmltag64 <td "
      "rowspan=2>}"
      "\\htmlrtf \\trowd\\cellx100\\intbl a\\cell\\row\\pard {\\listtext 1.\\tab}\\htmlrtf0 "
      "{\\*\\htmltag96 <table>}{\\*\\htmltag104 </table>}{\\*\\htmltag104 </table>}"
      "{\\*\\htmltag84 <a href=\"#top\">}{\\*\\htmltag84 <a href=\"mailto:\\'e9@x.org\">}}");
  EXPECT_EQ(f.external_targets, (std::vector<std::string>{"http://x.org/?a=1&b=2", "mailto:\xC3\xA9@x.org"}));
  ASSERT_EQ(f.tables.size(), 1u);
  EXPECT_EQ(f.tables[0].rows, 1);
  EXPECT_TRUE(f.tables[0].vertical_merges);
  EXPECT_TRUE(f.nested_tables);
  EXPECT_TRUE(f.list_markers.empty());
}

TEST(SourceFeaturesTest, AnyInputGivesAnAnswer) {
  for (const char* rtf :
       {"", "{", "}}}{", "\\", "{\\pict\\pngblip", "{\\listtext", "\\bin999999 x", "\\cellx\\row",
        "{\\field{\\*\\fldinst HYPERLINK \"", "{\\*\\fldinst HYPERLINK \\'"}) {
    const SourceFeatures f = ReadSourceFeatures(rtf);
    EXPECT_LE(f.pictures, 1) << rtf;
  }
}

// The scan on the writer documents finds what their expectations say the documents hold.
TEST(SourceFeaturesTest, AgreesWithTheWriterDocumentsExpectations) {
  for (const WriterDocument& document : WriterDocuments(DataDir() / "writers")) {
    const Expectation e = LoadExpectation(document);
    std::string rtf;
    ASSERT_TRUE(ReadFileBytes(document.rtf, &rtf).ok());
    const SourceFeatures f = ReadSourceFeatures(rtf);
    const std::string name = document.writer + " " + document.name;
    std::vector<std::string> links, markers;
    int notes = 0, pictures = 0;
    bool notes_checked = !e.skipped.count("note") && !e.skipped.count("endnote");
    for (const ExpectedBlock& block : e.blocks) {
      if (block.kind == BlockKind::kItem && block.list_checked) markers.push_back(NormalMarker(block.marker));
      for (const BlockFact& fact : block.facts) {
        if (fact.check == "link" && fact.checked) links.push_back(fact.argument);
        if ((fact.check == "note" || fact.check == "endnote") && fact.checked) ++notes;
        if (fact.check == "picture" && fact.checked) ++pictures;
      }
    }
    // Every link to a web page; a writer may add links to its own bookmarks as relative
    // targets ("HYPERLINK "order"" for a bookmark "order").
    for (const std::string& link : links) {
      EXPECT_NE(std::find(f.external_targets.begin(), f.external_targets.end(), link),
                f.external_targets.end())
          << name << ": " << link;
    }
    for (const std::string& target : f.external_targets) EXPECT_FALSE(target.starts_with('#')) << name;
    if (notes_checked) {
      EXPECT_EQ(f.footnotes, notes) << name;
    }
    if (!e.skipped.count("picture")) {
      EXPECT_EQ(f.pictures, pictures) << name;
    }
    if (!e.skipped.count("list")) {
      EXPECT_EQ(f.list_markers, markers) << name;
    }
    if (!e.skipped.count("table")) {
      // The body's tables in order; nested ones by whether there are any.
      std::vector<const ExpectedTable*> top_level;
      bool nested = false, nested_checked = true;
      for (const ExpectedTable& table : e.tables) {
        if (table.depth == 1) top_level.push_back(&table);
        nested |= table.depth > 1;
        nested_checked &= table.depth == 1 || table.checked;
      }
      ASSERT_EQ(f.tables.size(), top_level.size()) << name;
      for (size_t t = 0; t < top_level.size(); ++t) {
        if (!top_level[t]->checked) continue;
        bool vertical = false, colspan = false;
        for (const auto& row : top_level[t]->rows) {
          for (const ExpectedCell& cell : row) {
            vertical |= cell.rowspan > 1;
            colspan |= cell.colspan > 1;
          }
        }
        EXPECT_EQ(f.tables[t].vertical_merges, vertical) << name << " table " << t;
        EXPECT_EQ(f.tables[t].NeedsColspan(), colspan) << name << " table " << t;
      }
      if (nested_checked) {
        EXPECT_EQ(f.nested_tables, nested) << name;
      }
    }
  }
}

}  // namespace
}  // namespace tessarine::testing
