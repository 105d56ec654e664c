// Whole pages: every tests/data/text/<name>.txt converted with the start settings must give
// exactly the bytes of <name>.htm beside it.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "settings/settings.h"
#include "tests/support/paths.h"
#include "text/convert_text.h"

namespace tessarine {
namespace {

std::filesystem::path TextDataDir() {
  return testing::DataDir() / "text";
}

std::vector<std::string> ExampleNames() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(TextDataDir(), ec)) {
    if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class TextPageTest : public ::testing::TestWithParam<std::string> {};

TEST_P(TextPageTest, ConvertsToTheExpectedBytes) {
  const std::filesystem::path source = TextDataDir() / (GetParam() + ".txt");
  std::string text, expected;
  ASSERT_TRUE(ReadFileText(source, &text).ok());
  ASSERT_TRUE(ReadFileBytes(TextDataDir() / (GetParam() + ".htm"), &expected).ok());
  Conversion c = ConvertText(text, Settings{});
  EXPECT_EQ(c.refusal, Refusal::kNone);
  EXPECT_EQ(c.page, expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, TextPageTest, ::testing::ValuesIn(ExampleNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) { return param.param; });

TEST(TextPageTest, ExamplesArePresent) {
  EXPECT_GE(ExampleNames().size(), 3u);
}

}  // namespace
}  // namespace tessarine
