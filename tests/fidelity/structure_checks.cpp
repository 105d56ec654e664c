#include "tests/fidelity/structure_checks.h"

#include "tests/fidelity/list_markers.h"

namespace tessarine::testing {

namespace {

std::string Join(const std::vector<std::string>& items, size_t most) {
  std::string out;
  for (size_t i = 0; i < items.size() && i < most; ++i) out += (i ? ", " : "") + items[i];
  if (items.size() > most) out += ", ... (" + std::to_string(items.size()) + ")";
  return out;
}

}  // namespace

std::string_view CheckName(Check check) {
  static constexpr std::string_view kNames[] = {"bold",   "italic", "under", "links", "notes",
                                                "tables", "nested", "lists", "pics"};
  return kNames[static_cast<size_t>(check)];
}

void PageFigures::CountWords(const WordCounts& reference, const WordCounts& shown) {
  distinct = static_cast<long>(reference.size());
  distinct_kept = DistinctWordsKept(reference, shown);
  words = WordCount(reference);
  words_kept = WordsKept(reference, shown);
}

void PageFigures::Record(Check check, bool passed, const std::string& failure) {
  outcomes[static_cast<size_t>(check)] = passed ? Outcome::kPassed : Outcome::kFailed;
  if (!passed) failures.push_back(std::string(CheckName(check)) + ": " + failure);
}

std::string PageFigures::FailedChecks() const {
  std::string out;
  for (Check check : kChecks) {
    if (outcomes[static_cast<size_t>(check)] != Outcome::kFailed) continue;
    if (!out.empty()) out += ' ';
    out += CheckName(check);
  }
  return out;
}

void CheckFormattedWords(Check check, const std::set<std::string>& expected,
                         const std::set<std::string>& shown, PageFigures& figures) {
  if (expected.empty()) return;
  std::vector<std::string> missing;
  for (const std::string& word : expected) {
    if (!shown.count(word)) missing.push_back(word);
  }
  const double share = 1.0 - static_cast<double>(missing.size()) / static_cast<double>(expected.size());
  figures.Record(check, share >= kFormattedShare,
                 std::to_string(missing.size()) + " of " + std::to_string(expected.size()) +
                     " words not so: " + Join(missing, 12));
}

void CheckTargets(const std::vector<std::string>& targets, const std::set<std::string>& shown,
                  PageFigures& figures) {
  if (targets.empty()) return;
  std::vector<std::string> missing;
  for (const std::string& target : targets) {
    if (!shown.count(target)) missing.push_back(target);
  }
  figures.Record(Check::kLinks, missing.empty(),
                 std::to_string(missing.size()) + " of " + std::to_string(targets.size()) +
                     " targets without a link: " + Join(missing, 6));
}

void CheckMarkers(const std::vector<std::string>& markers, const std::vector<std::string>& line_starts,
                  PageFigures& figures) {
  if (markers.empty()) return;
  size_t line = 0, found = 0;
  std::vector<std::string> missing;
  for (const std::string& marker : markers) {
    size_t at = line;
    while (at < line_starts.size() && !StartsWithMarker(line_starts[at], marker)) ++at;
    if (at < line_starts.size()) {
      ++found;
      line = at + 1;
    } else {
      missing.push_back("\"" + marker + "\" (item " + std::to_string(found + missing.size() + 1) + ")");
    }
  }
  figures.Record(Check::kLists, missing.empty(),
                 std::to_string(missing.size()) + " of " + std::to_string(markers.size()) +
                     " markers not at a line start: " + Join(missing, 8));
}

}  // namespace tessarine::testing
