#include <string>
#include <vector>

#include <QMenuBar>

#include "app/window/code_page.h"
#include "settings/settings_file.h"
#include "tests/app/window_fixture.h"

namespace tessarine::testing {
namespace {

// A menu's items as captions, "—" for a separator and "name>" for a submenu.
std::vector<std::string> Items(const QList<QAction*>& actions) {
  std::vector<std::string> items;
  for (QAction* action : actions) {
    if (action->isSeparator()) {
      items.push_back("—");
    } else {
      items.push_back(action->text().toStdString() + (action->menu() != nullptr ? ">" : ""));
    }
  }
  return items;
}

using Strings = std::vector<std::string>;

TEST_F(WindowTest, InitialState) {
  MainWindow& window = Window();
  EXPECT_EQ(window.windowTitle(), "Tessarine v1.1");
  EXPECT_EQ(window.pos(), QPoint(155, 109));
  EXPECT_EQ(window.size(), QSize(544, 375));
  ASSERT_EQ(Tabs()->count(), 3);
  EXPECT_EQ(Tabs()->tabText(0), "Text");
  EXPECT_EQ(Tabs()->tabText(1), "RTF");
  EXPECT_EQ(Tabs()->tabText(2), "Html");
  EXPECT_EQ(Tabs()->currentIndex(), 0);
  EXPECT_EQ(Buttons(), "---");
  EXPECT_EQ(TxtButton()->text(), "TXT->HTML");
  EXPECT_EQ(RtfButton()->text(), "RTF->HTML");
  EXPECT_EQ(BrowserButton()->text(), "Браузер");
  for (QPushButton* button : {TxtButton(), RtfButton(), BrowserButton()}) {
    EXPECT_TRUE(button->font().bold());
    EXPECT_EQ(button->y(), 8);
    EXPECT_EQ(button->height(), 25);
  }
  EXPECT_EQ(TxtButton()->width(), 81);
  EXPECT_EQ(BrowserButton()->width(), 73);
  EXPECT_EQ(ProgressBar()->value(), 0);
  EXPECT_EQ(ProgressBar()->maximum(), 25);
  EXPECT_EQ(ProgressBar()->size(), QSize(121, 9));
  EXPECT_EQ(StatusText(), "");
  EXPECT_FALSE(EditorEnabled());
  for (PlainPane* pane : {TextPane(), HtmlPane()}) {
    EXPECT_TRUE(pane->toPlainText().isEmpty());
    EXPECT_EQ(pane->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(pane->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  }
  EXPECT_TRUE(RtfPane()->toPlainText().isEmpty());
  EXPECT_EQ(window.settings(), Settings());  // no settings file: the start values
}

TEST_F(WindowTest, MenusInOrder) {
  MainWindow& window = Window();
  EXPECT_EQ(Items(window.menuBar()->actions()),
            (Strings{"Файл>", "Редактор>", "Чтение RTF>", "Установки", "Справка"}));
  QList<QAction*> bar = window.menuBar()->actions();
  EXPECT_EQ(Items(bar[2]->menu()->actions()),
            (Strings{"Выбирать способ автоматически", "Проходами по тексту", "По структуре документа"}));
  EXPECT_EQ(Items(bar[0]->menu()->actions()), (Strings{"Открыть файлы RTF", "Открыть файлы TXT",
                                                       "Открыть файл HTML", "—", "Сохранить файл HTML"}));
  EXPECT_EQ(Items(bar[1]->menu()->actions()),
            (Strings{"Отменить", "—", "Вырезать", "Копировать", "Вставить", "Удалить", "—", "Выделить все"}));
  QMenu* pane_menu = Find<QMenu>(names::kPaneMenu);
  EXPECT_EQ(Items(pane_menu->actions()),
            (Strings{"Отмена", "—", "Вставить рисунок>", "Выбрать рисунок фона"}));
  EXPECT_EQ(Items(pane_menu->actions()[2]->menu()->actions()),
            (Strings{"Обтекать текстом слева", "Обтекать текстом справа", "Без обтекания текстом"}));
  for (QAction* action : window.findChildren<QAction*>()) {
    EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
    EXPECT_FALSE(action->text().contains('&')) << action->text().toStdString();
  }
  EXPECT_EQ(Tabs()->contextMenuPolicy(), Qt::CustomContextMenu);
  EXPECT_EQ(HtmlPane()->contextMenuPolicy(), Qt::CustomContextMenu);
}

TEST_F(WindowTest, EditorMenuFollowsTheHtmlTab) {
  Window();
  const struct {
    int tab;
    bool enabled;
  } steps[] = {{2, true}, {0, false}, {2, true}, {1, false}};
  for (const auto& step : steps) {
    Tabs()->setCurrentIndex(step.tab);
    EXPECT_EQ(EditorEnabled(), step.enabled) << "tab " << step.tab;
  }
}

TEST_F(WindowTest, LayoutRulesOnResize) {
  MainWindow& window = Window();
  window.resize(800, 600);
  QApplication::processEvents();
  EXPECT_EQ(BrowserButton()->x(), 712);
  EXPECT_EQ(RtfButton()->x(), 592);
  EXPECT_EQ(TxtButton()->x(), 472);
  EXPECT_EQ(ProgressBar()->pos(), QPoint(650, 540));
  EXPECT_EQ(Tabs()->height(), 496);
  EXPECT_EQ(Tabs()->geometry().bottom(), window.centralWidget()->height() - 1);  // aligned to the bottom
  EXPECT_EQ(Tabs()->width(), window.centralWidget()->width());
  for (QWidget* pane : {static_cast<QWidget*>(TextPane()), static_cast<QWidget*>(RtfPane()),
                        static_cast<QWidget*>(HtmlPane())}) {
    EXPECT_EQ(pane->height(), 478);
    EXPECT_LE(pane->height(), pane->parentWidget()->height());  // nothing of the pane is cut off
  }
}

TEST_F(WindowTest, SettingsAreReadAtStart) {
  // A picture whose name is Cyrillic: the settings file holds its path in code page 1251.
  std::filesystem::path picture = folder.Write("фон.gif", "GIF89a");
  std::string picture_cp1251 = ToCp1251(Path(picture));
  Settings stored;
  stored.bgcolor = "#ffffff";
  stored.bgimage = picture_cp1251;
  stored.titul = "\xc7\xe0\xe3\xee\xeb\xee\xe2\xee\xea";
  ASSERT_TRUE(SaveSettingsFile(folder / "qavrel.ini", stored).ok());
  EXPECT_EQ(Window().settings(), stored);
}

TEST_F(WindowTest, CloseWritesSettingsAndRemovesThePreview) {
  MainWindow& window = Window();
  folder.Write("mytempfile.htm", "<html></html>");
  ASSERT_EQ(window.preview_path(), folder / "mytempfile.htm");
  window.close();
  EXPECT_FALSE(std::filesystem::exists(folder / "mytempfile.htm"));
  std::string written;
  ASSERT_TRUE(ReadFileBytes(folder / "qavrel.ini", &written).ok());
  EXPECT_EQ(written, SettingsFileText(Settings()));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(WindowTest, CloseReportsSettingsThatCannotBeWritten) {
  MainWindow& window = Window();
  std::filesystem::create_directories(folder / "qavrel.ini");  // a folder where the file should go
  window.close();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_TRUE(platform.messages[0].startsWith("Установки не сохранены: "))
      << platform.messages[0].toStdString();
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace tessarine::testing
