#include <filesystem>
#include <string>

#include <QTextCursor>

#include "app/window/code_page.h"
#include "tests/app/window_fixture.h"

namespace tessarine::testing {
namespace {

constexpr const char* kPage =
    "<HTML>\r\n<HEAD>\r\n<STYLE TYPE=\"text/css\">\r\np {font-size:10pt}\r\n</STYLE>\r\n</HEAD>\r\n"
    "<body bgcolor=\"#e0e0e0\">\r\n<p>\xcf\xe5\xf0\xe2\xfb\xe9.</p>\r\n<p>Second.</p>\r\n</body>\r\n</html>";

class PageCommandsTest : public WindowTest {
 protected:
  // Opens `page` as an HTML file; the Html tab is then shown.
  void OpenPage(std::string_view page = kPage) {
    platform.open_answers.push_back({Path(folder.Write("page.htm", page))});
    Trigger("openHtmlAction");
    platform.open_filters.clear();
  }
  void PutCaret(std::string_view before) {
    int at = HtmlPane()->toPlainText().indexOf(QString::fromLatin1(before.data(), before.size()));
    ASSERT_GE(at, 0);
    QTextCursor cursor = HtmlPane()->textCursor();
    cursor.setPosition(at + 1);
    HtmlPane()->setTextCursor(cursor);
  }
};

TEST_F(PageCommandsTest, OpenHtmlShowsThePageForEditing) {
  platform.open_answers.push_back({Path(folder.Write("doc.txt", "text\r\n"))});
  Trigger("openTxtAction");
  OpenPage();
  EXPECT_EQ(HtmlPane()->Page(), kPage);
  EXPECT_EQ(Window().document_text(), kPage);
  EXPECT_EQ(Window().document_name(), (folder / "page.htm").string());
  EXPECT_EQ(Tabs()->currentIndex(), 2);
  EXPECT_TRUE(EditorEnabled());
  EXPECT_EQ(Buttons(), "--B");
}

TEST_F(PageCommandsTest, OpenHtmlFilterAndCancel) {
  Trigger("openHtmlAction");
  EXPECT_EQ(platform.open_filters, (std::vector<QString>{"Файлы HTML|*.htm;*.html;*.dhtml;*.shtml;*.phtml"}));
  EXPECT_EQ(platform.selections, (std::vector<FileSelection>{FileSelection::kOne}));
  EXPECT_EQ(Buttons(), "---");
  EXPECT_EQ(Tabs()->currentIndex(), 0);
}

TEST_F(PageCommandsTest, PictureBeforeTheCaretsParagraph) {
  OpenPage();
  PutCaret("Second");
  platform.open_answers.push_back({"/pictures/сад.gif"});
  Trigger("pictureFloatRightAction");
  EXPECT_EQ(platform.open_filters, (std::vector<QString>{"Файлы рисунков|*.gif;*.jpg;*.bmp;*.png"}));
  std::string expected = kPage;
  expected.insert(expected.find("<p>Second"),
                  "<div style=\"float:right\">\r\n<img src=\"/pictures/\xf1\xe0\xe4.gif\"></div>\r\n");
  EXPECT_EQ(HtmlPane()->Page(), expected);
  Trigger("undoAction");
  EXPECT_EQ(HtmlPane()->Page(), kPage);
}

TEST_F(PageCommandsTest, PictureNeedsAPlaceAndTheHtmlTab) {
  OpenPage();
  PutCaret("font-size");
  Trigger("pictureNoFloatAction");
  EXPECT_EQ(platform.messages, (std::vector<QString>{"Выберите место для рисунка!"}));
  EXPECT_TRUE(platform.open_filters.empty());  // no dialog

  platform.messages.clear();
  PutCaret("Second");
  Trigger("pictureFloatLeftAction");  // the dialog is cancelled
  Tabs()->setCurrentIndex(0);
  platform.open_answers.push_back({"/p/a.gif"});
  Trigger("pictureFloatLeftAction");  // another tab: nothing
  Trigger("backgroundAction");
  EXPECT_EQ(HtmlPane()->Page(), kPage);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(platform.open_filters.size(), 1u);

  HtmlPane()->SetPage("<p>twenty chars.</p>");  // 20 characters: too short to be a page
  Tabs()->setCurrentIndex(2);
  Trigger("pictureFloatLeftAction");
  EXPECT_EQ(platform.open_filters.size(), 1u);
}

TEST_F(PageCommandsTest, BackgroundReplacedAndCancelKeepsThePage) {
  OpenPage();
  platform.open_answers.push_back({"/p/a.gif"});
  platform.open_answers.push_back({"/p/b.gif"});
  Trigger("backgroundAction");
  Trigger("backgroundAction");
  std::string page = HtmlPane()->Page();
  EXPECT_EQ(page.find("background-image"), page.rfind("background-image"));
  EXPECT_NE(page.find("p {font-size:10pt}\r\nbody {background-image:url(/p/b.gif)}\r\n\r\n</STYLE>"),
            std::string::npos);

  Trigger("backgroundAction");  // cancelled
  EXPECT_EQ(platform.messages, (std::vector<QString>{"Файл для вставки отсутствует!"}));
  EXPECT_EQ(HtmlPane()->Page(), page);
}

TEST_F(PageCommandsTest, SaveHtml) {
  Trigger("saveHtmlAction");  // nothing loaded yet
  EXPECT_EQ(platform.messages, (std::vector<QString>{"Отсутствует HTML текст!"}));
  EXPECT_TRUE(platform.save_filters.empty());

  OpenPage();
  HtmlPane()->moveCursor(QTextCursor::End);
  HtmlPane()->insertPlainText(QString::fromUtf8(" 😀"));
  const struct {
    const char* chosen;
    const char* written;
  } cases[] = {{"plain", "plain.htm"}, {"typed.htm", "typed.htm"}, {"typed.HTML", "typed.HTML"}};
  for (const auto& c : cases) {
    platform.save_answers.push_back(Path(folder / c.chosen));
    Trigger("saveHtmlAction");
    std::string saved;
    ASSERT_TRUE(ReadFileBytes(folder / c.written, &saved).ok()) << c.written;
    EXPECT_EQ(saved, std::string(kPage) + " &#128512;");
  }
  EXPECT_EQ(platform.save_filters.back(), "Файлы HTML (*.htm)|*.htm;*.html;*.shtml;*.dhtml;*.phtml");
  EXPECT_FALSE(std::filesystem::exists(folder / "typed.htm.htm"));
  // Saving again replaces the page whole, through a temporary file that does not stay behind.
  platform.save_answers.push_back(Path(folder / "plain"));
  Trigger("saveHtmlAction");
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    EXPECT_FALSE(entry.path().extension() == ".tmp") << entry.path();
  }

  platform.messages.clear();
  std::filesystem::create_directories(folder / "taken.htm");
  platform.save_answers.push_back(Path(folder / "taken"));
  Trigger("saveHtmlAction");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_TRUE(platform.messages[0].startsWith("Не удалось записать файл " + Path(folder / "taken.htm")));
}

TEST_F(PageCommandsTest, Preview) {
  OpenPage("<p>a page that never ends</p>");
  BrowserButton()->click();
  EXPECT_EQ(platform.messages, (std::vector<QString>{"Этот текст не является текстом HTML!"}));
  EXPECT_FALSE(std::filesystem::exists(Window().preview_path()));
  EXPECT_TRUE(platform.opened.empty());

  platform.messages.clear();
  OpenPage();
  BrowserButton()->click();
  std::string written;
  ASSERT_TRUE(ReadFileBytes(Window().preview_path(), &written).ok());
  EXPECT_EQ(written, kPage);
  EXPECT_EQ(platform.opened, (std::vector<QString>{Path(Window().preview_path())}));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PageCommandsTest, PreviewThatCannotBeWrittenOrOpened) {
  OpenPage();
  std::filesystem::create_directories(Window().preview_path());  // the file's place is taken
  BrowserButton()->click();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_TRUE(platform.messages[0].startsWith("Не удалось записать файл " + Path(Window().preview_path())));
  EXPECT_TRUE(platform.opened.empty());
  std::filesystem::remove(Window().preview_path());

  platform.messages.clear();
  platform.desktop_opens = false;
  BrowserButton()->click();
  EXPECT_TRUE(std::filesystem::is_regular_file(Window().preview_path()));
  EXPECT_EQ(platform.messages,
            (std::vector<QString>{"Не удалось открыть файл " + Path(Window().preview_path())}));
}

TEST_F(PageCommandsTest, OpenHtmlOfAMissingFileStopsSilently) {
  platform.open_answers.push_back({Path(folder.Write("doc.txt", "text\r\n"))});
  Trigger("openTxtAction");
  const std::string before(Window().document_text());
  platform.open_answers.push_back({Path(folder / "gone.htm")});
  Trigger("openHtmlAction");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(Window().document_text(), before);
  EXPECT_EQ(Window().document_name(), (folder / "gone.htm").string());
  EXPECT_EQ(Tabs()->currentIndex(), 0);
  EXPECT_EQ(Buttons(), "T--");
}

TEST_F(PageCommandsTest, PictureInATextWithoutParagraphs) {
  OpenPage("<html><body>a page with no paragraph at all</body></html>");
  HtmlPane()->moveCursor(QTextCursor::End);
  platform.open_answers.push_back({"/p/a.gif"});
  Trigger("pictureNoFloatAction");
  EXPECT_EQ(platform.messages, (std::vector<QString>{"Выберите место для рисунка!"}));
  EXPECT_TRUE(platform.open_filters.empty());
  EXPECT_EQ(HtmlPane()->Page(), "<html><body>a page with no paragraph at all</body></html>");
}

TEST_F(PageCommandsTest, BackgroundIsOneUndoableEdit) {
  std::string page = kPage;
  page.insert(page.find("</STYLE>"), "body {background-image:url(/p/a.gif)}\r\n");
  OpenPage(page);
  platform.open_answers.push_back({"/p/b.gif"});
  Trigger("backgroundAction");
  EXPECT_NE(HtmlPane()->Page().find("url(/p/b.gif)"), std::string::npos);
  EXPECT_EQ(HtmlPane()->Page().find("url(/p/a.gif)"), std::string::npos);
  Trigger("undoAction");
  EXPECT_EQ(HtmlPane()->Page(), page);
}

TEST_F(PageCommandsTest, Help) {
  Trigger("helpAction");
  EXPECT_EQ(platform.messages, (std::vector<QString>{"К сожалению, файл справки отсутствует!"}));
  EXPECT_TRUE(platform.opened.empty());
  folder.Write("lumbrel.chm", "help");
  Trigger("helpAction");
  EXPECT_EQ(platform.opened, (std::vector<QString>{Path(folder / "lumbrel.chm")}));
}

TEST_F(PageCommandsTest, SettingsCommandAppliesTheDialog) {
  Trigger("settingsAction");  // cancelled
  ASSERT_EQ(platform.shown_forms.size(), 1u);
  EXPECT_EQ(platform.shown_forms[0].bgcolor, "#e0e0e0");
  EXPECT_EQ(platform.shown_forms[0].fsizessl, "8");
  EXPECT_EQ(Window().settings(), Settings());

  SettingsForm edited = platform.shown_forms[0];
  edited.bgcolor = "#ffffff";
  edited.titul = "Заголовок";
  edited.fixed = true;
  platform.settings_answers.push_back(edited);
  Trigger("settingsAction");
  Settings expected;
  expected.bgcolor = "#ffffff";
  expected.titul = ToCp1251(QString("Заголовок"));
  expected.fixed = true;
  EXPECT_EQ(Window().settings(), expected);
  EXPECT_EQ(platform.shown_forms.size(), 2u);
}

}  // namespace
}  // namespace tessarine::testing
