// How much of the documents of real writers (tests/data/writers/) reaches their pages, for the
// passes' pages and the automatic choice's: the words of each document's expectation (its blocks
// and the texts of its notes and comments, by the expectation's own word rule) against the words
// of the page, and the structure checks of structure_checks.h against the expectation's facts,
// tables and list items. Checks a writer is exempt from do not apply to its documents.
//
// TESSARINE_FIDELITY_FILES=1 prints each document's figures; TESSARINE_FIDELITY_MISSING=<part of
// "writer/name"> prints, for the documents it names, the words each page lacks and what its
// failed checks missed. TESSARINE_FIDELITY_AFTER=model measures the model's pages instead of the
// automatic choice's (the floors are then not checked).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "choice/convert_rtf_document.h"
#include "tests/fidelity/fidelity_table.h"
#include "tests/fidelity/list_markers.h"
#include "tests/fidelity/page_structure.h"
#include "tests/fidelity/page_text.h"
#include "tests/fidelity/structure_checks.h"
#include "tests/support/paths.h"
#include "tests/support/writer_documents.h"

namespace tessarine::testing {
namespace {

// The lowest figures (in percent) of the automatic choice's pages, over all writer documents and
// for each writer's: the measured ones less a point.
constexpr double kAutoDistinctFloor = 99.0;
constexpr double kAutoCountedFloor = 99.0;
constexpr double kAutoStructureFloor = 99.0;
constexpr double kWriterFloor = 99.0;

WordCounts Count(const std::vector<std::string>& words) {
  WordCounts counts;
  for (const std::string& w : words) ++counts[w];
  return counts;
}

// The words a page of the document must hold: every block's, and every note's and comment's
// the writer writes.
WordCounts ExpectedWords(const Expectation& e) {
  std::vector<std::string> words;
  for (const ExpectedBlock& block : e.blocks) {
    for (std::string& w : block.WordsOfBlock()) words.push_back(std::move(w));
    for (const BlockFact& fact : block.facts) {
      const bool note = fact.check == "note" || fact.check == "endnote" || fact.check == "comment";
      if (!note || !fact.checked) continue;
      for (std::string& w : Words(fact.text)) words.push_back(std::move(w));
    }
  }
  return Count(words);
}

bool Checked(const BlockFact& fact, std::string_view check) {
  return fact.check == check && fact.checked;
}

// The distinct words of the expectation's `check` facts ("bold", "italic", "underline").
std::set<std::string> FormattedWords(const Expectation& e, std::string_view check) {
  std::set<std::string> words;
  for (const ExpectedBlock& block : e.blocks) {
    for (const BlockFact& fact : block.facts) {
      if (!Checked(fact, check)) continue;
      for (std::string& w : Words(fact.text)) words.insert(std::move(w));
    }
  }
  return words;
}

// A table's rows as "[colspan,rowspan ...]" lines, for comparing and for telling what differs.
std::string Shape(const std::vector<std::vector<std::pair<int, int>>>& rows) {
  std::string out;
  for (const auto& row : rows) {
    out += "[";
    for (const auto& [colspan, rowspan] : row) {
      out += " " + std::to_string(colspan) + "," + std::to_string(rowspan);
    }
    out += " ]";
  }
  return out;
}

std::string ShapeOf(const ExpectedTable& table) {
  std::vector<std::vector<std::pair<int, int>>> rows;
  for (const auto& row : table.rows) {
    rows.emplace_back();
    for (const ExpectedCell& cell : row) rows.back().emplace_back(cell.colspan, cell.rowspan);
  }
  return Shape(rows);
}

std::string ShapeOf(const PageTable& table) {
  std::vector<std::vector<std::pair<int, int>>> rows;
  for (const auto& row : table.rows) {
    rows.emplace_back();
    for (const PageCell& cell : row) rows.back().emplace_back(cell.colspan, cell.rowspan);
  }
  return Shape(rows);
}

// The words of a table's first cell: its own blocks' words.
std::vector<std::string> FirstCellWords(const Expectation& e, const ExpectedTable& table) {
  std::vector<std::string> words;
  if (table.rows.empty() || table.rows[0].empty()) return words;
  for (size_t b : table.rows[0][0].blocks) {
    for (std::string& w : e.blocks[b].WordsOfBlock()) words.push_back(std::move(w));
  }
  return words;
}

// The page's table that stands for `table`: the first not yet taken whose first cell has the
// same words; nullptr when there is none.
const PageTable* FindTable(const Expectation& e, const ExpectedTable& table, const PageStructure& page,
                           std::set<const PageTable*>& taken) {
  const std::vector<std::string> words = FirstCellWords(e, table);
  for (const PageTable& shown : page.tables) {
    if (taken.count(&shown) || shown.rows.empty() || shown.rows[0].empty()) continue;
    if (Words(shown.rows[0][0].text) != words) continue;
    taken.insert(&shown);
    return &shown;
  }
  return nullptr;
}

// Every table the writer is checked for, found on the page with the same rows, cells and spans;
// every nested one inside a cell at its depth.
void CheckTables(const Expectation& e, const PageStructure& page, PageFigures& figures) {
  std::set<const PageTable*> taken;
  std::string tables_failure, nested_failure;
  bool any = false, any_nested = false;
  for (size_t t = 0; t < e.tables.size(); ++t) {
    const ExpectedTable& table = e.tables[t];
    if (!table.checked) continue;
    any = true;
    any_nested |= table.depth > 1;
    const std::string name = "table " + std::to_string(t + 1);
    const PageTable* shown = FindTable(e, table, page, taken);
    if (shown == nullptr) {
      if (tables_failure.empty()) tables_failure = name + " not found";
      if (table.depth > 1 && nested_failure.empty()) nested_failure = name + " not found";
      continue;
    }
    if (ShapeOf(*shown) != ShapeOf(table) && tables_failure.empty()) {
      tables_failure = name + " is " + ShapeOf(*shown) + ", expected " + ShapeOf(table);
    }
    if (table.depth > 1 && shown->depth != table.depth && nested_failure.empty()) {
      nested_failure =
          name + " at depth " + std::to_string(shown->depth) + ", expected " + std::to_string(table.depth);
    }
  }
  if (any) figures.Record(Check::kTables, tables_failure.empty(), tables_failure);
  if (any_nested) figures.Record(Check::kNested, nested_failure.empty(), nested_failure);
}

PageFigures FiguresOf(const Conversion& conversion, const Expectation& e) {
  PageFigures figures;
  figures.model_page = conversion.reading == RtfReading::kModel;
  figures.CountWords(ExpectedWords(e), Count(Words(PageText(conversion.page))));
  const PageStructure page = ReadPageStructure(conversion.page, IsWordChar);
  CheckFormattedWords(Check::kBold, FormattedWords(e, "bold"), page.bold, figures);
  CheckFormattedWords(Check::kItalic, FormattedWords(e, "italic"), page.italic, figures);
  CheckFormattedWords(Check::kUnderline, FormattedWords(e, "underline"), page.underline, figures);
  std::vector<std::string> targets, markers;
  int notes = 0, pictures = 0;
  for (const ExpectedBlock& block : e.blocks) {
    if (block.kind == BlockKind::kItem && block.list_checked) markers.push_back(NormalMarker(block.marker));
    for (const BlockFact& fact : block.facts) {
      if (Checked(fact, "link")) targets.push_back(fact.argument);
      if (Checked(fact, "note") || Checked(fact, "endnote")) ++notes;
      if (Checked(fact, "picture") && !fact.argument.starts_with("wmf") &&
          !fact.argument.starts_with("emf")) {
        ++pictures;
      }
    }
  }
  CheckTargets(targets, page.external_targets, figures);
  if (notes > 0) {
    figures.Record(
        Check::kNotes, page.notes_linked_both_ways >= notes,
        std::to_string(page.notes_linked_both_ways) + " notes linked both ways of " + std::to_string(notes));
  }
  CheckTables(e, page, figures);
  CheckMarkers(markers, page.line_starts, figures);
  if (pictures > 0) {
    figures.Record(Check::kPictures, page.images >= pictures,
                   std::to_string(page.images) + " <img> of " + std::to_string(pictures) + " pictures");
  }
  return figures;
}

// The words of `expected` the page lacks.
void PrintMissing(const WordCounts& expected, const WordCounts& shown) {
  std::string out;
  for (const auto& [word, count] : expected) {
    const auto it = shown.find(word);
    const long lack = count - (it == shown.end() ? 0 : std::min(count, it->second));
    if (lack > 0) out += " " + word + (lack > 1 ? "(" + std::to_string(lack) + ")" : "");
  }
  std::printf("  missing:%s\n", out.empty() ? " none" : out.c_str());
}

Settings EngineSettings(const char* engine) {
  Settings settings;
  settings.rtfengine = engine;
  return settings;
}

TEST(WriterFidelityTest, PagesKeepTheWordsAndStructureOfTheWritersDocuments) {
  const std::vector<WriterDocument> documents = WriterDocuments(DataDir() / "writers");
  ASSERT_FALSE(documents.empty());
  const char* after_engine = std::getenv("TESSARINE_FIDELITY_AFTER");
  const std::string after_name = after_engine != nullptr ? after_engine : "auto";
  const Settings passes_settings = EngineSettings("passes"),
                 auto_settings = EngineSettings(after_name.c_str());
  const char* missing_in = std::getenv("TESSARINE_FIDELITY_MISSING");
  FidelityTable table;
  for (const WriterDocument& document : documents) {
    const Expectation e = LoadExpectation(document);
    ASSERT_TRUE(e.errors.empty()) << e.errors.front();
    std::string raw;
    ASSERT_TRUE(ReadFileBytes(document.rtf, &raw).ok());
    const std::string text = JoinLinesWithCrLf(raw);
    const Conversion passes = ConvertRtfDocument(text, passes_settings);
    const Conversion automatic = ConvertRtfDocument(text, auto_settings);
    const PageFigures before = FiguresOf(passes, e), after = FiguresOf(automatic, e);
    table.Add(document.writer, before, after);
    const std::string name = document.writer + "/" + document.name;
    if (std::getenv("TESSARINE_FIDELITY_FILES") != nullptr) PrintDocumentFigures(name, before, after);
    if (missing_in != nullptr && name.find(missing_in) != std::string::npos) {
      for (const auto& [engine, conversion, figures] :
           {std::tuple{"passes", &passes, &before}, std::tuple{after_name.c_str(), &automatic, &after}}) {
        std::printf("%s, %s page:\n", name.c_str(), engine);
        PrintMissing(ExpectedWords(e), Count(Words(PageText(conversion->page))));
        for (const std::string& failure : figures->failures) std::printf("  %s\n", failure.c_str());
      }
    }
  }
  PrintFidelityTable("Writer documents", after_name, table);
  if (after_name != "auto") return;
  EXPECT_GE(table.all.automatic.DistinctShare(), kAutoDistinctFloor);
  EXPECT_GE(table.all.automatic.CountedShare(), kAutoCountedFloor);
  EXPECT_GE(table.all.automatic.StructureShare(), kAutoStructureFloor);
  for (const auto& [writer, comparison] : table.writers) {
    EXPECT_GE(comparison.automatic.DistinctShare(), kWriterFloor) << writer;
    EXPECT_GE(comparison.automatic.StructureShare(), kWriterFloor) << writer;
  }
}

}  // namespace
}  // namespace tessarine::testing
