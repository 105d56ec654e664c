#include "choice/page_beside_reading.h"

#include <system_error>
#include <utility>

namespace tessarine {

PageBesideReading::PageBesideReading(const Settings& settings, size_t input_size, size_t piece_blocks,
                                     const ProgressSink& progress)
    : BodyHandoff(piece_blocks), settings_(settings), input_size_(input_size), bar_(progress) {}

void PageBesideReading::BodyGrew(model::Document& document, size_t read) {
  if (declined_) return;
  if (!page_) {
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

bool PageBesideReading::Finish(model::Document& end, Conversion* result) {
  Send(taker_.Take(end, 0));
  StopWriter();
  const bool done = !failed_ && page_->Finish(end, result);
  page_.reset();
  bar_.Set(Progress::kSteps);
  bar_.Set(0);
  return done;
}

void PageBesideReading::Send(PagePiece piece) {
  if (!writer_.joinable()) return Add(piece);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pieces_.push_back(std::move(piece));
  }
  ready_.notify_one();
}

void PageBesideReading::Add(PagePiece& piece) {
  if (failed_) return;
  try {
    page_->Add(piece);
  } catch (...) {  // out of memory: the page is written again from the whole document
    failed_ = true;
  }
}

void PageBesideReading::LetGoOfWritten() {
  std::vector<std::vector<model::Block>> written;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    written.swap(written_);
  }
}

void PageBesideReading::Write() {
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

void PageBesideReading::StopWriter() {
  if (!writer_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    done_ = true;
  }
  ready_.notify_one();
  writer_.join();
}

}  // namespace tessarine
