// tessarine-read-document FILE: reads an RTF file with the structured reader and prints what the
// model holds (blocks, paragraphs, tables, notes, pictures, words), for whole-program timings and
// peak memory (scripts/bench.sh runs it under /usr/bin/time).
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "base/file_text.h"
#include "model/plain_text.h"
#include "reader/read_rtf.h"

namespace {

struct Counts {
  long blocks = 0, paragraphs = 0, tables = 0;
};

// Tables nest at most model::kMaxTableDepth deep, so the recursion is bounded.
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

// Runs of characters between spaces, tabs and line ends.
long Words(const std::string& text) {
  long words = 0;
  bool in_word = false;
  for (char c : text) {
    const bool space = c == ' ' || c == '\t' || c == '\n';
    if (!space && !in_word) ++words;
    in_word = !space;
  }
  return words;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tessarine;
  if (argc != 2) {
    std::fprintf(stderr, "usage: tessarine-read-document FILE\n");
    return 2;
  }
  std::string bytes;
  const Status read = ReadFileBytes(argv[1], &bytes);
  if (!read.ok()) {
    std::fprintf(stderr, "%s: %s\n", argv[1], read.message().c_str());
    return 1;
  }
  const model::Document document = ReadRtfDocument(bytes);
  Counts counts;
  Count(document.body, counts);
  for (const model::Note& note : document.notes) Count(note.blocks, counts);
  std::string text;
  model::AppendPlainText(document, model::WithNotes::kYes, text);
  std::printf("blocks %ld paragraphs %ld tables %ld notes %zu pictures %zu words %ld\n", counts.blocks,
              counts.paragraphs, counts.tables, document.notes.size(), document.pictures.size(), Words(text));
  return 0;
}
