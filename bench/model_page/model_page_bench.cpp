// The model's page writer on large documents built in code: MB/s of page written. The whole
// program (reader and writer) must reach 150 MB/s, so the writer alone must be well above it.
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "model/document.h"
#include "model_page/write_page.h"

namespace tessarine {
namespace {

model::Inline Run(std::string text, bool bold = false, bool italic = false, int32_t font = 0,
                  int32_t size = 24) {
  model::Inline item;
  item.text = std::move(text);
  item.format.bold = bold;
  item.format.italic = italic;
  item.format.font = font;
  item.format.half_points = size;
  return item;
}

model::Inline Item(model::InlineKind kind, std::string text = {}, uint32_t index = 0) {
  model::Inline item;
  item.kind = kind;
  item.text = std::move(text);
  item.index = index;
  return item;
}

model::Block Paragraph(std::vector<model::Inline> inlines, model::ParagraphFormat format = {}) {
  model::Block block;
  auto& paragraph = block.content.emplace<model::Paragraph>();
  paragraph.format = std::move(format);
  paragraph.inlines = std::move(inlines);
  return block;
}

// A document as a word processor of the LibreOffice kind writes it: paragraphs of Russian and
// English text with bold and italic words, list items, a table every 40 paragraphs, links and
// footnotes now and then; about `text_bytes` of UTF-8 text.
model::Document OfficeDocument(size_t text_bytes) {
  const std::string russian = "Съешь же ещё этих мягких французских булок, да выпей чаю. ";
  const std::string english = "The quick brown fox jumps over the lazy dog near the river bank. ";
  model::Document document;
  document.fonts = {"Liberation Serif", "Liberation Sans", "Arial"};
  size_t written = 0;
  for (size_t n = 0; written < text_bytes; ++n) {
    if (n % 40 == 39) {
      model::Table table;
      for (int r = 0; r < 4; ++r) {
        model::Row row;
        for (int c = 0; c < 3; ++c) {
          model::Cell cell;
          cell.right_twips = 3000 * (c + 1);
          cell.blocks.push_back(Paragraph({Run(c % 2 ? russian : english)}));
          written += russian.size();
          row.cells.push_back(std::move(cell));
        }
        table.rows.push_back(std::move(row));
      }
      document.body.emplace_back().content.emplace<model::Table>(std::move(table));
      continue;
    }
    model::ParagraphFormat format;
    if (n % 10 < 3) {
      format.list = 1;
      format.list_level = static_cast<int>(n % 3);
      format.list_marker = std::to_string(n % 10 + 1) + ".";
      format.left_twips = 720 * (format.list_level + 1);
    }
    if (n % 7 == 0) format.alignment = model::Alignment::kJustify;
    std::vector<model::Inline> inlines;
    for (int part = 0; part < 4; ++part) {
      inlines.push_back(Run(russian + english));
      inlines.push_back(Run("важное", true));
      inlines.push_back(Run(" and ", false, false, 1));
      inlines.push_back(Run("emphasis", false, true, 0, 28));
      written += russian.size() + english.size() + 21;
    }
    if (n % 25 == 0) {
      inlines.push_back(
          Item(model::InlineKind::kLinkStart, "http://example.com/page?id=" + std::to_string(n)));
      inlines.push_back(Run("ссылка"));
      inlines.push_back(Item(model::InlineKind::kLinkEnd));
    }
    if (n % 50 == 0) {
      inlines.push_back(Item(model::InlineKind::kNoteMark, {}, static_cast<uint32_t>(document.notes.size())));
      model::Note note;
      note.blocks.push_back(Paragraph({Run("Примечание к абзацу " + std::to_string(n) + ".")}));
      document.notes.push_back(std::move(note));
    }
    document.body.push_back(Paragraph(std::move(inlines), std::move(format)));
  }
  return document;
}

// One run per paragraph: the text encoding alone.
model::Document PlainDocument(size_t text_bytes) {
  const std::string line = "Обычный текст абзаца, в котором нет ничего, кроме слов. Plain words as well. ";
  model::Document document;
  for (size_t written = 0; written < text_bytes; written += line.size() * 5) {
    document.body.push_back(Paragraph({Run(line + line + line + line + line)}));
  }
  return document;
}

void Measure(benchmark::State& state, const model::Document& document) {
  const Settings settings;
  size_t page_size = 0;
  for (auto _ : state) {
    Conversion page = WriteModelPage(document, settings);
    page_size = page.page.size();
    benchmark::DoNotOptimize(page.page.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page_size));
  state.counters["page_MB"] = static_cast<double>(page_size) / 1048576.0;
}

void BM_ModelPageOfficeDocument(benchmark::State& state) {
  const model::Document document = OfficeDocument(static_cast<size_t>(state.range(0)) << 20);
  Measure(state, document);
}
BENCHMARK(BM_ModelPageOfficeDocument)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_ModelPagePlainText(benchmark::State& state) {
  const model::Document document = PlainDocument(static_cast<size_t>(state.range(0)) << 20);
  Measure(state, document);
}
BENCHMARK(BM_ModelPagePlainText)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessarine
