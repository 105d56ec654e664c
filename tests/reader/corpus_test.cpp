// The shared corpus of real documents: the reader never crashes or hangs on any of them, keeps
// the model's promises, and finds every word the reference reader (the RTF pane's reader until
// the pane read through this one) finds, except where that reader is wrong; each such document is
// listed below with the words it lacks and why.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "fuzz/fuzz_checks.h"
#include "model/plain_text.h"
#include "reader/read_rtf.h"
#include "tests/fidelity/words.h"
#include "tests/support/paths.h"
#include "tests/support/reference_reader/rtf_document.h"
#include "tests/support/time_bound.h"

namespace tessarine::testing {
namespace {

// Documents where the reference reader finds words this reader does not, and why the reference
// reader is wrong there. `missing` counts the words (with repeats) it finds and this reader lacks.
struct KnownDifference {
  const char* path;
  long missing;
  const char* reason;
};

const KnownDifference kKnown[] = {
    {"apache__tika/testRTFJapanese.rtf", 599, "Shift-JIS text of \\fcharset128 fonts read as code page 1251"},
    {"apache__tika/testRTFUnicodeUCNControlWordCharacterDoubling.rtf", 1,
     "\\'94\\'4f in a \\fcharset128 font is one Japanese character, not \"\\x94O\""},
    {"apache__tika/testRTFWord2010CzechCharacters.rtf", 14,
     "\\fcharset238 (code page 1250) text read as 1252"},
    {"apache__tika/testRTFWordPadCzechCharacters.rtf", 14,
     "\\fcharset238 (code page 1250) text read as 1252"},
    {"c00kiemon5ter__rtf2latex2e/arch.rtf", 56, "a \\mac document's Mac Roman bytes read as code page 1251"},
    {"c00kiemon5ter__rtf2latex2e/RtfInterpreterTest_14.rtf", 2268,
     "Mac Japanese text (\\ansicpg10001, \\fcharset78) read as code page 1251"},
    {"c00kiemon5ter__rtf2latex2e/RtfInterpreterTest_18.rtf", 417,
     "GBK text of \\fcharset134 fonts read as 1252"},
    {"c00kiemon5ter__rtf2latex2e/science.rtf", 17,
     "Symbol font letters are Greek (\\'65 is epsilon), not Latin"},
    {"c00kiemon5ter__rtf2latex2e/table.rtf", 3,
     "a Symbol font mu before subscript letters joins them into one word"},
    {"c00kiemon5ter__rtf2latex2e/test.rtf", 1, "Symbol font \\u-3999 is alpha, not a private-use character"},
    {"d0rianb__rtf-parser/file-sample_100kB.rtf", 6,
     "list markers U+F0B7 are bullets, not private-use characters"},
    {"Fdawgs__node-unrtf/test-rtf-complex.rtf", 6,
     "list markers U+F0B7 are bullets, not private-use characters"},
    {"ivandeex__rtf2db/sps.rtf", 3, "Wingdings \\'a7 list markers are square bullets, not \"\\xA7\""},
    {"jgm__pandoc/table_nested.rtf", 8, "\\nonesttables holds text for readers without nested tables"},
    {"joniles__rtfparserkit/testUnicode.rtf", 2, "\\fcharset134 and \\fcharset238 text read as 1252"},
    {"joshy__striprtf/encoding.rtf", 16, "the text of a (broken) \\generator group is the writer's name"},
    {"paulhtremblay__rtf2xml/bad_encoding.rtf", 1, "without \\ansicpg a byte is code page 1252, not 1251"},
    {"paulhtremblay__rtf2xml/old3_from_web.rtf", 5,
     "Symbol font letters are Greek (\\'62 is beta), not Latin"},
    {"paulhtremblay__rtf2xml/ted_mixed_faces.rtf", 1,
     "a word written in the Symbol font shows Greek letters"},
    {"tbluemel__rtf.js/infer-double-width-source.rtf", 114, "Shift-JIS and GBK text read as code page 1252"},
    {"tbluemel__rtf.js/japanese-single-double-byte-source.rtf", 1,
     "the reference reader breaks a double-byte character at the start of a line"},
};

long KnownMissing(const std::string& path) {
  for (const KnownDifference& known : kKnown) {
    if (path.ends_with(known.path)) return known.missing;
  }
  return 0;
}

struct Document {
  std::string path;  // relative to the corpus folder
  std::string writer;
};

// The writer of a document as the manifest's producer column names it.
std::string WriterOf(const std::string& producer) {
  auto has = [&producer](const char* s) { return producer.find(s) != std::string::npos; };
  if (has("AbiWord")) return "AbiWord";
  if (has("pandoc")) return "pandoc";
  if (has("Aspose")) return "other writers";
  if (has("LibreOffice") || has("StarWriter") || has("OpenOffice")) return "LibreOffice/StarOffice";
  if (has("Outlook") || has("Exchange")) return "Outlook";
  if (has("Word for Mac") || has("Mac writer")) return "Mac writers";
  if (has("Word")) return "Word";
  if (has("Riched") || has("Msftedit") || has("RichEdit")) return "WordPad/RichEdit";
  if (has("Cocoa")) return "TextEdit";
  if (has("unknown")) return "hand-written";
  return "other writers";
}

std::vector<Document> CorpusDocuments() {
  std::vector<Document> documents;
  std::ifstream manifest(CorpusDir() / "MANIFEST.tsv");
  std::string line;
  std::getline(manifest, line);  // the heading
  while (std::getline(manifest, line)) {
    std::vector<std::string> fields;
    std::stringstream row(line);
    std::string field;
    while (std::getline(row, field, '\t')) fields.push_back(field);
    if (fields.size() >= 4) documents.push_back({fields[0], WriterOf(fields[3])});
  }
  return documents;
}

// The words the reference reader finds and this reader lacks.
std::string Missing(const WordCounts& pane, const WordCounts& ours) {
  std::string out;
  int shown = 0;
  for (const auto& [word, count] : pane) {
    auto it = ours.find(word);
    const long lack = count - (it == ours.end() ? 0 : std::min(count, it->second));
    if (lack > 0 && shown++ < 10) out += " " + word + "(" + std::to_string(lack) + ")";
  }
  return out;
}

TEST(ReaderCorpusTest, FindsTheWordsOfTheReferenceReader) {
  const std::vector<Document> documents = CorpusDocuments();
  if (documents.empty()) GTEST_SKIP() << "no corpus at " << CorpusDir();
  const TimeBound bound(600);
  struct Tally {
    long files = 0, pane = 0, ours = 0, found = 0;
  };
  std::map<std::string, Tally> by_writer;
  Tally all;
  for (const Document& doc : documents) {
    std::string raw;
    if (!ReadFileBytes(CorpusDir() / doc.path, &raw).ok()) continue;
    const model::Document document = ReadRtfDocument(raw);
    EXPECT_EQ(fuzzing::CheckModel(document), "") << doc.path;
    std::string text;
    model::AppendPlainText(document, model::WithNotes::kYes, text);
    const WordCounts ours = WordsOfText(text);
    const WordCounts pane = WordsOfText(reference::ExtractPlainText(raw));
    const long found = WordsKept(pane, ours);
    EXPECT_EQ(WordCount(pane) - found, KnownMissing(doc.path)) << doc.path << " lacks" << Missing(pane, ours);
    for (Tally* t : {&by_writer[doc.writer], &all}) {
      t->files += 1;
      t->pane += WordCount(pane);
      t->ours += WordCount(ours);
      t->found += found;
    }
  }
  std::printf("%-24s %6s %10s %10s %14s\n", "writer", "files", "ref. words", "our words", "ref. found");
  for (const auto& [writer, t] : by_writer) {
    std::printf("%-24s %6ld %10ld %10ld %14ld\n", writer.c_str(), t.files, t.pane, t.ours, t.found);
  }
  std::printf("%-24s %6ld %10ld %10ld %14ld\n", "all", all.files, all.pane, all.ours, all.found);
}

}  // namespace
}  // namespace tessarine::testing
