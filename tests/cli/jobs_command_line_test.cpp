// tessarine-convert -j N: the same pages, the same report and the same exit status as a run
// that converts one file at a time.
#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "tests/cli/batch_folder.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

namespace fs = std::filesystem;
using JobsCommandLineTest = testing::BatchFolderTest;

// Documents with failures of every kind between them.
std::map<std::string, std::string> BatchFiles(std::vector<std::string>* order) {
  std::map<std::string, std::string> files = testing::SampleDocuments(4, order);
  auto add = [&](size_t at, const std::string& name, const std::string& bytes) {
    files[name] = bytes;
    order->insert(order->begin() + static_cast<long>(std::min(at, order->size())), name);
  };
  order->insert(order->begin() + 1, "absent.rtf");  // never created
  add(3, "not rtf.rtf", "plain words, no header at all\r\n");
  add(order->size() / 2, "empty.txt", "");    // refused: a text without any line break
  add(order->size(), "short.doc", "{\\rtf");  // too short for the header test
  add(order->size(), "last.txt", "One line.\r\n\r\nAnother line.\r\n");
  return files;
}

TEST_F(JobsCommandLineTest, ParallelRunMatchesOneAtATime) {
  std::vector<std::string> order;
  const std::map<std::string, std::string> files = BatchFiles(&order);
  const testing::ShellRun one = RunConverter(MakeFolder("one", files), "1", order);
  const testing::ShellRun four = RunConverter(MakeFolder("four", files), "4", order);
  EXPECT_EQ(one.exit_status, 1);  // some files fail
  EXPECT_EQ(four.exit_status, one.exit_status);
  EXPECT_EQ(four.out, one.out);
  EXPECT_EQ(four.err, one.err);
  ASSERT_EQ(four.pages.size(), one.pages.size());
  EXPECT_GE(one.pages.size(), 3u);
  for (const auto& [name, page] : one.pages) EXPECT_TRUE(four.pages.at(name) == page) << name;
}

TEST_F(JobsCommandLineTest, FailuresAreReportedInInputOrder) {
  std::vector<std::string> order;
  const std::map<std::string, std::string> files = BatchFiles(&order);
  const testing::ShellRun r = RunConverter(MakeFolder("batch", files), "4", order);
  std::vector<std::string> failed;
  std::istringstream lines(r.err);
  for (std::string line; std::getline(lines, line);) {
    size_t colon = line.find(": ");
    if (colon != std::string::npos) failed.push_back(line.substr(0, colon));
  }
  // The files that must fail, in the order they were given.
  const std::vector<std::string> must_fail = {"absent.rtf", "not rtf.rtf", "empty.txt", "short.doc"};
  std::vector<std::string> seen;
  for (const std::string& name : failed) {
    if (std::find(must_fail.begin(), must_fail.end(), name) != must_fail.end()) seen.push_back(name);
  }
  EXPECT_EQ(seen, must_fail) << r.err;
  // Every failure line stands in input order, whatever else failed.
  auto index_of = [&](const std::string& name) {
    return static_cast<size_t>(std::find(order.begin(), order.end(), name) - order.begin());
  };
  std::vector<size_t> positions;
  for (const std::string& name : failed) positions.push_back(index_of(name));
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end())) << r.err;
  // Every page written is printed, in input order too.
  std::vector<size_t> printed;
  std::istringstream out(r.out);
  for (std::string line; std::getline(out, line);) {
    for (size_t i = 0; i < order.size(); ++i) {
      if (fs::path(order[i]).stem() == fs::path(line).stem()) printed.push_back(i);
    }
  }
  EXPECT_TRUE(std::is_sorted(printed.begin(), printed.end())) << r.out;
}

TEST_F(JobsCommandLineTest, FilesSharingAPageAreConvertedInInputOrder) {
  // a.rtf and a.txt both write a.htm; a.rtf comes again last, so its page must stay.
  std::string rtf, txt;
  ASSERT_TRUE(ReadFileBytes(testing::SourceDir() / "examples" / "greeting.rtf", &rtf).ok());
  ASSERT_TRUE(ReadFileBytes(testing::SourceDir() / "examples" / "plain_example.txt", &txt).ok());
  const std::map<std::string, std::string> files = {{"a.rtf", rtf}, {"a.txt", txt}};
  const std::vector<std::string> order = {"a.rtf", "a.txt", "./a.rtf", "a.txt", "a.rtf"};
  const testing::ShellRun one = RunConverter(MakeFolder("one", files), "1", order);
  for (int round = 0; round < 3; ++round) {
    const testing::ShellRun four =
        RunConverter(MakeFolder("four" + std::to_string(round), files), "4", order);
    EXPECT_EQ(four.exit_status, one.exit_status);
    EXPECT_EQ(four.out, one.out);
    EXPECT_EQ(four.err, one.err);
    EXPECT_TRUE(four.pages == one.pages);
  }
}

TEST_F(JobsCommandLineTest, JobsOutsideTheRangeAreAUsageError) {
  std::string rtf;
  ASSERT_TRUE(ReadFileBytes(testing::SourceDir() / "examples" / "greeting.rtf", &rtf).ok());
  const fs::path dir = MakeFolder("usage", {{"a.rtf", rtf}});
  EXPECT_EQ(RunConverter(dir, "0", {"a.rtf"}).exit_status, 2);
  EXPECT_EQ(RunConverter(dir, "many", {"a.rtf"}).exit_status, 2);
  EXPECT_EQ(RunConverter(dir, "2", {"a.rtf"}).exit_status, 0);
}

}  // namespace
}  // namespace tessarine
