// The passes' page compared with the document while the passes write its body, so that they
// stop as soon as their page cannot show the document (page_agreement.h says when it does).
//
// The page's head is known only once the passes are done (its stylesheet says whether the page
// has tables, links and notes): the body is read after the head the page would get now, and
// when that disagrees, again after each other head it may still get; the passes stop when every
// one of them disagrees. The document is read on another thread: nothing is compared before it
// is ready, and at most the first kComparedBody bytes of the body are compared on the way (the
// rest once the page is done). Before the whole document is ready, its opening may be
// (document_opening.h): the body is compared with that meanwhile, and a disagreement before the
// opening ends stops the passes too.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "choice/page_agreement.h"
#include "model/document.h"
#include "passes/pipeline/body_watch.h"
#include "settings/settings.h"

namespace tessarine {

class BodyComparison final : public BodyWatch {
 public:
  static constexpr size_t kComparedBody = size_t{256} << 10;

  // `document` is null until the document is read (then stored with release order), and so is
  // `opening`, when given, until the document's first blocks are; they, the documents and
  // `settings` must outlive the comparison.
  BodyComparison(const Settings& settings, const std::atomic<const model::Document*>& document,
                 const std::atomic<const model::Document*>* opening = nullptr);

  bool Look(std::string_view body, const StylesheetFlags& flags) override;

  // Whether the passes were stopped: their page cannot show the document.
  bool stopped() const { return stopped_; }
  // Whether they were stopped by the document's opening (true only when stopped() is): then the
  // opening must still show what the whole document shows of it (DocumentOpening::HoldsFor).
  bool stopped_by_opening() const { return stopped_ && heads_ == &opening_; }

  // The passes are done and `page` is their page: whether it shows the document, from what was
  // compared on the way and the rest of the page; nullopt when nothing compared on the way is
  // known to be a part of this page (then the page is still to be compared whole).
  std::optional<bool> ShowsDocument(std::string_view page);

 private:
  // One head the page may get: its stylesheet's flags as an index (tables or sections, links,
  // notes), the comparison of what was read after it.
  struct Reading {
    std::optional<PageAgreement> agreement;
    bool agrees = true;   // no disagreement found that counts
    bool reading = true;  // what comes may still disagree
    bool current = true;  // the page may still get it; once read, it has read all of `body_`
  };
  // The heads read after one document: the whole, or its opening, where a disagreement found
  // once the opening has ended does not count.
  struct Heads {
    const model::Document* document = nullptr;  // null: none is read yet
    bool opening = false;
    std::array<Reading, 8> readings;
  };
  static size_t IndexOf(bool tables, bool links, bool notes) {
    return (tables ? 4 : 0) | (links ? 2 : 0) | (notes ? 1 : 0);
  }
  // Whether the page may still end with the head of `index`, the flags standing as they do.
  static bool Possible(size_t index, const StylesheetFlags& flags);
  // Compares `piece` as the next of the page read after the head of `reading`.
  static void Advance(Reading& reading, std::string_view piece, bool opening);
  // Reads the head of `index` and the body compared so far.
  void Begin(Heads& heads, size_t index);
  // Drops the heads the page can no longer get; whether one of the others read agrees.
  static bool AnyAgrees(Heads& heads, const StylesheetFlags& flags);
  // The heads to read after, the whole document once it is ready; null while neither it nor its
  // opening is.
  Heads* HeadsNow();

  const Settings& settings_;
  const std::atomic<const model::Document*>& document_;
  const std::atomic<const model::Document*>* opening_document_;
  Heads whole_;
  Heads opening_{nullptr, true, {}};
  Heads* heads_ = nullptr;                 // the heads read now
  std::array<std::string, 8> head_texts_;  // the heads' texts, by index, once needed
  bool done_ = false;                      // no more of the body is compared on the way
  bool stopped_ = false;
  std::string body_;     // the body compared so far, without its control characters
  size_t taken_ = 0;     // how much of the passes' body that is
  size_t final_ = 0;     // the body up to here stays as it is
  size_t searched_ = 0;  // the body up to here was searched for the last '>'
};

}  // namespace tessarine
