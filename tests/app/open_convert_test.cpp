#include <cstdlib>
#include <string>

#include <QTextBlock>
#include <QTextDocument>

#include "app/window/code_page.h"
#include "choice/convert_rtf_document.h"
#include "settings/settings_file.h"
#include "tests/app/window_fixture.h"
#include "tests/support/paths.h"
#include "text/convert_text.h"

namespace tessarine::testing {
namespace {

// "Привет" bold and centred, then "World".
constexpr const char* kRtf =
    "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\r\n"
    "\\pard\\qc\\b \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\b0\\par\r\n\\pard World\\par}";
// The same in 10 pt Arial, as the passes' page shows it.
constexpr const char* kShownRtf =
    "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\r\n}"
    "\\pard\\qc\\f0\\fs20\\b \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\b0\\par\r\n\\pard\\f0\\fs20 World\\par}";
constexpr const char* kText = "\xcf\xf0\xe8\xe2\xe5\xf2\r\n\r\nOne line.\r\nTwo.\r\n";

// The document text of a file holding `bytes`.
std::string TextOf(std::string_view bytes) {
  return JoinLinesWithCrLf(bytes);
}

TEST_F(WindowTest, OpenRtfLoadsOneDocument) {
  std::filesystem::path file = folder.Write("doc.rtf", kRtf);
  platform.open_answers.push_back({Path(file)});
  Tabs()->setCurrentIndex(2);
  Trigger("openRtfAction");

  EXPECT_EQ(platform.open_filters, (std::vector<QString>{"Текстовые файлы RTF, DOC|*.rtf;*.doc"}));
  EXPECT_EQ(platform.selections, (std::vector<FileSelection>{FileSelection::kSeveral}));
  EXPECT_EQ(StatusText(), "Загружен файл: " + Path(file));
  EXPECT_EQ(Tabs()->currentIndex(), 1);
  EXPECT_FALSE(EditorEnabled());
  EXPECT_EQ(Buttons(), "-R-");
  EXPECT_EQ(Window().document_text(), TextOf(kRtf));
  EXPECT_EQ(Window().document_name(), (folder / "doc.htm").string());
  EXPECT_EQ(TextPane()->toPlainText(), "Привет\nWorld\n");
  QTextBlock first = RtfPane()->document()->firstBlock();
  EXPECT_EQ(first.text(), "Привет");
  EXPECT_EQ(first.blockFormat().alignment(), Qt::AlignHCenter);
  EXPECT_EQ(first.begin().fragment().charFormat().fontWeight(), QFont::Bold);
  EXPECT_TRUE(HtmlPane()->toPlainText().isEmpty());
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(folder / "doc.htm"));  // one file is not a batch
}

TEST_F(WindowTest, OpenTxtLoadsOneDocument) {
  std::filesystem::path file = folder.Write("doc.txt", kText);
  platform.open_answers.push_back({Path(file)});
  Trigger("openTxtAction");

  EXPECT_EQ(platform.open_filters, (std::vector<QString>{"Текстовые файлы TXT|*.txt"}));
  EXPECT_EQ(StatusText(), "Загружен файл " + Path(file));
  EXPECT_EQ(Tabs()->currentIndex(), 0);
  EXPECT_EQ(Buttons(), "T--");
  EXPECT_EQ(TextPane()->Page(), kText);
  EXPECT_EQ(Window().document_name(), (folder / "doc.htm").string());
}

TEST_F(WindowTest, OpenRtfRefusesAFileWithoutHeader) {
  std::filesystem::path file = folder.Write("word.doc", "\xD0\xCF\x11\xE0 binary word file");
  platform.open_answers.push_back({Path(file)});
  Trigger("openRtfAction");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], "ВНИМАНИЕ!\r\n\r\nОткрываемый файл не является файлом RTF!");
  EXPECT_TRUE(RtfPane()->toPlainText().isEmpty());
  EXPECT_TRUE(TextPane()->toPlainText().isEmpty());
  EXPECT_EQ(StatusText(), "");
  EXPECT_EQ(Buttons(), "---");
}

TEST_F(WindowTest, CancelledOpenOnlyEmptiesThePanes) {
  platform.open_answers.push_back({Path(folder.Write("doc.txt", kText))});
  Trigger("openTxtAction");
  Trigger("openRtfAction");  // no answer left: cancelled
  EXPECT_TRUE(TextPane()->toPlainText().isEmpty());
  EXPECT_EQ(Buttons(), "T--");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(WindowTest, RtfButtonShowsThePage) {
  platform.open_answers.push_back({Path(folder.Write("doc.rtf", kRtf))});
  Trigger("openRtfAction");
  std::vector<int> positions;
  QObject::connect(ProgressBar(), &QProgressBar::valueChanged, [&](int p) { positions.push_back(p); });
  RtfButton()->click();

  Conversion expected = ConvertRtfDocument(TextOf(kRtf), Settings());
  EXPECT_EQ(HtmlPane()->Page(), WithCrLfLineBreaks(expected.page));
  EXPECT_EQ(Tabs()->currentIndex(), 2);
  EXPECT_TRUE(EditorEnabled());
  EXPECT_EQ(Buttons(), "--B");
  EXPECT_EQ(ProgressBar()->value(), 0);
  EXPECT_EQ(Window().document_text(), TextOf(kRtf));  // the source stays
}

// The way of reading RTF is chosen in its menu, shown checked, kept in the settings file, and the
// status line tells which way the page was made.
TEST_F(WindowTest, TheWayOfReadingRtfIsChosenAndTold) {
  // A header with no brace before the first paragraph: the passes lose the text before the
  // table, so the automatic choice takes the structured reading.
  const std::string lost = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pgndec\\pard\\plain Title\\par\\pard\\plain {Body\\par }}";
  MainWindow& window = Window();
  QAction* automatic = window.findChild<QAction*>("readRtfAutoAction");
  QAction* passes = window.findChild<QAction*>("readRtfPassesAction");
  QAction* model = window.findChild<QAction*>("readRtfModelAction");
  ASSERT_TRUE(automatic && passes && model);
  EXPECT_TRUE(automatic->isChecked());
  const struct {
    QAction* action;
    const char* document;
    const char* engine;
    const char* status;
  } cases[] = {
      {automatic, kShownRtf, "auto", "Страница сделана проходами по тексту RTF"},
      {automatic, lost.c_str(), "auto", "Страница сделана по структуре документа"},
      {passes, lost.c_str(), "passes", "Страница сделана проходами по тексту RTF"},
      {model, kRtf, "model", "Страница сделана по структуре документа"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.document);
    c.action->trigger();
    EXPECT_TRUE(c.action->isChecked());
    EXPECT_EQ(window.settings().rtfengine, c.engine);
    platform.open_answers.push_back({Path(folder.Write("doc.rtf", c.document))});
    Trigger("openRtfAction");
    RtfButton()->click();
    EXPECT_EQ(StatusText(), QString::fromUtf8(c.status));
  }
  window.close();
  std::string written;
  ASSERT_TRUE(ReadFileBytes(folder / "qavrel.ini", &written).ok());
  EXPECT_NE(written.find("rtfengine=model\r\n"), std::string::npos);
}

TEST_F(WindowTest, TxtButtonShowsThePageOrTheRefusal) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {{"lines.txt", kText}, {"oneline.txt", "no line break at all"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform.messages.clear();
    platform.open_answers.push_back({Path(folder.Write(c.name, c.bytes))});
    Trigger("openTxtAction");
    std::string document = TextOf(c.bytes);
    Conversion expected = ConvertText(document, Settings());
    TxtButton()->click();
    EXPECT_EQ(Tabs()->currentIndex(), 2);
    EXPECT_TRUE(BrowserButton()->isEnabled());
    if (expected.refusal == Refusal::kNone) {
      EXPECT_TRUE(platform.messages.empty());
      EXPECT_EQ(HtmlPane()->Page(), WithCrLfLineBreaks(expected.page));
      EXPECT_EQ(Window().document_text(), expected.page);
      EXPECT_FALSE(TxtButton()->isEnabled());
    } else {
      ASSERT_EQ(platform.messages.size(), 1u);
      EXPECT_EQ(platform.messages[0], "Этот текст не годится для перевода в HTML");
      EXPECT_EQ(HtmlPane()->Page(), document);  // the text, unconverted
      EXPECT_TRUE(TxtButton()->isEnabled());
    }
  }
}

// A batch writes the same pages as tessarine-convert with the same settings, and reports the
// files it did not convert.
TEST_F(WindowTest, BatchMatchesTheCommandLine) {
  Settings settings;
  settings.bgcolor = "#ffffff";
  settings.titul = "\xc7\xe0\xe3\xee\xeb\xee\xe2\xee\xea";
  ASSERT_TRUE(SaveSettingsFile(folder / "qavrel.ini", settings).ok());
  Window();

  for (const char* kind : {"rtf", "txt"}) {
    SCOPED_TRACE(kind);
    const bool rtf = std::string(kind) == "rtf";
    std::filesystem::create_directories(folder / kind / "window");
    std::filesystem::create_directories(folder / kind / "cli");
    const std::vector<std::pair<std::string, std::string>> files =
        rtf ? std::vector<std::pair<std::string, std::string>>{{"a.rtf", kRtf},
                                                               {"b.doc", "\xD0\xCF\x11\xE0 not rtf"},
                                                               {"c.rtf", std::string(kRtf) + "\r\n{}"}}
            : std::vector<std::pair<std::string, std::string>>{
                  {"a.txt", kText}, {"b.txt", "one line only"}, {"c.txt", std::string(kText) + "More.\r\n"}};
    QStringList chosen;
    std::string cli =
        (BinDir() / "tessarine-convert").string() + " -q --settings " + (folder / "qavrel.ini").string();
    for (const auto& [name, bytes] : files) {
      chosen.append(Path(folder.Write(std::string(kind) + "/window/" + name, bytes)));
      cli += " " + folder.Write(std::string(kind) + "/cli/" + name, bytes).string();
    }
    chosen.append(Path(folder / kind / "window" / "gone.rtf"));
    (void)std::system((cli + " 2>/dev/null").c_str());

    platform.messages.clear();
    platform.open_answers.push_back(chosen);
    Trigger(rtf ? "openRtfAction" : "openTxtAction");

    int not_written = 1;  // gone.rtf
    for (const auto& [name, bytes] : files) {
      std::string page_name = name.substr(0, name.find('.')) + ".htm";
      std::string window_page, cli_page;
      bool window_wrote = ReadFileBytes(folder / kind / "window" / page_name, &window_page).ok();
      bool cli_wrote = ReadFileBytes(folder / kind / "cli" / page_name, &cli_page).ok();
      EXPECT_EQ(window_wrote, cli_wrote) << name;
      EXPECT_EQ(window_page, cli_page) << name;
      if (!window_wrote) ++not_written;
    }
    EXPECT_EQ(StatusText(), "Ожидание");
    ASSERT_EQ(platform.messages.size(), 1u);
    QStringList lines = platform.messages[0].split("\r\n");
    EXPECT_EQ(lines[0], "Обработка файлов закончена.");
    EXPECT_EQ(lines.size(), 1 + not_written);
    EXPECT_TRUE(lines.last().startsWith("gone.rtf: "));
    if (rtf) {
      EXPECT_TRUE(lines.contains("b.doc: Открываемый файл не является файлом RTF!"));
      EXPECT_EQ(Tabs()->currentIndex(), 2);  // the last page is shown
      std::string last;
      ASSERT_TRUE(ReadFileBytes(folder / kind / "window" / "c.htm", &last).ok());
      EXPECT_EQ(HtmlPane()->Page(), last);
      EXPECT_EQ(Buttons(), "--B");
    } else {
      EXPECT_EQ(Buttons(), "---");
    }
  }
}

}  // namespace
}  // namespace tessarine::testing
