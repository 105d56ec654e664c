#include "base/output_name.h"

#include <gtest/gtest.h>

namespace tessarine {
namespace {

TEST(OutputNameTest, ReplacesTheExtensionOfTheFilesOwnName) {
  struct Case {
    const char* source;
    const char* page;
  } const cases[] = {
      {"/texts/a.rtf", "/texts/a.htm"},
      {"/texts/a.b.txt", "/texts/a.b.htm"},
      {"/texts/A.RTF", "/texts/A.htm"},
      {"a.doc", "a.htm"},
      {"a.", "a.htm"},
      {"/texts/a.htm", "/texts/a.htm"},  // the caller refuses this: it is the source
      // The last "." of a folder's name is not the file's extension.
      {"/home/u/my.dir/a", "/home/u/my.dir/a.htm"},
      {"/home/u/my.dir/a.rtf", "/home/u/my.dir/a.htm"},
      {"./a", "./a.htm"},
      {"../x/a", "../x/a.htm"},
      // Names without ".".
      {"/texts/readme", "/texts/readme.htm"},
      {"readme", "readme.htm"},
      {"", ".htm"},
      // A name that starts with "." keeps the rule: the part after the last "." is replaced.
      {"/home/u/.profile", "/home/u/.htm"},
      // Code page 1251 names are bytes like any other.
      {"/\xF2\xE5\xEA\xF1\xF2.rtf", "/\xF2\xE5\xEA\xF1\xF2.htm"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OutputNameFor(c.source), c.page) << c.source;
  }
}

}  // namespace
}  // namespace tessarine
