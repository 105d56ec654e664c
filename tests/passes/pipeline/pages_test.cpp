// Whole documents through ConvertRtf, compared byte for byte with expected pages:
// tests/data/rtf/<name>.rtf gives tests/data/rtf/<name>.htm with the start settings.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "passes/pipeline/convert_rtf.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

std::vector<std::string> DocumentNames() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(testing::DataDir() / "rtf", ec)) {
    if (entry.path().extension() == ".rtf") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  if (names.empty()) names.push_back("");  // keeps the suite instantiated before any page exists
  return names;
}

class PageTest : public ::testing::TestWithParam<std::string> {};

TEST_P(PageTest, ConvertsToTheExpectedPage) {
  if (GetParam().empty()) GTEST_SKIP() << "no pages yet";
  const std::filesystem::path dir = testing::DataDir() / "rtf";
  std::string source, expected;
  ASSERT_TRUE(ReadFileText(dir / (GetParam() + ".rtf"), &source).ok());
  ASSERT_TRUE(ReadFileBytes(dir / (GetParam() + ".htm"), &expected).ok());
  Conversion result = ConvertRtf(source, Settings{});
  EXPECT_EQ(result.page, expected);
}

INSTANTIATE_TEST_SUITE_P(Documents, PageTest, ::testing::ValuesIn(DocumentNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           std::string name = param.param.empty() ? "none" : param.param;
                           std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                           return name;
                         });

}  // namespace
}  // namespace tessarine
