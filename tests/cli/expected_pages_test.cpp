// The sample documents of tests/data through tessarine-convert itself: every page written beside
// its source, and every page sent to standard output, is byte for byte the expected page. The
// expected RTF pages are the passes' pages: the RTF documents are read by the passes.
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "base/output_name.h"
#include "tests/cli/run_convert.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

using testing::ConvertRunner;
using testing::RunResult;

// Names of the documents in tests/data/<folder> with the given extension that have an expected
// page beside them, sorted.
std::vector<std::string> Documents(const std::string& folder, const std::string& extension) {
  std::vector<std::string> names;
  std::error_code ec;
  const std::filesystem::path dir = testing::DataDir() / folder;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    const std::filesystem::path& path = entry.path();
    if (path.extension() == extension && std::filesystem::exists(dir / (path.stem().string() + ".htm"))) {
      names.push_back(path.filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, &bytes).ok()) << path;
  return bytes;
}

struct Folder {
  const char* name;
  const char* extension;
};

TEST(ExpectedPagesTest, EverySampleDocumentGivesItsPage) {
  for (const Folder folder : {Folder{"rtf", ".rtf"}, Folder{"text", ".txt"}}) {
    const std::vector<std::string> names = Documents(folder.name, folder.extension);
    ASSERT_FALSE(names.empty()) << folder.name;
    ConvertRunner run;
    const std::filesystem::path dir = testing::DataDir() / folder.name;
    for (const std::string& name : names) run.WriteDocument(name, ReadBytes(dir / name));

    // All documents in one call, each page beside its source.
    std::vector<std::string> args = {"-q", "--engine", "passes"};
    args.insert(args.end(), names.begin(), names.end());
    RunResult all = run.Run(args);
    EXPECT_EQ(all.exit_code, 0) << all.err;
    for (const std::string& name : names) {
      const std::string page = std::filesystem::path(name).replace_extension(".htm").string();
      EXPECT_EQ(ReadBytes(run.work() / page), ReadBytes(dir / page)) << name;

      // The same bytes on standard output.
      RunResult one = run.Run({"--engine", "passes", "-o", "-", name});
      EXPECT_EQ(one.exit_code, 0) << name << one.err;
      EXPECT_EQ(one.out, ReadBytes(dir / page)) << name;
    }
  }
}

// make run converts every example beside itself: no two may share a page, or one page would
// replace the other.
TEST(ExpectedPagesTest, EveryExampleHasAPageOfItsOwn) {
  std::set<std::string> pages;
  size_t examples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(testing::SourceDir() / "examples")) {
    const std::string extension = entry.path().extension().string();
    if (extension != ".rtf" && extension != ".txt") continue;
    ++examples;
    EXPECT_TRUE(pages.insert(OutputNameFor(entry.path().string())).second) << entry.path();
  }
  EXPECT_GT(examples, 1u);
}

}  // namespace
}  // namespace tessarine
