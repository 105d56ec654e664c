#include "passes/pipeline/pipeline.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/time_bound.h"

namespace tessarine {
namespace {

class PipelineTest : public ::testing::Test {
 protected:
  Settings settings;
  ConversionState st{settings, {}};
  void Run(std::string_view source) {
    st.Source.Load(source);
    st.ProgressStep = st.Source.Length() / 25;
    RunPipeline(st);
  }
};

TEST_F(PipelineTest, DeclinesADocumentWithoutParagraphResetOrTableRow) {
  Run("{\\rtf1 Hello \\{x\\}\\par}");
  EXPECT_TRUE(st.SecondPath);
  EXPECT_EQ(st.OutputText, "");
  // The source stays for the fallback path, its escapes already rewritten.
  EXPECT_EQ(st.Source.Content(), "{\\rtf1 Hello \\\"\"\"x\\^^^\\par}");
}

TEST_F(PipelineTest, CutsTheHeaderReadsItsTablesAndConvertsTheBody) {
  Run("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
      "}\\pard\\plain {\\f1\\cf2 Hello}{ world\\ENDASH text}\r\n}");
  EXPECT_FALSE(st.SecondPath);
  EXPECT_FALSE(st.HasTables);
  EXPECT_FALSE(st.HasSections);
  EXPECT_EQ(st.FontTableText, "\\f0\\Arial**\\f1\\Times New Roman**");
  EXPECT_EQ(st.ColourList, (std::vector<std::string>{"#000000", "#FF0000", "#0000FF", ""}));
  EXPECT_EQ(st.OutputText,
            "<p><span style=\"font-family:Times New Roman;color:#0000FF\">Hello</span>\r\n world- text");
  EXPECT_EQ(st.Source.Length(), 0);
  EXPECT_TRUE(st.PassesDone);
}

TEST_F(PipelineTest, ColourTableHeaderForms) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      // The "}" that closes the table is the one of "}\pard\plain": the list runs to the header's end.
      {"{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\pard\\plain {x}}", {"#000000", "#FF0000", ""}},
      // A space before the automatic entry: the table is not read, the list stays.
      {"{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}}\\pard\\plain {x}}", {"kept"}},
      {"{\\rtf1{\\colortbl;}}\\pard\\plain {x}}", {"#000000", "#000000", ""}},
  };
  for (const auto& [source, colours] : cases) {
    st.ColourList = {"kept"};
    Run(source);
    EXPECT_EQ(st.ColourList, colours) << source;
  }
}

TEST_F(PipelineTest, MarkersDecideTablesAndSections) {
  testing::TimeBound bound(10);
  Run("{\\rtf1 x\\trowd\\cellx100 a\\cell\\row}\\pard\\plain {after the table}}");
  EXPECT_TRUE(st.HasTables);
  EXPECT_FALSE(st.SecondPath);

  ConversionState other{settings, {}};
  other.Source.Load("{\\rtf1 x}\\pard\\plain {before}\\sectd\\cols2 {in section}\\pard\\plain {y}}");
  RunPipeline(other);
  EXPECT_TRUE(other.HasSections);
  EXPECT_FALSE(other.HasTables);
  EXPECT_EQ(other.OutputText.rfind("<p>before", 0), 0u) << other.OutputText;
}

// Fronts that no rule can remove end the body loop instead of repeating it.
TEST_F(PipelineTest, BodyLoopEndsWhenAnIterationRemovesNothing) {
  const char* sources[] = {
      // A section marker with no paragraph marker after it.
      "{\\rtf1 x}\\pard\\plain {abc def ghi}\\sectd\\sbknone text text text}",
      // The body starts at a table row and holds no paragraph marker.
      "{\\rtf1 x\\trowd\\cellx100 a\\cell\\row text after the row}",
      // Tables without a last-row mark, and sections, before paragraph markers.
      "{\\rtf1 x}\\pard\\plain {a}\\trowd\\cellx100 a\\cell\\row\\pard\\plain {b}\\trowd\\cell\\row}",
      "{\\rtf1 x}\\pard\\plain {a}\\sectd\\cols2 {b}\\sect\\sectd\\pard\\plain {c}\\sectd}",
      "{\\rtf1 x\\trowd\\sectd\\trowd\\sectd\\pard\\trowd\\sectd\\pard}",
      "{\\rtf1 x}\\pard\\plain\\trowd\\trowd\\trowd\\trowd\\trowd\\trowd\\trowd\\trowd\\pard\\pard",
  };
  for (const char* source : sources) {
    testing::TimeBound bound(10);
    ConversionState fresh{settings, {}};
    fresh.Source.Load(source);
    RunPipeline(fresh);
    EXPECT_TRUE(fresh.PassesDone) << source;
  }
}

// The paragraphs in front are converted; the section at the front with no paragraph mark after
// it goes to the section pass, and the loop ends.
TEST_F(PipelineTest, ParagraphsInFrontOfASectionAreConverted) {
  testing::TimeBound bound(10);
  Run("{\\rtf1 x}\\pard\\plain {abc def ghi}\\sectd\\sbknone text text text}");
  EXPECT_EQ(st.OutputText.rfind("<p>abc def ghi", 0), 0u) << st.OutputText;
  EXPECT_NE(st.OutputText.find("text text text"), std::string::npos) << st.OutputText;
}

}  // namespace
}  // namespace tessarine
