// Every input the fuzz targets ever found trouble with (tests/data/fuzz/<target>/), run through
// the same checks as the fuzzers. Under the sanitizer build this also catches the memory and
// undefined-behaviour faults they found; a hang runs into the test's time limit.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "fuzz/fuzz_checks.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

namespace fs = std::filesystem;

struct Finding {
  std::string target;  // folder: rtf, reader, choice, text or settings
  std::string name;
};

std::vector<Finding> Findings() {
  std::vector<Finding> found;
  for (const char* target : {"rtf", "reader", "choice", "text", "settings", "pictures"}) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(testing::DataDir() / "fuzz" / target, ec)) {
      if (entry.is_regular_file()) found.push_back({target, entry.path().filename().string()});
    }
  }
  std::sort(found.begin(), found.end(),
            [](const Finding& a, const Finding& b) { return a.target + a.name < b.target + b.name; });
  return found;
}

class FuzzFindingTest : public ::testing::TestWithParam<Finding> {};

TEST_P(FuzzFindingTest, PassesTheFuzzChecks) {
  const Finding& f = GetParam();
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(testing::DataDir() / "fuzz" / f.target / f.name, &bytes).ok());
  std::string problem = f.target == "rtf"        ? fuzzing::CheckConvertRtf(bytes)
                        : f.target == "reader"   ? fuzzing::CheckReadRtf(bytes)
                        : f.target == "choice"   ? fuzzing::CheckConvertRtfDocument(bytes)
                        : f.target == "text"     ? fuzzing::CheckConvertText(bytes)
                        : f.target == "pictures" ? fuzzing::CheckDrawPicture(bytes)
                                                 : fuzzing::CheckSettingsFile(bytes);
  EXPECT_EQ(problem, "");
}

INSTANTIATE_TEST_SUITE_P(Kept, FuzzFindingTest, ::testing::ValuesIn(Findings()),
                         [](const ::testing::TestParamInfo<Finding>& param) {
                           std::string name = param.param.target + "_" + param.param.name;
                           std::replace_if(
                               name.begin(), name.end(),
                               [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                           return name;
                         });

}  // namespace
}  // namespace tessarine
