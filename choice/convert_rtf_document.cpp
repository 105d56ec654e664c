#include "choice/convert_rtf_document.h"

#include <system_error>
#include <thread>
#include <variant>

#include "choice/words.h"
#include "model_page/pictures.h"
#include "model_page/write_page.h"
#include "passes/pipeline/convert_rtf.h"
#include "reader/read_rtf.h"

namespace tessarine {

namespace {

bool HasShownPicture(const model::Document& document) {
  for (const model::Picture& picture : document.pictures) {
    if (IsShownFormat(picture.format)) return true;
  }
  return false;
}

// A table inside a table's cell: the passes lay nested tables out as rows of the outer one.
bool HasNestedTable(const model::Document& document) {
  for (const model::Block& block : document.body) {
    const auto* table = std::get_if<model::Table>(&block.content);
    if (table == nullptr) continue;
    for (const model::Row& row : table->rows) {
      for (const model::Cell& cell : row.cells) {
        for (const model::Block& inner : cell.blocks) {
          if (std::holds_alternative<model::Table>(inner.content)) return true;
        }
      }
    }
  }
  return false;
}

Conversion ModelPage(const model::Document& document, const Settings& settings,
                     const ProgressSink& progress) {
  Conversion page = WriteModelPage(document, settings, progress);
  page.reading = RtfReading::kModel;
  return page;
}

}  // namespace

bool RtfEngineFromName(std::string_view name, RtfEngine* engine) {
  for (RtfEngine e : {RtfEngine::kAuto, RtfEngine::kPasses, RtfEngine::kModel}) {
    if (name == RtfEngineName(e)) {
      *engine = e;
      return true;
    }
  }
  return false;
}

std::string_view RtfEngineName(RtfEngine engine) {
  switch (engine) {
    case RtfEngine::kPasses:
      return "passes";
    case RtfEngine::kModel:
      return "model";
    case RtfEngine::kAuto:
      break;
  }
  return "auto";
}

RtfEngine RtfEngineOf(const Settings& settings) {
  RtfEngine engine = RtfEngine::kAuto;
  return RtfEngineFromName(settings.rtfengine, &engine) ? engine : RtfEngine::kAuto;
}

// The words rule of PassesKeepDocument, with the words of the document already taken.
bool PassesKeep(std::string_view passes_page, const model::Document& document, const WordSet& read) {
  if (HasShownPicture(document) || HasNestedTable(document)) return false;
  WordSet kept;
  AddPageWords(passes_page, kept);
  if (!read.IsSubsetOf(kept)) return false;
  // The page's own numbers (of notes, of their marks) are no words of the document.
  return kept.size() == read.size() || kept.OnlyNumbersNotIn(read);
}

bool PassesKeepDocument(std::string_view passes_page, const model::Document& document) {
  WordSet read;
  AddDocumentWords(document, read);
  return PassesKeep(passes_page, document, read);
}

Conversion ConvertRtfDocument(std::string_view bytes, const Settings& settings,
                              const ProgressSink& progress) {
  return ConvertRtfDocument(DocumentBytes(std::string(bytes)), settings, progress);
}

Conversion ConvertRtfDocument(const DocumentBytes& document, const Settings& settings,
                              const ProgressSink& progress) {
  const RtfEngine engine = RtfEngineOf(settings);
  if (engine == RtfEngine::kModel) return ModelPage(ReadRtfDocument(document.bytes()), settings, progress);
  if (engine == RtfEngine::kPasses) {
    Conversion passes = ConvertRtf(document.text(), settings, progress);
    passes.reading = RtfReading::kPasses;
    return passes;
  }

  // Automatically: both readings. The structured one runs beside the passes when a thread can
  // be had (they share nothing but the document, which neither changes), else after them.
  model::Document read;
  WordSet read_words;
  auto read_document = [&] {
    read = ReadRtfDocument(document.bytes());
    AddDocumentWords(read, read_words);
  };
  std::thread beside;
  try {
    beside = std::thread(read_document);
  } catch (const std::system_error&) {
  }
  Conversion passes = ConvertRtf(document.text(), settings, progress);
  passes.reading = RtfReading::kPasses;
  if (beside.joinable()) {
    beside.join();
  } else {
    read_document();
  }
  if (passes.refusal == Refusal::kNotRtf) {
    if (read_words.size() == 0 && !HasShownPicture(read)) return passes;
  } else if (PassesKeep(passes.page, read, read_words)) {
    return passes;
  }
  passes = Conversion();  // its storage goes before the model's page is written
  return ModelPage(read, settings, {});
}

}  // namespace tessarine
