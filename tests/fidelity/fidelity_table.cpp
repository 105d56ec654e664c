#include "tests/fidelity/fidelity_table.h"

#include <cstdio>

namespace tessarine::testing {

namespace {

double Percent(long part, long whole) {
  return whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 100.0;
}

std::string Shares(double before, double after) {
  char text[32];
  std::snprintf(text, sizeof text, "%5.1f->%5.1f", before, after);
  return text;
}

std::string Counts(const Tally& before, const Tally& after, size_t check) {
  if (before.applicable[check] == 0 && after.applicable[check] == 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d->%d/%d", before.passed[check], before.applicable[check],
                after.passed[check], after.applicable[check]);
  return text;
}

void PrintRow(std::string_view writer, const Comparison& c) {
  std::printf("%-22.*s %5ld %13s %13s %5ld", static_cast<int>(writer.size()), writer.data(), c.passes.files,
              Shares(c.passes.DistinctShare(), c.automatic.DistinctShare()).c_str(),
              Shares(c.passes.CountedShare(), c.automatic.CountedShare()).c_str(), c.automatic.model_pages);
  for (size_t check = 0; check < kCheckCount; ++check) {
    std::printf(" %13s", Counts(c.passes, c.automatic, check).c_str());
  }
  std::printf(" %13s\n", Shares(c.passes.StructureShare(), c.automatic.StructureShare()).c_str());
}

}  // namespace

void Tally::Add(const PageFigures& page) {
  ++files;
  model_pages += page.model_page ? 1 : 0;
  distinct += page.distinct;
  distinct_kept += page.distinct_kept;
  words += page.words;
  words_kept += page.words_kept;
  for (size_t check = 0; check < kCheckCount; ++check) {
    if (page.outcomes[check] == Outcome::kNotApplicable) continue;
    ++applicable[check];
    passed[check] += page.outcomes[check] == Outcome::kPassed ? 1 : 0;
  }
}

double Tally::DistinctShare() const {
  return Percent(distinct_kept, distinct);
}

double Tally::CountedShare() const {
  return Percent(words_kept, words);
}

double Tally::StructureShare() const {
  long all_passed = 0, all_applicable = 0;
  for (size_t check = 0; check < kCheckCount; ++check) {
    all_passed += passed[check];
    all_applicable += applicable[check];
  }
  return Percent(all_passed, all_applicable);
}

void FidelityTable::Add(const std::string& writer, const PageFigures& passes, const PageFigures& automatic) {
  for (Comparison* c : {&writers[writer], &all}) {
    c->passes.Add(passes);
    c->automatic.Add(automatic);
  }
}

void PrintFidelityTable(std::string_view title, std::string_view after, const FidelityTable& table) {
  std::printf("\n%.*s (each figure: passes -> %.*s)\n", static_cast<int>(title.size()), title.data(),
              static_cast<int>(after.size()), after.data());
  std::printf("%-22s %5s %13s %13s %5s", "writer", "files", "distinct %", "counted %", "model");
  for (Check check : kChecks) {
    const std::string_view name = CheckName(check);
    std::printf(" %13.*s", static_cast<int>(name.size()), name.data());
  }
  std::printf(" %13s\n", "structure %");
  for (const auto& [writer, comparison] : table.writers) PrintRow(writer, comparison);
  PrintRow("all", table.all);
  for (const auto& [name, tally] :
       {std::pair{std::string_view("passes"), &table.all.passes}, std::pair{after, &table.all.automatic}}) {
    std::printf("%.*s: distinct %.2f%%, counted %.2f%%, structure %.2f%%\n", static_cast<int>(name.size()),
                name.data(), tally->DistinctShare(), tally->CountedShare(), tally->StructureShare());
  }
  std::fflush(stdout);
}

void PrintDocumentFigures(std::string_view name, const PageFigures& passes, const PageFigures& automatic) {
  std::printf("%6ld/%6ld %6ld/%6ld -> %6ld/%6ld %6ld/%6ld %-6s %.*s\n", passes.distinct_kept, passes.distinct,
              passes.words_kept, passes.words, automatic.distinct_kept, automatic.distinct,
              automatic.words_kept, automatic.words, automatic.model_page ? "model" : "passes",
              static_cast<int>(name.size()), name.data());
  const std::string before = passes.FailedChecks(), after = automatic.FailedChecks();
  if (!before.empty() || !after.empty()) std::printf("    failed: %s -> %s\n", before.c_str(), after.c_str());
}

}  // namespace tessarine::testing
