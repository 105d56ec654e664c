// The shared corpus of real documents: the reader never crashes or hangs on any of them, keeps
// the model's promises, and finds every word the reference reader (the RTF pane's reader until
// the pane read through this one) finds, except where that reader is wrong; each such document is
// listed in known_misreadings.h with the words it lacks and why.
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
#include "tests/support/corpus_manifest.h"
#include "tests/support/paths.h"
#include "tests/support/reference_reader/known_misreadings.h"
#include "tests/support/reference_reader/rtf_document.h"
#include "tests/support/time_bound.h"

namespace tessarine::testing {
namespace {

// Documents where the reference reader finds words this reader does not, with the count and why
// the reference reader is wrong there: reference::kKnownMisreadings.
long KnownMissing(const std::string& path) {
  const reference::KnownMisreading* known = reference::FindKnownMisreading(path);
  return known != nullptr ? known->words : 0;
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
  const std::vector<CorpusDocument> documents = CorpusDocuments();
  if (documents.empty()) GTEST_SKIP() << "no corpus at " << CorpusDir();
  const TimeBound bound(600);
  struct Tally {
    long files = 0, pane = 0, ours = 0, found = 0;
  };
  std::map<std::string, Tally> by_writer;
  Tally all;
  for (const CorpusDocument& doc : documents) {
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
