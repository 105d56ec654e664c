// ConvertFallbackPath: documents without "}\pard\plain" and "\trowd", paragraph by paragraph.
#include "passes/fallback/fallback_path.h"

#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "passes/pipeline/convert_rtf.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

struct Body {
  std::string body;
  bool not_rtf = false;
};

Body ConvertBody(std::string_view source, ConversionState& st) {
  st.Source.Load(source);
  ConvertFallbackPath(st);
  return {st.OutputText, st.NotRtf};
}

Body ConvertBody(std::string_view source) {
  Settings settings;
  ConversionState st(settings, {});
  return ConvertBody(source, st);
}

constexpr const char* kDefaultP = "<p style=\"font-family:Arial;font-size:10pt;color:#000000\">";

TEST(FallbackPathTest, ConvertsParagraphByParagraph) {
  const std::pair<std::string, std::string> cases[] = {
      // The body starts at the "\pard" after "\viewkind4"; the first piece loses the "r" of its
      // closing "\par"; the last one, from the line break on, keeps its text after "\pard ".
      {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\viewkind4\\pard\\f0\\fs20 One\\par\r\n\\pard Two\\par}",
       "<p style=\"color:#000000\">One</p>\r\n" + std::string(kDefaultP) + "Two<br></p>\r\n"},
      // Every "\pard" after a line break or space: the body starts at the first one.
      {"{\\rtf1 {\\fonttbl{\\f0 Arial;}}\r\n\\pard x\\par\r\n}", std::string(kDefaultP) + "x<br></p>\r\n"},
      // The empty paragraph of the first "\pard" comes out empty, not as "pa".
      {"{\\rtf1 \\pard\\pard Some text}",
       std::string(kDefaultP) + "</p>\r\n" + kDefaultP + "Some text</p>\r\n"},
      // Fewer than ten characters left after a piece are not converted.
      {"{\\rtf1 \\pard\\pard x}", std::string(kDefaultP) + "</p>\r\n"},
      // A piece not ending in "\par" keeps its last letter; one ending in "\pard" loses the word.
      {"{\\rtf1 X\\pard One \\pard \\pard Two\\par}",
       std::string(kDefaultP) + "One</p>\r\n" + kDefaultP + " </p>\r\n" + kDefaultP + "Two<br></p>\r\n"},
      // A source shorter than ten characters after its header still has its paragraph.
      {"{\\rtf1 X\\pard y}", std::string(kDefaultP) + "y</p>\r\n"},
      // Paragraph boundaries: line break, space before and space after the word.
      {"{\\rtf1{\\fonttbl{\\f0 Arial;}}x\\pard\\f0\\fs20 A\\par \\pard\\f0\\fs20 B\\par\\pard "
       "C\\par\r\n\\pard\\f0\\fs20 D\\par}",
       "<p style=\"color:#000000\">A</p>\r\n<p style=\"color:#000000\">B</p>\r\n" + std::string(kDefaultP) +
           "C</p>\r\n<p style=\"color:#000000\">D<br></p>\r\n"},
  };
  for (const auto& [source, body] : cases) {
    Body run = ConvertBody(source);
    EXPECT_FALSE(run.not_rtf) << source;
    EXPECT_EQ(run.body, body) << source;
  }
}

TEST(FallbackPathTest, RefusesWhatIsNotRtf) {
  const std::string sources[] = {
      "plain text \\pard x\\par",
      std::string(18, ' ') + "{\\rtf1 \\pard x}",  // "{\rtf" not within the first 22 characters
      "",
  };
  for (const std::string& source : sources) {
    Body run = ConvertBody(source);
    EXPECT_TRUE(run.not_rtf) << source;
    EXPECT_EQ(run.body, "") << source;
  }
  EXPECT_FALSE(ConvertBody(std::string(17, ' ') + "{\\rtf1 \\pard x}").not_rtf);
}

// Documents without any paragraph word, as some writers produce them: the body after the groups
// that open the document is one paragraph.
TEST(FallbackPathTest, DocumentsWithoutParagraphWordsAreOneParagraph) {
  const std::pair<std::string, std::string> cases[] = {
      {"{\\rtf1 no paragraph words}",
       "<p style=\"font-family:Arial;font-size:10pt;color:#000000\">no paragraph words</p>\r\n"},
      {"{\\rtf1\\ansi{\\fonttbl\\f0\\fnil Dialog;}{\\colortbl\\red0\\green0\\blue0;}\r\n"
       "{\\info{\\title T}}{\\*\\generator G;}\\f0\\fs24 One\\par\r\nTwo\\par\r\n}",
       "<p style=\"font-family:Arial;font-size:12pt;color:#000000\">One<br>Two<br></p>\r\n"},
      {"{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\b Bold} text}",
       "<p><span style=\"font-weight:bold\">Bold</span> text</p>\r\n"},
  };
  for (const auto& [source, body_start] : cases) {
    Body run = ConvertBody(source);
    EXPECT_FALSE(run.not_rtf) << source;
    EXPECT_EQ(run.body.substr(0, body_start.size()), body_start) << source << "\n" << run.body;
  }
}

TEST(FallbackPathTest, ReadsTheTablesAndResetsTheTags) {
  Settings settings;
  ConversionState st(settings, {});
  st.BoldOpen = st.ItalicOpen = st.UnderlineOpen = true;
  Body run = ConvertBody(
      "{\\rtf1{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil Courier New;}}{\\colortbl ;\\red255\\green0\\blue0;}"
      "\\pard\\f1\\fs20\\cf1 Red\\par}",
      st);
  EXPECT_EQ(st.ColourList, (std::vector<std::string>{"#000000", "#FF0000", ""}));
  EXPECT_EQ(st.FontTableText, "\\f0\\Arial**\\f1\\Courier New**");
  EXPECT_EQ(run.body, "<p style=\"font-family:Courier New;color:#FF0000\">Red<br></p>\r\n");
}

TEST(FallbackPathTest, DoesNothingAfterThePipelineConvertedTheBody) {
  Settings settings;
  ConversionState st(settings, {});
  st.PassesDone = true;
  st.OutputText = "<p>done";
  Body run = ConvertBody("x}", st);
  EXPECT_FALSE(run.not_rtf);
  EXPECT_EQ(run.body, "<p>done");
}

// Through the whole conversion: only what is not RTF is refused; a document the pipeline
// converted is not, even when its last paragraph was too short to convert.
TEST(FallbackPathTest, OnlyDeclinedDocumentsCanBeRefused) {
  EXPECT_EQ(ConvertRtf("plain text \\pard x\\par", Settings{}).refusal, Refusal::kNotRtf);
  EXPECT_EQ(ConvertRtf("{\\rtf1 no paragraph words}", Settings{}).refusal, Refusal::kNone);
  EXPECT_EQ(ConvertRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\pard\\plain}", Settings{}).refusal, Refusal::kNone);
  EXPECT_EQ(ConvertRtf("{\\rtf1 x\\pard y}", Settings{}).refusal, Refusal::kNone);
}

TEST(FallbackPathTest, ProgressRisesToTheEnd) {
  Settings settings;
  std::vector<int> positions;
  ConversionState st(settings, [&positions](int p) { positions.push_back(p); });
  std::string source = "{\\rtf1 x";
  for (int i = 0; i < 200; ++i) source += "\\pard Paragraph text\\par\r\n";
  ConvertBody(source + "}", st);
  ASSERT_FALSE(positions.empty());
  for (size_t i = 1; i < positions.size(); ++i) EXPECT_GT(positions[i], positions[i - 1]);
  EXPECT_LE(positions.back(), 25);
}

TEST(FallbackPathTest, HostileSourcesConvertQuickly) {
  auto repeated = [](std::string_view unit, size_t bytes) {
    std::string s = "{\\rtf1 x";
    while (s.size() < bytes) s += unit;
    return s;
  };
  constexpr size_t kSize = 1 << 18;
  const std::string sources[] = {
      repeated(" \\pard", kSize),
      repeated("\r\\pard", kSize),
      repeated("\\pard ", kSize),
      repeated("\\pard", kSize),
      repeated("x\\pard{", kSize),
      repeated("\\pard}", kSize),
      repeated("\\pard x\\par\r\n", kSize),
      repeated("\\pard\\b x\\b0 y{\\i z}", kSize),
      "{\\rtf1 \\pard" + std::string(kSize, 'x'),
      repeated(" ", kSize) + "\\pard x",
  };
  for (const std::string& source : sources) {
    const auto start = std::chrono::steady_clock::now();
    Body run = ConvertBody(source);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(run.not_rtf);
    EXPECT_LT(elapsed, std::chrono::seconds(10)) << source.substr(0, 30);
  }
}

// The corpus documents with neither "}\pard\plain" nor "\trowd" (in any letter case) are the
// ones the pipeline declines.
bool TakesTheFallbackPath(std::string_view text) {
  auto lower = std::string(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.find("}\\pard\\plain") == std::string::npos && lower.find("\\trowd") == std::string::npos;
}

TEST(FallbackPathTest, CorpusDocumentsConvertWithoutHanging) {
  std::ifstream manifest(testing::CorpusDir() / "MANIFEST.tsv");
  if (!manifest) GTEST_SKIP() << "no corpus";
  std::string line;
  std::getline(manifest, line);  // column names
  int converted = 0;
  while (std::getline(manifest, line)) {
    const std::string name = line.substr(0, line.find('\t'));
    std::string text;
    if (!ReadFileText(testing::CorpusDir() / name, &text).ok() || !TakesTheFallbackPath(text)) continue;
    const auto start = std::chrono::steady_clock::now();
    Conversion result = ConvertRtf(text, Settings{});
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(5)) << name;
    EXPECT_TRUE(result.page.ends_with("</p>\r\n</body>\r\n</html>")) << name;
    ++converted;
  }
  EXPECT_GT(converted, 40);
}

}  // namespace
}  // namespace tessarine
