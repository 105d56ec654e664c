// tessarine-read-document FILE: reads an RTF file with the structured reader and prints what the
// model holds (blocks, paragraphs, tables, notes, pictures, words), for whole-program timings and
// peak memory (scripts/bench.sh runs it under /usr/bin/time). Tables nest at most
// model::kMaxTableDepth deep, so the walks' recursion is bounded.
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "base/file_text.h"
#include "base/huge_pages.h"
#include "reader/read_rtf.h"

namespace {

struct Counts {
  long blocks = 0, paragraphs = 0, tables = 0;
};

void Count(const std::vector<tessarine::model::Block>& blocks, Counts& counts) {
  for (const tessarine::model::Block& block : blocks) {
    ++counts.blocks;
    if (std::holds_alternative<tessarine::model::Paragraph>(block.content)) ++counts.paragraphs;
    if (const auto* table = std::get_if<tessarine::model::Table>(&block.content)) {
      ++counts.tables;
      for (const tessarine::model::Row& row : table->rows) {
        for (const tessarine::model::Cell& cell : row.cells) Count(cell.blocks, counts);
      }
    }
  }
}

// Runs of characters between spaces, tabs and line ends, in the text items of `blocks` (list
// markers left out). Counted in place: no copy of the document's text.
void CountWords(const std::vector<tessarine::model::Block>& blocks, long& words) {
  for (const tessarine::model::Block& block : blocks) {
    if (const auto* paragraph = std::get_if<tessarine::model::Paragraph>(&block.content)) {
      for (const tessarine::model::Inline& item : paragraph->inlines) {
        bool in_word = false;  // a word never runs on across items: good enough for a count
        for (char c : item.text) {
          const bool space = c == ' ';
          if (!space && !in_word) ++words;
          in_word = !space;
        }
      }
    } else if (const auto* table = std::get_if<tessarine::model::Table>(&block.content)) {
      for (const tessarine::model::Row& row : table->rows) {
        for (const tessarine::model::Cell& cell : row.cells) CountWords(cell.blocks, words);
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tessarine;
  if (argc != 2) {
    std::fprintf(stderr, "usage: tessarine-read-document FILE\n");
    return 2;
  }
  // Read as tessarine-convert reads its files, on the same heap, so that the two compare.
  GrowHeapOnHugePages();
  DocumentBytes file;
  const Status read = ReadDocumentFile(argv[1], &file);
  if (!read.ok()) {
    std::fprintf(stderr, "%s: %s\n", argv[1], read.message().c_str());
    return 1;
  }
  const model::Document document = ReadRtfDocument(file.bytes());
  Counts counts;
  long words = 0;
  Count(document.body, counts);
  CountWords(document.body, words);
  for (const model::Note& note : document.notes) {
    Count(note.blocks, counts);
    CountWords(note.blocks, words);
  }
  std::printf("blocks %ld paragraphs %ld tables %ld notes %zu pictures %zu words %ld\n", counts.blocks,
              counts.paragraphs, counts.tables, document.notes.size(), document.pictures.size(), words);
  return 0;
}
