// Blocks in the page: paragraphs, tables (nested tables inside their cells) and, in the body,
// sections whose columns become a borderless table.
#pragma once

#include <cstdint>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>

#include "model/document.h"
#include "model_page/page_context.h"
#include "page/progress.h"

namespace tessarine {

// Where blocks stand: the stylesheet gives paragraphs in cells other margins and no indent, and
// notes have their own size.
enum class Place : uint8_t { kBody, kCell, kNote };

struct BlockPlace {
  Place place = Place::kBody;
  int table_depth = 0;  // tables around the blocks: 0 in the body and in notes
};

// Appends `blocks`. A table deeper than model::kMaxTableDepth is left out; section breaks count
// only in the body (WriteBody).
void WriteBlocks(PageContext& context, std::string& out, std::span<const model::Block> blocks,
                 BlockPlace place);

// The writing of the body: its sections, those with more than one column laid out as columns.
// A large body is cut in two halves, and the second is written on a thread of its own from the
// moment this is made, into a page of its own put after the first, unless something in it
// depends on the first (a note's mark, a bookmark): then it is written after the first.
class BodyWriting {
 public:
  // With `owned`, the page's document given up by its caller, the second half's blocks are let
  // go on their thread as soon as they are written.
  explicit BodyWriting(PageContext& context, model::Document* owned = nullptr);
  ~BodyWriting();
  BodyWriting(const BodyWriting&) = delete;
  BodyWriting& operator=(const BodyWriting&) = delete;

  // Appends the body (once). Moves `progress` from 0 to 25 as `out` grows towards
  // `expected_size`. Until it is called, the whole document may still be read by others.
  void Write(std::string& out, Progress& progress, size_t expected_size);

 private:
  PageContext& context_;
  size_t cut_ = 0;  // the blocks of the first half
  int cut_columns_ = 1;
  std::optional<PageContext> other_;  // the second half's
  std::string second_;
  bool second_written_ = false;
  void Begin();  // tells the second half's thread that Write has begun
  bool began_ = false;
  std::mutex mutex_;
  std::condition_variable begun_;
  std::thread beside_;
};

// Appends the body, as BodyWriting does.
void WriteBody(PageContext& context, std::string& out, Progress& progress, size_t expected_size);

// The length of the text of `blocks`: bytes of UTF-8 text and list markers, 1 for each tab, note
// mark and picture, tables deeper than model::kMaxTableDepth left out. 0 when nothing shows.
size_t TextLength(std::span<const model::Block> blocks, int table_depth = 0);

}  // namespace tessarine
