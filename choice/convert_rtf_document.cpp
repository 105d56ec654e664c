#include "choice/convert_rtf_document.h"

#include "choice/words.h"
#include "model_page/write_page.h"
#include "passes/pipeline/convert_rtf.h"
#include "reader/read_rtf.h"

namespace tessarine {

namespace {

bool HasShownPicture(const model::Document& document) {
  for (const model::Picture& picture : document.pictures) {
    if (picture.format == model::PictureFormat::kPng || picture.format == model::PictureFormat::kJpeg)
      return true;
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

bool PassesKeepDocument(std::string_view passes_page, const model::Document& document) {
  if (HasShownPicture(document)) return false;
  WordSet read;
  AddDocumentWords(document, read);
  WordSet kept;
  AddPageWords(passes_page, kept);
  if (!read.IsSubsetOf(kept)) return false;
  // The page's own numbers (of notes, of their marks) are no words of the document.
  return kept.size() == read.size() || kept.OnlyNumbersNotIn(read);
}

Conversion ConvertRtfDocument(std::string_view document, const Settings& settings,
                              const ProgressSink& progress) {
  const RtfEngine engine = RtfEngineOf(settings);
  if (engine == RtfEngine::kModel) return ModelPage(ReadRtfDocument(document), settings, progress);

  Conversion passes = ConvertRtf(document, settings, progress);
  passes.reading = RtfReading::kPasses;
  if (engine == RtfEngine::kPasses) return passes;

  const model::Document read = ReadRtfDocument(document);
  if (passes.refusal == Refusal::kNotRtf) {
    WordSet words;
    AddDocumentWords(read, words);
    if (words.size() == 0 && !HasShownPicture(read)) return passes;
  } else if (PassesKeepDocument(passes.page, read)) {
    return passes;
  }
  return ModelPage(read, settings, {});
}

}  // namespace tessarine
