// tessarine-convert -j N: the same pages, the same report and the same exit status as a run
// that converts one file at a time.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

namespace fs = std::filesystem;

struct RunResult {
  int exit_status = -1;
  std::string out, err;
  std::map<std::string, std::string> pages;  // file name -> bytes of every .htm in the folder
};

class JobsCommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    converter_ = testing::BinDir() / "tessarine-convert";
    if (!fs::exists(converter_)) GTEST_SKIP() << "tessarine-convert is not built";
    root_ = fs::temp_directory_path() / ("tessarine-jobs-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    ASSERT_TRUE(SaveSettingsFile(root_ / "qavrel.ini", Settings{}).ok());
  }
  void TearDown() override {
    std::error_code ec;
    if (!root_.empty()) fs::remove_all(root_, ec);
  }

  // A folder holding `files` (name -> bytes).
  fs::path MakeFolder(const std::string& name, const std::map<std::string, std::string>& files) {
    fs::path dir = root_ / name;
    fs::create_directories(dir);
    for (const auto& [file, bytes] : files) EXPECT_TRUE(WriteFileBytes(dir / file, bytes).ok());
    return dir;
  }

  // Runs the converter inside `dir` on `args` (names relative to it).
  RunResult Run(const fs::path& dir, const std::string& jobs, const std::vector<std::string>& args) {
    std::string command = "cd '" + dir.string() + "' && '" + converter_.string() + "' -j " + jobs +
                          " --settings '" + (root_ / "qavrel.ini").string() + "'";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >'" + (root_ / "out").string() + "' 2>'" + (root_ / "err").string() + "'";
    RunResult r;
    const int status = std::system(command.c_str());
    r.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    EXPECT_TRUE(ReadFileBytes(root_ / "out", &r.out).ok());
    EXPECT_TRUE(ReadFileBytes(root_ / "err", &r.err).ok());
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.path().extension() != ".htm") continue;
      EXPECT_TRUE(ReadFileBytes(entry.path(), &r.pages[entry.path().filename().string()]).ok());
    }
    return r;
  }

  fs::path converter_;
  fs::path root_;
};

// The documents of the batch: the examples, the pages' test documents and some of the corpus,
// with failures of every kind between them.
std::map<std::string, std::string> BatchFiles(std::vector<std::string>* order) {
  std::map<std::string, std::string> files;
  auto add = [&](const std::string& name, const std::string& bytes) {
    files[name] = bytes;
    order->push_back(name);
  };
  auto add_file = [&](const std::string& name, const fs::path& path) {
    std::string bytes;
    if (ReadFileBytes(path, &bytes).ok()) add(name, bytes);
  };
  add_file("greeting.rtf", testing::SourceDir() / "examples" / "greeting.rtf");
  order->push_back("absent.rtf");  // never created
  add_file("words.txt", testing::SourceDir() / "examples" / "greeting.txt");
  add("not rtf.rtf", "plain words, no header at all\r\n");
  std::vector<fs::path> documents;
  std::error_code ec;
  for (const fs::path& dir : {testing::DataDir() / "rtf", testing::CorpusDir() / "public"}) {
    for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
      if (it->is_regular_file() && it->path().extension() == ".rtf") documents.push_back(it->path());
    }
  }
  std::sort(documents.begin(), documents.end());
  // Every fourth document keeps the batch short while taking writers of every kind.
  for (size_t i = 0; i < documents.size(); i += 4) add_file("doc" + std::to_string(i) + ".rtf", documents[i]);
  add("empty.txt", "");        // refused: a text without any line break
  add("short.doc", "{\\rtf");  // too short for the header test
  add("last.txt", "One line.\r\n\r\nAnother line.\r\n");
  return files;
}

TEST_F(JobsCommandLineTest, ParallelRunMatchesOneAtATime) {
  std::vector<std::string> order;
  const std::map<std::string, std::string> files = BatchFiles(&order);
  const RunResult one = Run(MakeFolder("one", files), "1", order);
  const RunResult four = Run(MakeFolder("four", files), "4", order);
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
  const RunResult r = Run(MakeFolder("batch", files), "4", order);
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
  std::vector<size_t> positions;
  for (const std::string& name : failed) {
    positions.push_back(static_cast<size_t>(std::find(order.begin(), order.end(), name) - order.begin()));
  }
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
  ASSERT_TRUE(ReadFileBytes(testing::SourceDir() / "examples" / "greeting.txt", &txt).ok());
  const std::map<std::string, std::string> files = {{"a.rtf", rtf}, {"a.txt", txt}};
  const std::vector<std::string> order = {"a.rtf", "a.txt", "./a.rtf", "a.txt", "a.rtf"};
  const RunResult one = Run(MakeFolder("one", files), "1", order);
  for (int round = 0; round < 3; ++round) {
    const RunResult four = Run(MakeFolder("four" + std::to_string(round), files), "4", order);
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
  EXPECT_EQ(Run(dir, "0", {"a.rtf"}).exit_status, 2);
  EXPECT_EQ(Run(dir, "many", {"a.rtf"}).exit_status, 2);
  EXPECT_EQ(Run(dir, "2", {"a.rtf"}).exit_status, 0);
}

}  // namespace
}  // namespace tessarine
