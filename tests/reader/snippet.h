// Table-driven reading tests: an RTF snippet and the model it must give, in the short form of
// model_dump.h:
//
//   class FieldsTest : public ::testing::TestWithParam<Snippet> {};
//   TEST_P(FieldsTest, Reads) { ExpectReading(GetParam()); }
//   INSTANTIATE_TEST_SUITE_P(Snippets, FieldsTest, ::testing::ValuesIn(kFields), SnippetName);
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "reader/read_rtf.h"
#include "tests/reader/model_dump.h"

namespace tessarine::testing {

struct Snippet {
  const char* name;
  std::string rtf;
  std::string expected;  // Dump of the document
  Detail detail = Detail::kStructure;
};

inline std::string SnippetName(const ::testing::TestParamInfo<Snippet>& info) {
  return info.param.name;
}

inline void ExpectReading(const Snippet& snippet) {
  EXPECT_EQ(Dump(ReadRtfDocument(snippet.rtf), snippet.detail), snippet.expected) << snippet.rtf;
}

}  // namespace tessarine::testing
