// A model page written beside its document's reading: the reader's handoff takes the body's
// finished blocks to a writer on a thread of its own, which writes them and hands them back to be
// let go on the reading's thread.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "model/document.h"
#include "model_page/streamed_page.h"
#include "page/conversion.h"
#include "page/progress.h"
#include "reader/body_handoff.h"
#include "settings/settings.h"

namespace tessarine {

// Takes the body's pieces from the reading, on the reading's thread, to the page's writing on a
// thread of its own; without a thread, the pieces are written as they come. The progress sink
// gets positions from the reading (on its thread) and the page's end.
class PageBesideReading final : public reader::BodyHandoff {
 public:
  PageBesideReading(const Settings& settings, size_t input_size, size_t piece_blocks,
                    const ProgressSink& progress);
  ~PageBesideReading() override { StopWriter(); }
  PageBesideReading(const PageBesideReading&) = delete;
  PageBesideReading& operator=(const PageBesideReading&) = delete;

  // Starts the page with the first call (unless the document is an HTML message, whose page is
  // made from its HTML: then it takes nothing), and takes all blocks but the last.
  void BodyGrew(model::Document& document, size_t read) override;

  // Whether pieces of the body were taken: the document read holds only what they left.
  bool took() const { return page_.has_value(); }

  // Ends the page with `end`, the document as read to its end; false when it has to be written
  // from the whole document (StreamedModelPage::Finish).
  bool Finish(model::Document& end, Conversion* result);

 private:
  void Send(PagePiece piece);
  void Add(PagePiece& piece);
  // On the reading's thread: lets go of the blocks written so far. Freed by the writer's thread,
  // memory the reader's allocated would keep the two waiting on each other for the allocator.
  void LetGoOfWritten();
  // The writer's thread: the pieces in order, until the reading has sent its last.
  void Write();
  void StopWriter();

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

}  // namespace tessarine
