#include "passes/tables/sections.h"

#include <chrono>
#include <string>

#include <gtest/gtest.h>

namespace tessarine {
namespace {

class SectionsTest : public ::testing::Test {
 protected:
  Settings settings;
  ConversionState st{settings, {}};

  // Converts the section at the front of `source` after the output "saved"; returns what the
  // section added.
  std::string Section(const std::string& source) {
    st.Source.Load(source);
    st.OutputText = "saved";
    ConvertSection(st);
    EXPECT_EQ(st.OutputText.substr(0, 5), "saved");
    return st.OutputText.substr(5);
  }
  std::string Rest() const { return std::string(st.Source.Content()); }
};

// The section properties end with a group, so the text handed to paragraph conversion starts
// with that group's "}" and its "\pard".
const std::string kProperties = "{\\*\\pnseclvl1\\pnhang {\\pntxta .}}";
const std::string kParagraphs =
    "\\pard\\plain \\ql {First paragraph.\\par }\\pard\\plain \\ql {Second.\\par }";
const std::string kHtml = "<p>First paragraph.<br></p>\r\n<p>Second.<br>";

struct SectionCase {
  const char* name;
  std::string source;
  std::string html;
  std::string rest;
};

TEST_F(SectionsTest, SingleColumnSectionsFollowTheEarlierOutput) {
  const SectionCase cases[] = {
      {"no columns", "\\sectd \\sbknone" + kProperties + kParagraphs + "\\sect }\r\\sectd next", kHtml,
       "\r\\sectd next"},
      {"columns without spacing", "\\sectd \\cols2" + kProperties + kParagraphs + "\\sect }x", kHtml, "x"},
      {"only the first digit counts", "\\sectd \\cols12\\colsx708" + kProperties + kParagraphs + "\\sect }",
       kHtml, ""},
      {"no digit after the word", "\\sectd \\cols\\colsx708" + kProperties + kParagraphs + "\\sect }", kHtml,
       ""},
      {"the last section takes the rest", "\\sectd \\sbknone" + kProperties + kParagraphs + "\\sect", kHtml,
       ""},
      {"no brace after the section end", "\\sectd " + kProperties + kParagraphs + "\\sect ", kHtml, ""},
  };
  for (const SectionCase& c : cases) {
    EXPECT_EQ(Section(c.source), c.html) << c.name;
    EXPECT_EQ(Rest(), c.rest) << c.name;
  }
}

TEST_F(SectionsTest, TwoColumnsMakeABorderlessTableOfTwoCells) {
  const std::string out =
      Section("\\sectd \\cols2\\colsx708" + kProperties + kParagraphs + "\\sect }\r\\sectd x");
  // The section HTML has 43 characters, less than a piece (21 + 25): all of it goes to the first
  // column, and the second column reopens the paragraph left open at the cut.
  EXPECT_EQ(out,
            "<table border=0 width=90%>\r\n<tr>\r\n<td width=50%><p>First "
            "paragraph.<br></p>\r\n<p>Second.<br></p>\r\n"
            "</td>\r\n<td width=50%><p></td>\r\n</tr></table>\r\n");
  EXPECT_EQ(Rest(), "\r\\sectd x");
}

TEST_F(SectionsTest, ThreeColumnsAreEachAThirdWide) {
  std::string paragraphs;
  for (int i = 0; i < 12; ++i)
    paragraphs += "\\pard\\plain \\ql {Paragraph " + std::to_string(i) + ".\\par }";
  const std::string out = Section("\\sectd \\cols3\\colsx708" + kProperties + paragraphs + "\\sect }");
  size_t cells = 0;
  for (size_t at = out.find("<td width=33%>"); at != std::string::npos;
       at = out.find("<td width=33%>", at + 1))
    ++cells;
  EXPECT_EQ(cells, 3u) << out;
  for (int i = 0; i < 12; ++i)
    EXPECT_NE(out.find("Paragraph " + std::to_string(i) + "."), std::string::npos) << i;
}

// A document's last "\sectd" often has nothing after it: such a section writes nothing, and the
// paragraph before it is closed as if the section were not there.
TEST_F(SectionsTest, ASectionWithoutTextWritesNothing) {
  const SectionCase cases[] = {
      {"one column", "\\sectd \\sbknone\\linex0\\endnhere\\sectdefaultcl }", "", ""},
      {"two columns", "\\sectd \\sbknone\\linex0\\cols2\\colsx708\\endnhere\\sectdefaultcl }\r\n", "", ""},
      {"properties only", "\\sectd \\sbknone" + kProperties + "\\sect }\\sectd x", "", "\\sectd x"},
  };
  for (const SectionCase& c : cases) {
    // A span and a bold element left open by the paragraph before.
    st.SpanOpen = st.BoldOpen = true;
    st.ParagraphColour = st.SpanColour = "#FF0000";
    st.Alignment = "center";
    EXPECT_EQ(Section(c.source), c.html) << c.name;
    EXPECT_EQ(Rest(), c.rest) << c.name;
    EXPECT_TRUE(st.SpanOpen && st.BoldOpen) << c.name;
    EXPECT_EQ(st.ParagraphColour, "#FF0000") << c.name;
    EXPECT_EQ(st.SpanColour, "#FF0000") << c.name;
    EXPECT_EQ(st.Alignment, "center") << c.name;
  }
  // A paragraph mark is no text, but it is something the document shows.
  ConversionState fresh{settings, {}};
  fresh.Source.Load("\\sectd \\sbknone" + kProperties + "\\pard\\plain \\ql {\\par }\\sect }");
  ConvertSection(fresh);
  EXPECT_EQ(fresh.OutputText, "<p><br>");
}

TEST_F(SectionsTest, ManySectionsConvertInLinearTime) {
  std::string source;
  for (int i = 0; i < 30000; ++i)
    source += "\\sectd \\cols2\\colsx708" + kProperties + kParagraphs + "\\sect }";
  st.Source.Load(source);
  const auto started = std::chrono::steady_clock::now();
  int sections = 0;
  while (st.Source.Size() > 0 && sections < 40000) {
    const size_t before = st.Source.Size();
    ConvertSection(st);
    ASSERT_LT(st.Source.Size(), before);
    ++sections;
  }
  EXPECT_EQ(sections, 30000);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), 5.0);
}

}  // namespace
}  // namespace tessarine
