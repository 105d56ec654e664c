#include "choice/convert_rtf_document.h"

#include <atomic>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <variant>

#include "choice/body_comparison.h"
#include "choice/document_items.h"
#include "choice/model_way.h"
#include "choice/page_agreement.h"
#include "model_page/write_page.h"
#include "passes/pipeline/convert_rtf.h"
#include "reader/read_rtf.h"

namespace tessarine {

namespace {

Conversion ModelPage(const model::Document& document, const Settings& settings,
                     const ProgressSink& progress) {
  Conversion page = WriteModelPage(document, settings, progress);
  page.reading = RtfReading::kModel;
  return page;
}

Conversion ModelPage(model::Document&& document, const Settings& settings, const ProgressSink& progress) {
  Conversion page = WriteModelPage(std::move(document), settings, progress);
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

bool PassesPageShowsDocument(std::string_view passes_page, const model::Document& document,
                             const Settings& settings) {
  PageAgreement agreement(document, settings);
  return agreement.Read(passes_page) && agreement.Finish();
}

Conversion ConvertRtfDocument(std::string_view bytes, const Settings& settings,
                              const ProgressSink& progress) {
  return ConvertRtfDocument(DocumentBytes(std::string(bytes)), settings, progress);
}

Conversion ConvertRtfDocument(DocumentBytes&& document, const Settings& settings,
                              const ProgressSink& progress) {
  if (RtfEngineOf(settings) != RtfEngine::kModel) return ConvertRtfDocument(std::as_const(document), settings, progress);
  // A page written beside the reading is done when the reading is; else the input goes first.
  if (document.bytes().size() >= BesideReading{}.from_size) return ConvertByModel(document.bytes(), settings, progress);
  const model::Document read = ReadRtfDocument(document.bytes());
  document = DocumentBytes();  // the model holds its own copies of everything it took
  return ModelPage(read, settings, progress);
}

Conversion ConvertRtfDocument(const DocumentBytes& document, const Settings& settings,
                              const ProgressSink& progress) {
  const RtfEngine engine = RtfEngineOf(settings);
  if (engine == RtfEngine::kModel) return ConvertByModel(document.bytes(), settings, progress);
  if (engine == RtfEngine::kPasses) {
    Conversion passes = ConvertRtf(document.text(), settings, progress);
    passes.reading = RtfReading::kPasses;
    return passes;
  }

  // Automatically: the structured reading runs beside the passes when a thread can be had (they
  // share nothing but the document, which neither changes), else after them. Once the document
  // is read, the passes' body is compared with it as they write it, and they stop as soon as
  // their page cannot show it; else their page is compared when it is done. The model's page is
  // written only when it is the one chosen, after the passes' page has gone: written beside the
  // passes it would be held while they take the most memory, and slow them.
  model::Document read;
  std::atomic<const model::Document*> ready{nullptr};
  auto read_document = [&] {
    read = ReadRtfDocument(document.bytes());
    ready.store(&read, std::memory_order_release);
  };
  std::thread beside;
  try {
    beside = std::thread(read_document);
  } catch (const std::system_error&) {
  }
  BodyComparison comparison(settings, ready);
  Conversion passes = ConvertRtf(document.text(), settings, progress, &comparison);
  passes.reading = RtfReading::kPasses;
  if (beside.joinable()) {
    beside.join();
  } else {
    read_document();
  }
  if (comparison.stopped()) return ModelPage(std::move(read), settings, {});
  if (passes.refusal == Refusal::kNotRtf) {
    if (ShowsNothing(read)) return passes;
  } else {
    const std::optional<bool> shown = comparison.ShowsDocument(passes.page);
    if (shown.has_value() ? *shown : PassesPageShowsDocument(passes.page, read, settings)) return passes;
  }
  passes = Conversion();  // its storage goes before the model's page is written
  return ModelPage(std::move(read), settings, {});
}

}  // namespace tessarine
