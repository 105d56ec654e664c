#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "settings/settings_file.h"
#include "tests/cli/run_convert.h"

namespace tessarine {
namespace {

using testing::ConvertRunner;
using testing::RunResult;

const char kNotRtfMessage[] = "Открываемый файл не является файлом RTF!";
const char kTextRefusedMessage[] = "Этот текст не годится для перевода в HTML";
const std::string kRtf = "{\\rtf1\\ansi\\ansicpg1251\r\n}\\pard\\plain \\'e0\\par\r\n}\r\n";

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Every line break of a saved page is CR LF.
bool OnlyCrLfBreaks(const std::string& page) {
  for (size_t i = 0; i < page.size(); ++i) {
    if (page[i] == '\r' && (i + 1 >= page.size() || page[i + 1] != '\n')) return false;
    if (page[i] == '\n' && (i == 0 || page[i - 1] != '\r')) return false;
  }
  return true;
}

class ConvertCommandTest : public ::testing::Test {
 protected:
  bool Exists(const std::string& name) const { return std::filesystem::exists(run_.work() / name); }
  std::string Read(const std::string& name) const {
    std::string bytes;
    (void)ReadFileBytes(run_.work() / name, &bytes);
    return bytes;
  }

  ConvertRunner run_;
};

TEST_F(ConvertCommandTest, WritesThePageBesideTheSourceAndPrintsItsPath) {
  run_.WriteDocument("a.rtf", kRtf);
  RunResult r = run_.Run({"a.rtf"});
  EXPECT_EQ(r.exit_code, kOk) << r.err;
  EXPECT_EQ(r.out, "a.htm\n");
  EXPECT_EQ(r.err, "");  // no progress line when standard error is not a terminal
  std::string page = Read("a.htm");
  EXPECT_EQ(page.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<HTML>\r\n", 0),
            0u);
  EXPECT_TRUE(page.ends_with("</body>\r\n</html>"));
  EXPECT_TRUE(OnlyCrLfBreaks(page));
  EXPECT_EQ(Read("a.rtf"), kRtf);
}

TEST_F(ConvertCommandTest, OutputNameRule) {
  std::filesystem::create_directory(run_.work() / "my.dir");
  run_.WriteDocument("my.dir/a", kRtf);
  run_.WriteDocument("b.c.doc", kRtf);
  RunResult r = run_.Run({"my.dir/a", "b.c.doc"});
  EXPECT_EQ(r.exit_code, kOk) << r.err;
  EXPECT_EQ(r.out, "my.dir/a.htm\nb.c.htm\n");
  EXPECT_TRUE(Exists("my.dir/a.htm"));
  EXPECT_TRUE(Exists("b.c.htm"));
  EXPECT_FALSE(Exists("my.htm"));
}

TEST_F(ConvertCommandTest, RefusesFilesThatAreNotRtf) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"plain.rtf", "This is plain text, not RTF.\r\n"},
      {"binary.doc", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0\0\0{\\rtf1", 18)},
      {"short.rtf", "{\\rtf1}"},          // with its CR LF only 9 characters: no header at all
      {"late.rtf", "0123456{\\rtf1 x}"},  // "{\rtf" does not lie within the first 10 characters
      {"empty.rtf", ""},
  };
  for (const auto& c : cases) {
    run_.WriteDocument(c.name, c.bytes);
    RunResult r = run_.Run({c.name});
    EXPECT_EQ(r.exit_code, kFailed) << c.name;
    EXPECT_EQ(r.out, "") << c.name;
    EXPECT_TRUE(Contains(r.err, c.name)) << r.err;
    EXPECT_TRUE(Contains(r.err, kNotRtfMessage)) << r.err;
    std::string page = std::filesystem::path(c.name).replace_extension("htm").string();
    EXPECT_FALSE(Exists(page)) << c.name;
  }
}

TEST_F(ConvertCommandTest, HeaderWithinTheFirstTenCharactersIsEnough) {
  run_.WriteDocument("spaced.rtf", "  \r\n {\\rtf1 \\pard x\\par}");  // "{\rtf" at character 6 after the CR LF rule
  RunResult r = run_.Run({"spaced.rtf"});
  EXPECT_EQ(r.exit_code, kOk) << r.err;
  EXPECT_TRUE(Exists("spaced.htm"));
}

TEST_F(ConvertCommandTest, MissingFileFails) {
  RunResult r = run_.Run({"missing.rtf"});
  EXPECT_EQ(r.exit_code, kFailed);
  EXPECT_TRUE(Contains(r.err, "missing.rtf")) << r.err;
  EXPECT_FALSE(Exists("missing.htm"));
}

TEST_F(ConvertCommandTest, OtherFilesAreStillConvertedAfterAFailure) {
  run_.WriteDocument("bad.rtf", "not rtf at all\r\n");
  run_.WriteDocument("good.rtf", kRtf);
  std::filesystem::create_directory(run_.work() / "folder.rtf");
  RunResult r = run_.Run({"bad.rtf", "missing.rtf", "folder.rtf", "good.rtf"});
  EXPECT_EQ(r.exit_code, kFailed);
  EXPECT_EQ(r.out, "good.htm\n");
  EXPECT_TRUE(Exists("good.htm"));
  // One line per failed file, in the order given.
  size_t bad = r.err.find("bad.rtf");
  size_t missing = r.err.find("missing.rtf");
  size_t folder = r.err.find("folder.rtf");
  ASSERT_NE(bad, std::string::npos) << r.err;
  ASSERT_NE(missing, std::string::npos) << r.err;
  ASSERT_NE(folder, std::string::npos) << r.err;
  EXPECT_LT(bad, missing);
  EXPECT_LT(missing, folder);
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 3) << r.err;
}

TEST_F(ConvertCommandTest, OutputOption) {
  run_.WriteDocument("a.rtf", kRtf);
  RunResult r = run_.Run({"-o", "page.html", "a.rtf"});
  EXPECT_EQ(r.exit_code, kOk) << r.err;
  EXPECT_EQ(r.out, "page.html\n");
  EXPECT_TRUE(Exists("page.html"));
  EXPECT_FALSE(Exists("a.htm"));

  r = run_.Run({"-o", "nowhere/page.html", "a.rtf"});
  EXPECT_EQ(r.exit_code, kFailed);
  EXPECT_TRUE(Contains(r.err, "a.rtf")) << r.err;
}

TEST_F(ConvertCommandTest, OutputWithTwoInputsIsAUsageError) {
  run_.WriteDocument("a.rtf", kRtf);
  run_.WriteDocument("b.rtf", kRtf);
  RunResult r = run_.Run({"-o", "page.htm", "a.rtf", "b.rtf"});
  EXPECT_EQ(r.exit_code, kUsage);
  EXPECT_FALSE(Exists("page.htm"));
  EXPECT_FALSE(Exists("a.htm"));
  EXPECT_FALSE(Exists("b.htm"));
}

TEST_F(ConvertCommandTest, StandardOutputGetsExactlyTheSavedBytes) {
  run_.WriteDocument("a.rtf", kRtf);
  RunResult saved = run_.Run({"-o", "saved.htm", "a.rtf"});
  ASSERT_EQ(saved.exit_code, kOk) << saved.err;
  RunResult r = run_.Run({"-o", "-", "a.rtf"});
  EXPECT_EQ(r.exit_code, kOk) << r.err;
  EXPECT_EQ(r.out, Read("saved.htm"));
  EXPECT_FALSE(Exists("a.htm"));
  EXPECT_FALSE(Exists("-"));
}

TEST_F(ConvertCommandTest, TheSourceIsNeverOverwritten) {
  run_.WriteDocument("a.rtf", kRtf);
  run_.WriteDocument("page.htm", kRtf);  // an RTF document named like a page
  std::filesystem::create_symlink("a.rtf", run_.work() / "link.htm");
  const std::vector<std::string> cases[] = {
      {"-o", "a.rtf", "a.rtf"},
      {"-o", "./a.rtf", "a.rtf"},
      {"page.htm"},
      {"-o", "link.htm", "a.rtf"},
  };
  for (const std::vector<std::string>& args : cases) {
    RunResult r = run_.Run(args);
    EXPECT_EQ(r.exit_code, kFailed) << args.back();
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(Contains(r.err, args.back())) << r.err;
  }
  EXPECT_EQ(Read("a.rtf"), kRtf);
  EXPECT_EQ(Read("page.htm"), kRtf);
}

TEST_F(ConvertCommandTest, ConverterChosenByExtensionOrFrom) {
  run_.WriteDocument("empty.TXT", "");
  run_.WriteDocument("empty.rtf", "");
  run_.WriteDocument("rtf.txt", kRtf);

  RunResult r = run_.Run({"empty.TXT"});  // plain text in any letter case
  EXPECT_EQ(r.exit_code, kFailed);
  EXPECT_TRUE(Contains(r.err, kTextRefusedMessage)) << r.err;

  r = run_.Run({"--from", "txt", "empty.rtf"});
  EXPECT_EQ(r.exit_code, kFailed);
  EXPECT_TRUE(Contains(r.err, kTextRefusedMessage)) << r.err;

  r = run_.Run({"--from", "rtf", "rtf.txt"});
  EXPECT_EQ(r.exit_code, kOk) << r.err;
  EXPECT_TRUE(Exists("rtf.htm"));
}

TEST_F(ConvertCommandTest, QuietPrintsNothingOnSuccess) {
  run_.WriteDocument("a.rtf", kRtf);
  RunResult r = run_.Run({"-q", "a.rtf"});
  EXPECT_EQ(r.exit_code, kOk);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(Exists("a.htm"));
}

TEST_F(ConvertCommandTest, ProgressLineOnATerminalOnly) {
  run_.WriteDocument("a.rtf", kRtf);
  run_.WriteDocument("b.rtf", kRtf);
  RunResult r;
  if (!run_.RunOnTerminal({"a.rtf", "b.rtf"}, &r)) GTEST_SKIP() << "script(1) is not installed";
  EXPECT_EQ(r.exit_code, kOk) << r.out;
  EXPECT_TRUE(Contains(r.out, "2 из 2")) << r.out;
  EXPECT_TRUE(Contains(r.out, "\ra.htm\r\n")) << r.out;  // the progress line is erased first
  ASSERT_TRUE(run_.RunOnTerminal({"-q", "a.rtf", "b.rtf"}, &r));
  EXPECT_EQ(r.out, "");
}

TEST_F(ConvertCommandTest, UsageErrors) {
  run_.WriteDocument("a.rtf", kRtf);
  const std::vector<std::string> cases[] = {
      {},     {"--no-such-option", "a.rtf"},          {"--from", "doc", "a.rtf"},
      {"-o"}, {"--settings", "missing.ini", "a.rtf"},
  };
  for (const std::vector<std::string>& args : cases) {
    RunResult r = run_.Run(args);
    EXPECT_EQ(r.exit_code, kUsage) << (args.empty() ? "" : args.front());
    EXPECT_FALSE(r.err.empty());
  }
  EXPECT_FALSE(Exists("a.htm"));
}

TEST_F(ConvertCommandTest, HelpDescribesEveryOption) {
  RunResult r = run_.Run({"--help"});
  EXPECT_EQ(r.exit_code, kOk);
  for (const char* word : {"--settings", "--from", "-o", "-q", "--version", "standard input", "Exit status",
                           "htm", "qavrel.ini"}) {
    EXPECT_TRUE(Contains(r.out, word)) << word;
  }
}

// "-" reads the document from standard input, for pipelines: "tessarine-convert - <a.rtf >a.htm".
TEST_F(ConvertCommandTest, StandardInputGivesItsPageToStandardOutput) {
  run_.WriteDocument("a.rtf", kRtf);
  ASSERT_EQ(run_.Run({"-o", "saved.htm", "a.rtf"}).exit_code, kOk);
  const std::string saved = Read("saved.htm");

  RunResult r = run_.RunWithInput({"-"}, kRtf);
  EXPECT_EQ(r.exit_code, kOk) << r.err;
  EXPECT_EQ(r.out, saved);
  EXPECT_EQ(r.err, "");
  r = run_.RunWithInput({"-", "-"}, kRtf);  // named twice, read once
  EXPECT_EQ(r.exit_code, kOk) << r.err;
  EXPECT_EQ(r.out, saved);

  // -o names the page's file instead.
  r = run_.RunWithInput({"-o", "piped.htm", "-"}, kRtf);
  EXPECT_EQ(r.exit_code, kOk) << r.err;
  EXPECT_EQ(r.out, "piped.htm\n");
  EXPECT_EQ(Read("piped.htm"), saved);
  EXPECT_FALSE(Exists("-"));
  EXPECT_FALSE(Exists("-.htm"));
}

// A file or standard input: the structured reader gets the bytes, so a lone CR in "\bin" data
// stays one.
TEST_F(ConvertCommandTest, BinaryDataReachesTheReaderUnchanged) {
  const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\r\r", 26);
  const std::string rtf = "{\\rtf1\\ansi\r\\pard A {\\pict\\pngblip\\bin26 " + png + "}\\par}";
  const std::string base64 = "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABDQ0=";
  run_.WriteDocument("bin.rtf", rtf);
  RunResult r = run_.Run({"--engine", "model", "-o", "-", "bin.rtf"});
  EXPECT_NE(r.out.find(base64), std::string::npos) << r.out;
  r = run_.RunWithInput({"--engine", "model", "-"}, rtf);
  EXPECT_NE(r.out.find(base64), std::string::npos) << r.out;
}

// A large file is mapped, and the model way lets it go before it writes the page: every way
// of reading gives the same page from the file, from standard input and into a file, to its
// last paragraph.
TEST_F(ConvertCommandTest, LargeDocumentsGiveTheSamePageEveryRoute) {
  std::string rtf = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\r\n";
  while (rtf.size() < (size_t{3} << 20)) rtf += "\\pard\\f0\\fs20 \\'cf\\'f0\\'e8 {\\b word} text\\par\r\n";
  rtf += "\\pard last\\'e9\\par}";
  run_.WriteDocument("large.rtf", rtf);
  for (const std::string engine : {"model", "passes", "auto"}) {
    const RunResult file = run_.Run({"--engine", engine, "-o", "-", "large.rtf"});
    ASSERT_EQ(file.exit_code, 0) << engine << file.err;
    EXPECT_NE(file.out.find("last\xE9"), std::string::npos) << engine;
    EXPECT_EQ(run_.RunWithInput({"--engine", engine, "-"}, rtf).out, file.out) << engine;
    ASSERT_EQ(run_.Run({"--engine", engine, "-q", "large.rtf"}).exit_code, 0) << engine;
    EXPECT_EQ(Read("large.htm"), file.out) << engine;
  }
}

TEST_F(ConvertCommandTest, StandardInputIsRtfUnlessFromSaysOtherwise) {
  const std::string text = "A line of plain text.\r\n\r\nAnother one.\r\n";
  RunResult r = run_.RunWithInput({"-"}, text);
  EXPECT_EQ(r.exit_code, kFailed);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(Contains(r.err, "-: ")) << r.err;
  EXPECT_TRUE(Contains(r.err, kNotRtfMessage)) << r.err;

  run_.WriteDocument("a.txt", text);
  ASSERT_EQ(run_.Run({"-o", "a.htm", "a.txt"}).exit_code, kOk);
  r = run_.RunWithInput({"--from", "txt", "-"}, text);
  EXPECT_EQ(r.exit_code, kOk) << r.err;
  EXPECT_EQ(r.out, Read("a.htm"));
}

TEST_F(ConvertCommandTest, StandardInputTakesNoOtherFile) {
  run_.WriteDocument("a.rtf", kRtf);
  RunResult r = run_.RunWithInput({"-", "a.rtf"}, kRtf);
  EXPECT_EQ(r.exit_code, kUsage);
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(Exists("a.htm"));
}

TEST_F(ConvertCommandTest, AFileNamedTwiceIsConvertedOnce) {
  run_.WriteDocument("a.rtf", kRtf);
  run_.WriteDocument("b.rtf", kRtf);
  for (const char* jobs : {"1", "4"}) {
    RunResult r = run_.Run({"-j", jobs, "a.rtf", "b.rtf", "./a.rtf", "a.rtf"});
    EXPECT_EQ(r.exit_code, kOk) << r.err;
    EXPECT_EQ(r.out, "a.htm\nb.htm\n") << jobs;
  }
  // With -o the one file may be named more than once.
  RunResult r = run_.Run({"-o", "page.htm", "a.rtf", "a.rtf"});
  EXPECT_EQ(r.exit_code, kOk) << r.err;
  EXPECT_EQ(r.out, "page.htm\n");
  // A file that fails is reported once.
  r = run_.Run({"missing.rtf", "missing.rtf"});
  EXPECT_EQ(r.exit_code, kFailed);
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

TEST_F(ConvertCommandTest, AFolderIsReportedAsAFolder) {
  const std::string kFolder = "— это папка, а не файл";
  std::filesystem::create_directory(run_.work() / "folder.rtf");
  std::filesystem::create_directory(run_.work() / "pages");
  run_.WriteDocument("a.rtf", kRtf);

  RunResult r = run_.Run({"folder.rtf"});
  EXPECT_EQ(r.exit_code, kFailed);
  EXPECT_TRUE(Contains(r.err, "folder.rtf: ")) << r.err;
  EXPECT_TRUE(Contains(r.err, kFolder)) << r.err;
  EXPECT_FALSE(Contains(r.err, "не найден")) << r.err;

  r = run_.Run({"-o", "pages", "a.rtf"});
  EXPECT_EQ(r.exit_code, kFailed);
  EXPECT_TRUE(Contains(r.err, "a.rtf: ")) << r.err;
  EXPECT_TRUE(Contains(r.err, "pages")) << r.err;
  EXPECT_TRUE(Contains(r.err, kFolder)) << r.err;
  EXPECT_TRUE(std::filesystem::is_empty(run_.work() / "pages"));

  r = run_.Run({"--settings", "pages", "a.rtf"});
  EXPECT_EQ(r.exit_code, kUsage);
  EXPECT_TRUE(Contains(r.err, kFolder)) << r.err;
}

// A page written over an older one: the old page is replaced whole, and nothing is left beside it.
TEST_F(ConvertCommandTest, APageReplacesTheOldOneWhole) {
  run_.WriteDocument("a.rtf", kRtf);
  run_.WriteDocument("a.htm", std::string(100000, 'o'));
  RunResult r = run_.Run({"a.rtf"});
  EXPECT_EQ(r.exit_code, kOk) << r.err;
  EXPECT_EQ(Read("a.htm"), run_.Run({"-o", "-", "a.rtf"}).out);
  const auto files = std::filesystem::directory_iterator(run_.work());
  EXPECT_EQ(std::distance(std::filesystem::begin(files), std::filesystem::end(files)), 2);
}

TEST_F(ConvertCommandTest, VersionPrintsTheNameAndVersion) {
  RunResult r = run_.Run({"--version"});
  EXPECT_EQ(r.exit_code, kOk);
  EXPECT_TRUE(r.out.starts_with("tessarine-convert ")) << r.out;
  ASSERT_GT(r.out.size(), 19u);
  EXPECT_TRUE(r.out[18] >= '0' && r.out[18] <= '9') << r.out;
  EXPECT_TRUE(r.out.ends_with("\n"));
  EXPECT_EQ(r.err, "");
}

class ConvertSettingsTest : public ConvertCommandTest {
 protected:
  static std::string SettingsWithTitle(const std::string& title) {
    Settings s;
    s.titul = title;
    s.bgcolor = "#123456";
    return SettingsFileText(s);
  }

  std::string PageOf(const std::vector<std::string>& args) {
    RunResult r = run_.Run(args);
    EXPECT_EQ(r.exit_code, kOk) << r.err;
    return r.out;
  }
};

TEST_F(ConvertSettingsTest, StartValuesWithoutASettingsFile) {
  run_.WriteDocument("a.rtf", kRtf);
  std::string page = PageOf({"-o", "-", "a.rtf"});
  EXPECT_TRUE(Contains(page, "<TITLE></TITLE>"));
  EXPECT_TRUE(Contains(page, "<body bgcolor=\"#e0e0e0\">"));
}

TEST_F(ConvertSettingsTest, SettingsOptionIsReadAndNeverWritten) {
  run_.WriteDocument("a.rtf", kRtf);
  const std::string settings = SettingsWithTitle("Given");
  run_.WriteDocument("mine.ini", settings);
  std::string page = PageOf({"--settings", "mine.ini", "-o", "-", "a.rtf"});
  EXPECT_TRUE(Contains(page, "<TITLE>Given</TITLE>"));
  EXPECT_TRUE(Contains(page, "<body bgcolor=\"#123456\">"));
  std::string after;
  ASSERT_TRUE(ReadFileBytes(run_.work() / "mine.ini", &after).ok());
  EXPECT_EQ(after, settings);
  EXPECT_FALSE(std::filesystem::exists(run_.program() / "qavrel.ini"));
  EXPECT_FALSE(std::filesystem::exists(run_.config() / "tessarine"));
}

TEST_F(ConvertSettingsTest, ProgramFolderThenUserFolder) {
  run_.WriteDocument("a.rtf", kRtf);
  std::filesystem::create_directory(run_.config() / "tessarine");
  (void)WriteFileBytes(run_.config() / "tessarine" / "qavrel.ini", SettingsWithTitle("User"));
  EXPECT_TRUE(Contains(PageOf({"-o", "-", "a.rtf"}), "<TITLE>User</TITLE>"));
  (void)WriteFileBytes(run_.program() / "qavrel.ini", SettingsWithTitle("Program"));
  EXPECT_TRUE(Contains(PageOf({"-o", "-", "a.rtf"}), "<TITLE>Program</TITLE>"));
  // --settings wins over both.
  run_.WriteDocument("mine.ini", SettingsWithTitle("Given"));
  EXPECT_TRUE(Contains(PageOf({"--settings", "mine.ini", "-o", "-", "a.rtf"}), "<TITLE>Given</TITLE>"));
}

}  // namespace
}  // namespace tessarine
