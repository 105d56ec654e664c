// List-number groups with nested groups: the number, the carried text and the list state.
#include "passes/notes/list_number.h"

#include <string>

#include <gtest/gtest.h>

#include "passes/notes/complex_group.h"

namespace tessarine {
namespace {

class ListNumberTest : public ::testing::Test {
 protected:
  Settings settings;
  ConversionState st{settings, {}};
  void SetUp() override { st.Alignment = "left"; }
};

TEST_F(ListNumberTest, ConvertsByTheItemsParagraphsSoFar) {
  struct Case {
    const char* group;
    int item_paragraphs;
    std::string output, carry;
    bool in_list_item, pard_pending;
  };
  const Case cases[] = {
      // The number is carried to the item's text; the control words in front of it give the
      // paragraph opening and the text of their "\pard".
      {"{\\pntext\\pard\\plain\\f1 {\\b 1.}}", 0, "<p> <br>", "{\\b 1.}", true, true},
      // Text after the number is written as the next run and ends the list item again.
      {"{\\pntext\\pard\\plain\\f1 {\\b 1.}\\tab}", 0, "<p> <br> ", "{\\b 1.}", false, true},
      {"{\\pntext\\pard\\plain\\f1 {\\b 1.}}", 1, "<p> <br><span style=\"font-weight:bold\">1.&nbsp;&nbsp;",
       "", true, true},
      {"{\\listtext\\pard\\plain {\\par 2.}}", 1, "<p> <br>2.&nbsp;&nbsp;", "", true, true},
      // A leading nested group is the number itself, with no control words in front of it.
      {"{{\\listtext\\pard\\plain}}", 0, "", "{\\listtext\\pard\\plain}", true, true},
      // A "}" before the first nested group ends the conversion before anything is written.
      {"{\\pntext\\pard\\plain x}{y}}", 0, "", "", false, false},
  };
  for (const Case& c : cases) {
    ConversionState s{settings, {}};
    s.Alignment = "left";
    s.ListItemParagraphs = c.item_paragraphs;
    ConvertComplexGroup(c.group, 0, s);
    EXPECT_EQ(s.OutputText, c.output) << c.group;
    EXPECT_EQ(s.ListCarryText, c.carry) << c.group;
    EXPECT_EQ(s.InListItem, c.in_list_item) << c.group;
    EXPECT_EQ(s.ListPardPending, c.pard_pending) << c.group;
  }
}

TEST_F(ListNumberTest, IgnorableGroupInsideWritesNothingAndKeepsTheState) {
  st.ListPardPending = true;
  st.InListItem = true;
  ConvertListNumberGroup("{\\listtext\\pard\\plain{\\*\\x}{1.}}", 0, st);
  EXPECT_EQ(st.OutputText, "");
  EXPECT_TRUE(st.ListPardPending);
  EXPECT_TRUE(st.InListItem);
}

TEST_F(ListNumberTest, LaterRunOfTheParagraphGetsASpan) {
  st.OutputText = "<p>";
  st.ColourList = {"#000000", "#FF0000", ""};
  st.ListItemParagraphs = 1;
  ConvertComplexGroup("{\\pntext\\pard\\plain\\cf1 {3.}}", 1, st);
  EXPECT_EQ(st.OutputText, "<p><span style=\"color:#FF0000\"> <br></span>\r\n3.&nbsp;&nbsp;");
}

}  // namespace
}  // namespace tessarine
