#include "model_page/write_page.h"

#include <span>
#include <string>

#include "base/huge_pages.h"
#include "model_page/blocks.h"
#include "model_page/encapsulated_html.h"
#include "model_page/notes.h"
#include "model_page/page_context.h"
#include "model_page/text_encoding.h"
#include "page/progress.h"
#include "page/rtf_page.h"

namespace tessarine {

namespace {

// What the body of `blocks` will take, roughly: its text and pictures and some markup for each
// paragraph, run and cell. Only a reservation; bounded like every walk of the model.
size_t ExpectedSize(std::span<const model::Block> blocks, const model::Document& document, int depth) {
  size_t size = 0;
  for (const model::Block& block : blocks) {
    if (const auto* paragraph = std::get_if<model::Paragraph>(&block.content)) {
      size += 32 + paragraph->format.list_marker.size();
      for (const model::Inline& item : paragraph->inlines) {
        size += 32 + item.text.size();
        if (item.kind == model::InlineKind::kPicture && item.index < document.pictures.size()) {
          size += document.pictures[item.index].data.size() / 3 * 4 + 128;
        }
      }
    } else if (const auto* table = std::get_if<model::Table>(&block.content)) {
      if (depth >= model::kMaxTableDepth) continue;
      size += 48;
      for (const model::Row& row : table->rows) {
        size += 16;
        for (const model::Cell& cell : row.cells) size += 24 + ExpectedSize(cell.blocks, document, depth + 1);
      }
    }
  }
  return size;
}

}  // namespace

namespace {

Conversion WritePage(const model::Document& document, model::Document* owned, const Settings& settings,
                     const ProgressSink& progress);

}  // namespace

Conversion WriteModelPage(const model::Document& document, const Settings& settings,
                          const ProgressSink& progress) {
  return WritePage(document, nullptr, settings, progress);
}

Conversion WriteModelPage(model::Document&& document, const Settings& settings, const ProgressSink& progress) {
  return WritePage(document, &document, settings, progress);
}

namespace {

Conversion WritePage(const model::Document& document, model::Document* owned, const Settings& settings,
                     const ProgressSink& progress) {
  Progress bar(progress);
  Conversion result;
  StylesheetFlags flags;
  std::string body;
  std::string notes;
  // Encapsulated HTML without any markup is no HTML message: its RTF reading shows it better.
  const bool from_html = document.from_html && HoldsMarkup(document.html);
  if (from_html) {
    body.reserve(document.html.size() + document.html.size() / 8 + kPageHeadRoom);
    AppendEncapsulatedHtml(body, document.html, flags);
  } else {
    PageContext context(document, settings);
    BodyWriting writing(context, owned);  // a second half starts at once, beside the estimate
    const size_t expected = ExpectedSize(document.body, document, 0);
    // Twice the estimate: room that is never written costs no memory, and text that the page
    // spells longer (runs of spaces, references) seldom outgrows it.
    body.reserve(2 * expected + kPageHeadRoom);
    AdviseHugePages(body.data(), body.capacity());
    writing.Write(body, bar, expected);
    AppendNotes(context, notes);
    flags = context.flags;
  }
  bar.Set(Progress::kSteps);
  AssembleModelPage(result, settings, flags, body, notes, from_html ? model::kNoColour : document.background);
  bar.Set(0);
  return result;
}

}  // namespace

void AssembleModelPage(Conversion& result, const Settings& settings, const StylesheetFlags& flags,
                       std::string& body, std::string_view notes, model::Colour background) {
  if (background != model::kNoColour) {
    // The document's own page colour is the page's.
    Settings coloured = settings;
    coloured.bgcolor.clear();
    AppendColour(coloured.bgcolor, background);
    AssembleRtfPage(result.page, coloured, flags, body, notes);
  } else {
    AssembleRtfPage(result.page, settings, flags, body, notes);
  }
}

}  // namespace tessarine
