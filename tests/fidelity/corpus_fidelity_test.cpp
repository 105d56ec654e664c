// How much of the corpus documents reaches their pages, for the passes' pages and the automatic
// choice's: the words an independent reader (tests/support/reference_reader/) finds in each
// document against the words of the page, and the structure checks of structure_checks.h against
// what the reference reader finds formatted and what a plain scan of the source asks for.
//
// TESSARINE_FIDELITY_FILES=1 prints each document's figures; TESSARINE_FIDELITY_MISSING=<part of
// a path> prints, for the documents whose path has it, the words each page lacks and what its
// failed checks missed. TESSARINE_FIDELITY_AFTER=model measures the model's pages instead of the
// automatic choice's (the floors are then not checked).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "choice/convert_rtf_document.h"
#include "model/plain_text.h"
#include "reader/read_rtf.h"
#include "tests/fidelity/fidelity_table.h"
#include "tests/fidelity/page_structure.h"
#include "tests/fidelity/source_features.h"
#include "tests/fidelity/structure_checks.h"
#include "tests/fidelity/words.h"
#include "tests/support/corpus_manifest.h"
#include "tests/support/paths.h"
#include "tests/support/reference_reader/known_misreadings.h"
#include "tests/support/reference_reader/rtf_document.h"
#include "tests/support/writer_documents.h"

namespace tessarine::testing {
namespace {

// The lowest figures (in percent) the corpus may give: the measured ones less a point. The
// passes' counted share guards the passes; the others the automatic choice.
constexpr double kPassesCountedFloor = 97.1;
constexpr double kAutoDistinctFloor = 98.9;
constexpr double kAutoCountedFloor = 99.0;
constexpr double kAutoStructureFloor = 99.0;

// The same for each writer's documents: the share of distinct words and of structure checks the
// automatic choice keeps, less a point.
struct WriterFloor {
  const char* writer;
  double distinct, structure;
};
constexpr WriterFloor kWriterFloors[] = {
    {"LibreOffice/StarOffice", 99.0, 99.0},
    {"Mac writers", 99.0, 99.0},
    {"Outlook", 98.4, 99.0},
    {"TextEdit", 99.0, 99.0},
    {"Word", 99.0, 99.0},
    {"WordPad/RichEdit", 99.0, 99.0},
    {"hand-written", 99.0, 99.0},
    {"other writers", 99.0, 99.0},
    {"pandoc", 99.0, 99.0},
};

// The words of the document the page lacks, most missed first (for looking into one document).
void PrintMissing(const WordCounts& reference, const WordCounts& page) {
  std::vector<std::pair<long, std::string>> missing;
  for (const auto& [word, count] : reference) {
    auto it = page.find(word);
    const long lack = count - (it == page.end() ? 0 : std::min(count, it->second));
    if (lack > 0) missing.emplace_back(lack, word);
  }
  std::sort(missing.rbegin(), missing.rend());
  if (missing.size() > 60) missing.resize(60);
  for (const auto& [lack, word] : missing) std::printf("  %5ld %s\n", lack, word.c_str());
}

struct FormattedWords {
  std::set<std::string> bold, italic, underline;
};

// The distinct words the reference reader finds in bold, italic and underlined runs (a word
// counts when any of its characters is), words as WordsOfText has them.
FormattedWords FormattedWordsOf(const reference::Document& document) {
  FormattedWords out;
  std::string word;
  bool bold = false, italic = false, underline = false;
  auto end_word = [&] {
    if (word.empty()) return;
    if (bold) out.bold.insert(word);
    if (italic) out.italic.insert(word);
    if (underline) out.underline.insert(word);
    word.clear();
    bold = italic = underline = false;
  };
  for (const reference::Paragraph& paragraph : document.paragraphs) {
    for (const reference::Run& run : paragraph.runs) {
      for (size_t i = 0; i < run.text.size();) {
        const size_t start = i;
        if (!IsWordCharacter(NextCodePoint(run.text, &i))) {
          end_word();
          continue;
        }
        word.append(run.text, start, i - start);
        bold |= run.style.bold;
        italic |= run.style.italic;
        underline |= run.style.underline;
      }
    }
    end_word();
  }
  return out;
}

// What the source asks of a page: its words, formatted words and features.
struct Source {
  WordCounts words;
  FormattedWords formatted;
  SourceFeatures features;
};

// The source's words and formatted words with those the reference reader misreads left out:
// each word at most as often as the structured reader finds it.
void LeaveOutMisreadWords(std::string_view rtf, Source& source) {
  std::string text;
  model::AppendPlainText(ReadRtfDocument(rtf), model::WithNotes::kYes, text);
  const WordCounts read = WordsOfText(text);
  for (auto it = source.words.begin(); it != source.words.end();) {
    const auto found = read.find(it->first);
    it->second = std::min(it->second, found == read.end() ? 0L : found->second);
    it = it->second == 0 ? source.words.erase(it) : std::next(it);
  }
  for (std::set<std::string>* words :
       {&source.formatted.bold, &source.formatted.italic, &source.formatted.underline}) {
    std::erase_if(*words, [&source](const std::string& w) { return !source.words.count(w); });
  }
}

void CheckTables(const SourceFeatures& source, const PageStructure& page, PageFigures& figures) {
  if (source.tables.empty()) return;
  std::vector<const PageTable*> shown;
  for (const PageTable& table : page.tables) {
    if (table.depth == 1) shown.push_back(&table);
  }
  std::string failure;
  if (shown.size() != source.tables.size()) {
    failure =
        std::to_string(shown.size()) + " tables, the source has " + std::to_string(source.tables.size());
  }
  for (size_t t = 0; t < source.tables.size() && t < shown.size() && failure.empty(); ++t) {
    if (source.tables[t].vertical_merges && !shown[t]->HasRowspan()) {
      failure = "table " + std::to_string(t + 1) + " has no rowspan";
    } else if (source.tables[t].NeedsColspan() && !shown[t]->HasColspan()) {
      failure = "table " + std::to_string(t + 1) + " has no colspan";
    }
  }
  figures.Record(Check::kTables, failure.empty(), failure);
}

PageFigures FiguresOf(const Conversion& conversion, const Source& source) {
  PageFigures figures;
  figures.model_page = conversion.reading == RtfReading::kModel;
  figures.CountWords(source.words, WordsOfPage(conversion.page));
  const PageStructure page = ReadPageStructure(conversion.page, IsWordCharacter);
  CheckFormattedWords(Check::kBold, source.formatted.bold, page.bold, figures);
  CheckFormattedWords(Check::kItalic, source.formatted.italic, page.italic, figures);
  CheckFormattedWords(Check::kUnderline, source.formatted.underline, page.underline, figures);
  CheckTargets(source.features.external_targets, page.external_targets, figures);
  if (source.features.footnotes > 0) {
    figures.Record(Check::kNotes, page.notes_linked_both_ways >= source.features.footnotes,
                   std::to_string(page.notes_linked_both_ways) + " notes linked both ways of " +
                       std::to_string(source.features.footnotes));
  }
  CheckTables(source.features, page, figures);
  if (source.features.nested_tables) {
    figures.Record(Check::kNested, page.NestedTables() > 0, "no table inside a cell");
  }
  CheckMarkers(source.features.list_markers, page.line_starts, figures);
  if (source.features.pictures > 0) {
    figures.Record(
        Check::kPictures, page.images >= source.features.pictures,
        std::to_string(page.images) + " <img> of " + std::to_string(source.features.pictures) + " pictures");
  }
  return figures;
}

Settings EngineSettings(const char* engine) {
  Settings settings;
  settings.rtfengine = engine;
  return settings;
}

TEST(CorpusFidelityTest, PagesKeepTheWordsAndStructureOfTheirDocuments) {
  const std::vector<CorpusDocument> documents = CorpusDocuments();
  if (documents.empty()) GTEST_SKIP() << "no corpus at " << CorpusDir();
  const char* after_engine = std::getenv("TESSARINE_FIDELITY_AFTER");
  const std::string after_name = after_engine != nullptr ? after_engine : "auto";
  const Settings passes_settings = EngineSettings("passes"),
                 auto_settings = EngineSettings(after_name.c_str());
  const char* missing_in = std::getenv("TESSARINE_FIDELITY_MISSING");
  FidelityTable table;
  for (const CorpusDocument& doc : documents) {
    std::string raw;
    if (!ReadFileBytes(CorpusDir() / doc.path, &raw).ok()) continue;
    const std::string text = JoinLinesWithCrLf(raw);
    Source source{WordsOfText(reference::ExtractPlainText(raw)),
                  FormattedWordsOf(reference::ReadDocument(raw)), ReadSourceFeatures(raw)};
    if (reference::FindKnownMisreading(doc.path) != nullptr) LeaveOutMisreadWords(raw, source);
    const Conversion passes = ConvertRtfDocument(text, passes_settings);
    const Conversion automatic = ConvertRtfDocument(text, auto_settings);
    const PageFigures before = FiguresOf(passes, source), after = FiguresOf(automatic, source);
    table.Add(doc.writer, before, after);
    if (std::getenv("TESSARINE_FIDELITY_FILES") != nullptr) PrintDocumentFigures(doc.path, before, after);
    if (missing_in != nullptr && doc.path.find(missing_in) != std::string::npos) {
      for (const auto& [engine, conversion, figures] :
           {std::tuple{"passes", &passes, &before}, std::tuple{after_name.c_str(), &automatic, &after}}) {
        std::printf("%s, %s page: missing words\n", doc.path.c_str(), engine);
        PrintMissing(source.words, WordsOfPage(conversion->page));
        for (const std::string& failure : figures->failures) std::printf("  %s\n", failure.c_str());
      }
    }
  }
  PrintFidelityTable("Corpus", after_name, table);
  if (after_name != "auto") return;
  EXPECT_GE(table.all.passes.CountedShare(), kPassesCountedFloor);
  EXPECT_GE(table.all.automatic.DistinctShare(), kAutoDistinctFloor);
  EXPECT_GE(table.all.automatic.CountedShare(), kAutoCountedFloor);
  EXPECT_GE(table.all.automatic.StructureShare(), kAutoStructureFloor);
  for (const WriterFloor& floor : kWriterFloors) {
    const auto it = table.writers.find(floor.writer);
    if (it == table.writers.end()) continue;  // a corpus without that writer's documents
    EXPECT_GE(it->second.automatic.DistinctShare(), floor.distinct) << floor.writer;
    EXPECT_GE(it->second.automatic.StructureShare(), floor.structure) << floor.writer;
  }
}

}  // namespace
}  // namespace tessarine::testing
