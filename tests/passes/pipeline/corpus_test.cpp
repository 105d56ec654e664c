// Every document of the shared corpus converts without a crash, a hang or a sanitizer report.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "passes/pipeline/convert_rtf.h"
#include "tests/support/paths.h"
#include "tests/support/time_bound.h"

namespace tessarine {
namespace {

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  std::error_code ec;
  const std::filesystem::path root = testing::CorpusDir() / "public";
  for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    std::string ext = it->path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".rtf") files.push_back(std::filesystem::relative(it->path(), root).string());
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) files.push_back("");  // keeps the suite instantiated without a corpus
  return files;
}

class CorpusTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusTest, ConvertsWithinItsTimeBound) {
  if (GetParam().empty()) GTEST_SKIP() << "no corpus at " << testing::CorpusDir();
  std::string source;
  ASSERT_TRUE(ReadFileText(testing::CorpusDir() / "public" / GetParam(), &source).ok());
  testing::TimeBound bound(120);  // the slowest file takes well under a second optimised
  const auto start = std::chrono::steady_clock::now();
  Conversion result = ConvertRtf(source, Settings{});
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(result.page.rfind("<!DOCTYPE", 0), 0u);
  EXPECT_LT(elapsed, std::chrono::seconds(60));
}

INSTANTIATE_TEST_SUITE_P(Documents, CorpusTest, ::testing::ValuesIn(CorpusFiles()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           std::string name = param.param.empty() ? "none" : param.param;
                           std::replace_if(
                               name.begin(), name.end(),
                               [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                           return name + "_" + std::to_string(param.index);
                         });

}  // namespace
}  // namespace tessarine
