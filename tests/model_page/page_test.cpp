// The page around the body: head, stylesheet rule groups, title and author, progress.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model_page/write_page.h"
#include "page/page_head.h"
#include "page/rtf_page.h"
#include "tests/model_page/document_builder.h"
#include "tests/model_page/sample_images.h"

namespace tessarine {
namespace {

using namespace testing;

// The page the passes' assembly gives for `flags` around `body` and `notes`.
std::string Expected(const Settings& settings, const StylesheetFlags& flags, std::string body,
                     std::string notes = {}) {
  std::string page;
  AssembleRtfPage(page, settings, flags, body, notes);
  return page;
}

TEST(ModelPageTest, PlainDocumentHasTheRtfPagesHeadAndOnlyTheParagraphRule) {
  Settings settings;
  settings.titul = "Отчёт \"2024\"";
  settings.titulautor = "Иванов <ivanov>";
  const std::string page = WriteModelPage(Document({Para("Hello")}), settings).page;
  EXPECT_EQ(page, Expected(settings, {}, "<p>Hello</p>\r\n"));
}

TEST(ModelPageTest, StylesheetRuleGroupsFollowWhatThePageHolds) {
  model::Document with_table = Document({Table({Row({Cell(1000, "x")})})});
  model::Document with_columns = Document({Section(2), Para("a"), Para("b")});
  model::Document with_link = Document({Para({LinkStart("http://example.com/"), Text("site"), LinkEnd()})});
  model::Document with_script_link =
      Document({Para({LinkStart("javascript:alert(1)"), Text("x"), LinkEnd()})});
  model::Document with_note = Document({Para({Text("word"), Mark(0)})});
  with_note.notes.push_back(Note(model::NoteKind::kFootnote, {Para("note")}));
  model::Document with_empty_table = Document({Table({Row({})})});

  struct Case {
    const char* name;
    const model::Document* document;
    StylesheetFlags flags;
  };
  const Case cases[] = {
      {"table", &with_table, {true, false, false, false}},
      {"columns", &with_columns, {false, true, false, false}},
      {"link", &with_link, {false, false, true, false}},
      {"script link", &with_script_link, {}},
      {"note", &with_note, {false, false, false, true}},
      {"empty table", &with_empty_table, {}},
  };
  for (const Case& c : cases) {
    const std::string page = PageOf(*c.document);
    EXPECT_EQ(page.find("td {vertical-align:top;") != std::string::npos,
              c.flags.has_tables || c.flags.has_sections)
        << c.name;
    EXPECT_EQ(page.find("A:link {COLOR:blue") != std::string::npos, c.flags.has_hyperlinks) << c.name;
    EXPECT_EQ(page.find("A.sslk:link") != std::string::npos, c.flags.has_footnotes) << c.name;
    EXPECT_EQ(page.find("<hr color=#dc143c width=70%>") != std::string::npos, c.flags.has_footnotes)
        << c.name;
  }
}

TEST(ModelPageTest, EmptyDocumentGivesAnEmptyBody) {
  EXPECT_EQ(PageOf(model::Document{}), Expected(Settings{}, {}, ""));
}

TEST(ModelPageTest, LineEndsAreCrLfThroughout) {
  model::Document document =
      Document({Para("one"), Table({Row({Cell(2000, "cell")})}), Para({Text("x"), Mark(0)})});
  document.notes.push_back(Note(model::NoteKind::kEndnote, {Para("note"), Para("more")}));
  const std::string page = PageOf(document);
  for (size_t i = 0; i < page.size(); ++i) {
    if (page[i] == '\n') {
      ASSERT_TRUE(i > 0 && page[i - 1] == '\r') << "a lone LF at " << i;
    }
    if (page[i] == '\r') {
      ASSERT_TRUE(i + 1 < page.size() && page[i + 1] == '\n') << "a lone CR at " << i;
    }
  }
}

TEST(ModelPageTest, ProgressRisesToTheEndAndReturnsToZero) {
  std::vector<model::Block> body;
  for (int i = 0; i < 200; ++i) body.push_back(Para(std::string(100, 'a')));
  std::vector<int> positions;
  WriteModelPage(Document(std::move(body)), Settings{}, [&](int position) { positions.push_back(position); });
  ASSERT_GE(positions.size(), 3u);
  for (size_t i = 0; i + 1 < positions.size(); ++i) {
    EXPECT_GE(positions[i], 0);
    EXPECT_LE(positions[i], 25);
    if (i > 0) {
      EXPECT_GE(positions[i], positions[i - 1]);
    }
  }
  EXPECT_EQ(positions[positions.size() - 2], 25);
  EXPECT_EQ(positions.back(), 0);
}

}  // namespace
}  // namespace tessarine
