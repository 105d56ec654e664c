#include "choice/convert_rtf_document.h"

#include <atomic>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <variant>

#include "choice/body_comparison.h"
#include "choice/document_items.h"
#include "choice/document_opening.h"
#include "choice/model_way.h"
#include "choice/page_agreement.h"
#include "choice/page_beside_reading.h"
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

// The reading of the automatic choice: it copies the body's opening for the comparison, and once
// the model's page is chosen (the passes stopped) while the reading goes on, it writes that page
// beside the rest of the reading.
class ChoiceReading final : public reader::BodyHandoff {
 public:
  ChoiceReading(const Settings& settings, size_t input_size)
      : BodyHandoff(1), settings_(settings), input_size_(input_size) {}

  void BodyGrew(model::Document& document, size_t read) override {
    opening_.BodyGrew(document, read);
    if (!page_) {
      if (!model_chosen_.load(std::memory_order_relaxed)) return;
      page_.emplace(settings_, input_size_, reader::kHandoffBlocks, ProgressSink{});
    }
    if (document.body.size() > page_->blocks()) page_->BodyGrew(document, read);
  }

  const DocumentOpening& opening() const { return opening_; }

  // From any thread: the model's page is the one; the reading writes it from its next block on.
  void ChooseModel() { model_chosen_.store(true, std::memory_order_relaxed); }

  // Once the reading is done: the page written beside it, finished with `end`, the document as
  // read; nullopt when none was, or when it has to be written from the whole document.
  std::optional<Conversion> Finish(model::Document& end) {
    if (!page_ || !page_->took()) return std::nullopt;
    taken_ = true;
    Conversion page;
    const bool done = page_->Finish(end, &page);
    page_.reset();
    if (!done) return std::nullopt;
    return page;
  }

  // Lets go of the page written beside the reading; whether it took blocks of the body since the
  // last call (which the document read no longer holds then).
  bool Forget() {
    const bool taken = taken_ || (page_ && page_->took());
    page_.reset();
    taken_ = false;
    return taken;
  }

 private:
  const Settings& settings_;
  const size_t input_size_;
  DocumentOpening opening_;
  std::atomic<bool> model_chosen_{false};
  std::optional<PageBesideReading> page_;
  bool taken_ = false;
};

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
  if (RtfEngineOf(settings) != RtfEngine::kModel)
    return ConvertRtfDocument(std::as_const(document), settings, progress);
  // A page written beside the reading is done when the reading is; else the input goes first.
  if (document.bytes().size() >= BesideReading{}.from_size)
    return ConvertByModel(document.bytes(), settings, progress);
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
  // share nothing but the document, which neither changes), else after them. Once the body's
  // opening is read, and again once the whole document is, the passes' body is compared with it
  // as they write it, and they stop as soon as their page cannot show it; else their page is
  // compared when it is done. The model's page is written only when it is the one chosen: beside
  // the rest of the reading when the passes stop before it ends, else after the passes' page has
  // gone (written beside the passes it would be held while they take the most memory, and slow
  // them).
  model::Document read;
  std::atomic<const model::Document*> ready{nullptr};
  ChoiceReading reading(settings, document.bytes().size());
  auto read_document = [&] {
    read = ReadRtfDocument(document.bytes(), reading);
    ready.store(&read, std::memory_order_release);
  };
  std::thread beside;
  try {
    beside = std::thread(read_document);
  } catch (const std::system_error&) {
  }
  std::optional<BodyComparison> comparison(std::in_place, settings, ready, &reading.opening().opening());
  Conversion passes = ConvertRtf(document.text(), settings, progress, &*comparison);
  if (comparison->stopped()) reading.ChooseModel();
  if (beside.joinable()) {
    beside.join();
  } else {
    read_document();
  }
  if (comparison->stopped_by_opening() && !reading.opening().HoldsFor(read)) {
    // The fonts the opening named became others later on (rare): the passes again, compared
    // with the whole document.
    if (reading.Forget()) read = ReadRtfDocument(document.bytes());
    comparison.emplace(settings, ready);
    passes = ConvertRtf(document.text(), settings, {}, &*comparison);
  }
  passes.reading = RtfReading::kPasses;
  if (!comparison->stopped()) {
    if (passes.refusal == Refusal::kNotRtf) {
      if (ShowsNothing(read)) return passes;
    } else {
      const std::optional<bool> shown = comparison->ShowsDocument(passes.page);
      if (shown.has_value() ? *shown : PassesPageShowsDocument(passes.page, read, settings)) return passes;
    }
    passes = Conversion();  // its storage goes before the model's page is written
  }
  if (std::optional<Conversion> page = reading.Finish(read)) {
    page->reading = RtfReading::kModel;
    return std::move(*page);
  }
  if (reading.Forget()) read = ReadRtfDocument(document.bytes());
  return ModelPage(std::move(read), settings, {});
}

}  // namespace tessarine
