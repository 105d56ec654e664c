#include "choice/model_way.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "model_page/streamed_page.h"
#include "model_page/write_page.h"
#include "page/progress.h"
#include "reader/body_handoff.h"
#include "reader/read_rtf.h"

namespace tessarine {

namespace {

// Takes the body's pieces from the reading, on the calling thread, to the page's writing on a
// thread of its own; without a thread, the pieces are written as they come.
class PageBesideReading final : public reader::BodyHandoff {
 public:
  PageBesideReading(const Settings& settings, size_t input_size, size_t piece_blocks, const ProgressSink& progress)
      : BodyHandoff(piece_blocks), settings_(settings), input_size_(input_size), bar_(progress) {}
  ~PageBesideReading() override { StopWriter(); }
  PageBesideReading(const PageBesideReading&) = delete;
  PageBesideReading& operator=(const PageBesideReading&) = delete;

  void BodyGrew(model::Document& document, size_t read) override {
    if (declined_) return;
    if (!page_) {
      // An HTML message's page is made from its HTML, not from its body.
      if (document.from_html) {
        declined_ = true;
        return;
      }
      page_.emplace(document, settings_, input_size_);
      try {
        writer_ = std::thread([this] { Write(); });
      } catch (const std::system_error&) {
      }
    }
    Send(taker_.Take(document, 1));
    LetGoOfWritten();
    bar_.Set(static_cast<int>(read * (Progress::kSteps - 1) / (input_size_ + 1)));
  }

  // Whether pieces of the body were taken: the document read holds only what they left.
  bool took() const { return page_.has_value(); }

  // Ends the page with `end`, the document as read to its end; false when it has to be written
  // from the whole document (StreamedModelPage::Finish).
  bool Finish(model::Document& end, Conversion* result) {
    Send(taker_.Take(end, 0));
    StopWriter();
    const bool done = !failed_ && page_->Finish(end, result);
    page_.reset();
    bar_.Set(Progress::kSteps);
    bar_.Set(0);
    return done;
  }

 private:
  void Send(PagePiece piece) {
    if (!writer_.joinable()) return Add(piece);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      pieces_.push_back(std::move(piece));
    }
    ready_.notify_one();
  }

  void Add(PagePiece& piece) {
    if (failed_) return;
    try {
      page_->Add(piece);
    } catch (...) {  // out of memory: the page is written again from the whole document
      failed_ = true;
    }
  }

  // On the reading's thread: lets go of the blocks written so far. Freed by the writer's thread,
  // memory the reader's allocated would keep the two waiting on each other for the allocator.
  void LetGoOfWritten() {
    std::vector<std::vector<model::Block>> written;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      written.swap(written_);
    }
  }

  // The writer's thread: the pieces in order, until the reading has sent its last.
  void Write() {
    std::deque<PagePiece> batch;
    for (;;) {
      {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return done_ || !pieces_.empty(); });
        if (pieces_.empty()) return;
        batch.swap(pieces_);
      }
      for (PagePiece& piece : batch) Add(piece);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        for (PagePiece& piece : batch) written_.push_back(std::move(piece.blocks));
      }
      batch.clear();
    }
  }

  void StopWriter() {
    if (!writer_.joinable()) return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    ready_.notify_one();
    writer_.join();
  }

  const Settings& settings_;
  const size_t input_size_;
  Progress bar_;
  PieceTaker taker_;
  std::optional<StreamedModelPage> page_;
  bool declined_ = false;
  bool failed_ = false;  // written only by the writer, read after it has stopped
  std::thread writer_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<PagePiece> pieces_;
  std::vector<std::vector<model::Block>> written_;  // blocks the writer is done with
  bool done_ = false;
};

Conversion Written(Conversion page) {
  page.reading = RtfReading::kModel;
  return page;
}

}  // namespace

Conversion ConvertByModel(std::string_view rtf, const Settings& settings, const ProgressSink& progress,
                          const BesideReading& options) {
  if (rtf.size() < options.from_size) return Written(WriteModelPage(ReadRtfDocument(rtf), settings, progress));
  std::optional<model::Document> end;
  {
    PageBesideReading beside(settings, rtf.size(), options.piece_blocks, progress);
    end = ReadRtfDocument(rtf, beside);
    if (!beside.took()) return Written(WriteModelPage(std::move(*end), settings, progress));
    Conversion page;
    if (beside.Finish(*end, &page)) return Written(std::move(page));
  }
  // What the body was written with changed after its start: the whole document again.
  end.reset();
  return Written(WriteModelPage(ReadRtfDocument(rtf), settings, progress));
}

}  // namespace tessarine
