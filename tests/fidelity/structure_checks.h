// The figures of one page of the fidelity tests: the share of the document's words it keeps and
// the structure checks it passes, each check applying only where the document has the construct.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fidelity/words.h"

namespace tessarine::testing {

enum class Check : uint8_t {
  kBold,       // at least 95% of the distinct bold words are bold on the page
  kItalic,     // ... italic
  kUnderline,  // ... underlined
  kLinks,      // every external link target is an <a href>
  kNotes,      // every footnote is linked both ways
  kTables,     // every table is there with its spans
  kNested,     // nested tables stand inside cells
  kLists,      // every list item's marker starts a line
  kPictures,   // every PNG and JPEG picture is an <img>
};
inline constexpr size_t kCheckCount = 9;
inline constexpr std::array<Check, kCheckCount> kChecks = {Check::kBold,   Check::kItalic, Check::kUnderline,
                                                           Check::kLinks,  Check::kNotes,  Check::kTables,
                                                           Check::kNested, Check::kLists,  Check::kPictures};

// "bold", "italic", "under", "links", "notes", "tables", "nested", "lists", "pics".
std::string_view CheckName(Check check);

enum class Outcome : uint8_t { kNotApplicable, kFailed, kPassed };

struct PageFigures {
  long distinct = 0, distinct_kept = 0;  // the distinct reference words, those on the page
  long words = 0, words_kept = 0;        // the same counted with repeats
  bool model_page = false;               // the page was written from the document model
  std::array<Outcome, kCheckCount> outcomes{};
  std::vector<std::string> failures;  // what each failed check missed, for looking into a document

  // Counts the words of `reference` the page's `shown` words keep.
  void CountWords(const WordCounts& reference, const WordCounts& shown);
  // Records a check that applies; `failure` says what failed when `passed` is false.
  void Record(Check check, bool passed, const std::string& failure);
  std::string FailedChecks() const;  // "bold lists" (or "")
};

// The share of formatted words a page must show.
inline constexpr double kFormattedShare = 0.95;

// Checks that at least kFormattedShare of the distinct `expected` words are among `shown`;
// applies only when `expected` has words.
void CheckFormattedWords(Check check, const std::set<std::string>& expected,
                         const std::set<std::string>& shown, PageFigures& figures);

// Checks that every one of `targets` is among the page's `shown` ones.
void CheckTargets(const std::vector<std::string>& targets, const std::set<std::string>& shown,
                  PageFigures& figures);

// Checks that `markers` (NormalMarker'ed, in document order) start lines of the page in the
// same order: each marker is matched with the first line start after the previous match.
void CheckMarkers(const std::vector<std::string>& markers, const std::vector<std::string>& line_starts,
                  PageFigures& figures);

}  // namespace tessarine::testing
