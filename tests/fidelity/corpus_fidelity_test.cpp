// How many words of the corpus documents reach their pages: the text an independent reader
// finds in each document against the words of the page the converter writes.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/reference_reader/rtf_document.h"
#include "base/file_text.h"
#include "passes/pipeline/convert_rtf.h"
#include "tests/fidelity/words.h"
#include "tests/support/paths.h"

namespace tessarine::testing {
namespace {

// The lowest share of words (in percent) the corpus may keep; the measured share less a point.
constexpr double kFloorPercent = 97.1;

struct Document {
  std::string path;  // relative to the corpus folder
  std::string writer;
};

// Groups the producers of the corpus manifest into the writers they come from.
std::string WriterOf(const std::string& producer) {
  auto has = [&producer](const char* s) { return producer.find(s) != std::string::npos; };
  if (has("LibreOffice") || has("StarWriter") || has("OpenOffice") || has("StarOffice")) return "LibreOffice/StarOffice";
  if (has("Outlook")) return "Outlook";
  if (has("Word for Mac") || has("Mac")) return "Mac writers";
  if (has("Word")) return "Word";
  if (has("Riched") || has("Msftedit") || has("RichEdit") || has("WordPad")) return "WordPad/RichEdit";
  if (has("Cocoa") || has("TextEdit")) return "TextEdit";
  if (has("AbiWord")) return "AbiWord";
  if (has("pandoc")) return "pandoc";
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

TEST(CorpusFidelityTest, PagesKeepTheWordsOfTheirDocuments) {
  std::vector<Document> documents = CorpusDocuments();
  if (documents.empty()) GTEST_SKIP() << "no corpus at " << CorpusDir();
  struct Tally {
    long words = 0, kept = 0, files = 0;
  };
  std::map<std::string, Tally> by_writer;
  Tally all;
  for (const Document& doc : documents) {
    std::string raw, text;
    if (!ReadFileBytes(CorpusDir() / doc.path, &raw).ok()) continue;
    text = JoinLinesWithCrLf(raw);
    WordCounts reference = WordsOfText(reference::ExtractPlainText(raw));
    WordCounts page = WordsOfPage(ConvertRtf(text, Settings{}).page);
    long total = WordCount(reference), kept = WordsKept(reference, page);
    for (Tally* t : {&by_writer[doc.writer], &all}) {
      t->words += total;
      t->kept += kept;
      t->files += 1;
    }
    if (std::getenv("TESSARINE_FIDELITY_FILES") != nullptr) {
      std::printf("%6ld/%6ld %s\n", kept, total, doc.path.c_str());
    }
    const char* missing_in = std::getenv("TESSARINE_FIDELITY_MISSING");
    if (missing_in != nullptr && doc.path.find(missing_in) != std::string::npos) PrintMissing(reference, page);
  }
  std::printf("%-24s %6s %9s %9s %7s\n", "writer", "files", "words", "kept", "share");
  for (const auto& [writer, t] : by_writer) {
    std::printf("%-24s %6ld %9ld %9ld %6.1f%%\n", writer.c_str(), t.files, t.words, t.kept,
                t.words ? 100.0 * t.kept / t.words : 100.0);
  }
  const double share = all.words ? 100.0 * all.kept / all.words : 100.0;
  std::printf("%-24s %6ld %9ld %9ld %6.1f%%\n", "all", all.files, all.words, all.kept, share);
  EXPECT_GE(share, kFloorPercent);
}

}  // namespace
}  // namespace tessarine::testing
