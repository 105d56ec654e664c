// Sums of the fidelity figures per writer, for the passes' pages ("before") and the automatic
// choice's ("after"), and the table that prints them.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

#include "tests/fidelity/structure_checks.h"

namespace tessarine::testing {

struct Tally {
  long files = 0, model_pages = 0;
  long distinct = 0, distinct_kept = 0, words = 0, words_kept = 0;
  std::array<int, kCheckCount> passed{}, applicable{};

  void Add(const PageFigures& page);
  double DistinctShare() const;   // percent; 100 without words
  double CountedShare() const;    // percent; 100 without words
  double StructureShare() const;  // percent of all applicable checks passed; 100 without any
};

struct Comparison {
  Tally passes, automatic;
};

// The tallies of a set of documents: per writer and all together.
struct FidelityTable {
  std::map<std::string, Comparison> writers;
  Comparison all;

  void Add(const std::string& writer, const PageFigures& passes, const PageFigures& automatic);
};

// Prints `table` under `title`: per writer and for all, the files, the distinct and the counted
// share of words kept, how many pages the automatic choice wrote from the model, and every
// check as passed/applicable, each as passes -> `after` (the engine of the "after" pages); then
// the structure share of all checks.
void PrintFidelityTable(std::string_view title, std::string_view after, const FidelityTable& table);

// One line for a document: its figures on both pages and the checks each failed.
void PrintDocumentFigures(std::string_view name, const PageFigures& passes, const PageFigures& automatic);

}  // namespace tessarine::testing
