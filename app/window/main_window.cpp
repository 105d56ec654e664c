#include "app/window/main_window.h"

#include <system_error>

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>

#include "app/commands/command_texts.h"
#include "app/window/code_page.h"
#include "app/window/layout_rules.h"
#include "app/window/pane.h"
#include "app/window/window_texts.h"
#include "base/file_text.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"

namespace tessarine {

namespace {

constexpr int kPreviewDeleteAttempts = 3;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// A tab page: its pane takes the page's width and the height the layout rules give it.
class PanePage : public QWidget {
 public:
  explicit PanePage(QWidget* pane) : pane_(pane) { pane_->setParent(this); }
  void SetPaneHeight(int height) {
    pane_height_ = height;
    Fit();
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    Fit();
  }

 private:
  void Fit() { pane_->setGeometry(0, 0, width(), pane_height_); }
  QWidget* pane_;
  int pane_height_ = 0;
};

QPushButton* MakeButton(const char* caption, const char* name, int width, QWidget* parent) {
  auto* button = new QPushButton(Text(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  QFont bold = button->font();
  bold.setBold(true);
  button->setFont(bold);
  button->resize(width, kButtonHeight);
  return button;
}

}  // namespace

MainWindow::MainWindow(Platform& platform, std::filesystem::path program_folder, QWidget* parent)
    : QMainWindow(parent), platform_(platform), program_folder_(std::move(program_folder)) {
  setWindowTitle(Text(texts::kWindowCaption));
  move(kWindowLeft, kWindowTop);
  resize(kWindowWidth, kWindowHeight);
  CreateActions();
  CreateMenus();
  CreateControls();
  Initialise();
}

MainWindow::~MainWindow() = default;

// Every command of the menus, in one place.
void MainWindow::CreateActions() {
  auto make = [this](const char* caption, const char* name, void (MainWindow::*command)()) {
    auto* action = new QAction(Text(caption), this);
    action->setObjectName(QString::fromLatin1(name));
    if (command != nullptr) connect(action, &QAction::triggered, this, command);
    return action;
  };
  actions_.open_rtf = make(texts::kOpenRtfFiles, "openRtfAction", &MainWindow::OpenRtfFiles);
  actions_.open_txt = make(texts::kOpenTxtFiles, "openTxtAction", &MainWindow::OpenTxtFiles);
  actions_.open_html = make(texts::kOpenHtmlFile, "openHtmlAction", &MainWindow::OpenHtml);
  actions_.save_html = make(texts::kSaveHtmlFile, "saveHtmlAction", &MainWindow::SaveHtml);
  actions_.undo = make(texts::kUndo, "undoAction", &MainWindow::Undo);
  actions_.cut = make(texts::kCut, "cutAction", &MainWindow::Cut);
  actions_.copy = make(texts::kCopy, "copyAction", &MainWindow::Copy);
  actions_.paste = make(texts::kPaste, "pasteAction", &MainWindow::Paste);
  actions_.remove = make(texts::kDelete, "deleteAction", &MainWindow::Delete);
  actions_.select_all = make(texts::kSelectAll, "selectAllAction", &MainWindow::SelectAll);
  actions_.read_auto = make(texts::kReadRtfAutomatically, "readRtfAutoAction", &MainWindow::ReadRtfAutomatically);
  actions_.read_passes = make(texts::kReadRtfByPasses, "readRtfPassesAction", &MainWindow::ReadRtfByPasses);
  actions_.read_model = make(texts::kReadRtfByModel, "readRtfModelAction", &MainWindow::ReadRtfByModel);
  auto* reading = new QActionGroup(this);
  for (QAction* action : {actions_.read_auto, actions_.read_passes, actions_.read_model}) {
    action->setCheckable(true);
    reading->addAction(action);
  }
  actions_.settings = make(texts::kMenuSettings, "settingsAction", &MainWindow::EditSettings);
  actions_.help = make(texts::kMenuHelp, "helpAction", &MainWindow::Help);
  actions_.context_cancel = make(texts::kContextCancel, "contextCancelAction", nullptr);
  actions_.picture_float_right =
      make(texts::kPictureFloatRight, "pictureFloatRightAction", &MainWindow::InsertPictureFloatRight);
  actions_.picture_float_left =
      make(texts::kPictureFloatLeft, "pictureFloatLeftAction", &MainWindow::InsertPictureFloatLeft);
  actions_.picture_no_float =
      make(texts::kPictureNoFloat, "pictureNoFloatAction", &MainWindow::InsertPictureNoFloat);
  actions_.background = make(texts::kChooseBackground, "backgroundAction", &MainWindow::SetBackground);
}

void MainWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(Text(texts::kMenuFile));
  file->setObjectName(QStringLiteral("fileMenu"));
  file->addAction(actions_.open_rtf);
  file->addAction(actions_.open_txt);
  file->addAction(actions_.open_html);
  file->addSeparator();
  file->addAction(actions_.save_html);

  editor_menu_ = menuBar()->addMenu(Text(texts::kMenuEditor));
  editor_menu_->setObjectName(QString::fromLatin1(names::kEditorMenu));
  editor_menu_->addAction(actions_.undo);
  editor_menu_->addSeparator();
  editor_menu_->addAction(actions_.cut);
  editor_menu_->addAction(actions_.copy);
  editor_menu_->addAction(actions_.paste);
  editor_menu_->addAction(actions_.remove);
  editor_menu_->addSeparator();
  editor_menu_->addAction(actions_.select_all);

  QMenu* reading = menuBar()->addMenu(Text(texts::kMenuRtfReading));
  reading->menuAction()->setObjectName(QStringLiteral("rtfReadingMenu"));
  reading->addAction(actions_.read_auto);
  reading->addAction(actions_.read_passes);
  reading->addAction(actions_.read_model);
  menuBar()->addAction(actions_.settings);
  menuBar()->addAction(actions_.help);

  pane_menu_ = new QMenu(this);
  pane_menu_->setObjectName(QString::fromLatin1(names::kPaneMenu));
  pane_menu_->addAction(actions_.context_cancel);
  pane_menu_->addSeparator();
  QMenu* picture = pane_menu_->addMenu(Text(texts::kInsertPicture));
  picture->setObjectName(QStringLiteral("pictureMenu"));
  picture->addAction(actions_.picture_float_right);
  picture->addAction(actions_.picture_float_left);
  picture->addAction(actions_.picture_no_float);
  pane_menu_->addAction(actions_.background);
}

void MainWindow::CreateControls() {
  auto* client = new QWidget(this);
  setCentralWidget(client);

  tabs_ = new QTabWidget(client);
  tabs_->setObjectName(QString::fromLatin1(names::kTabs));
  tabs_->setTabPosition(QTabWidget::South);
  // The rules leave 18 pixels of the tab control's height beside the pane: the tab bar's.
  tabs_->setDocumentMode(true);
  tabs_->setStyleSheet(QStringLiteral("QTabBar::tab { height: 16px; padding: 0 10px; }"));
  text_pane_ = new PlainPane;
  text_pane_->setObjectName(QString::fromLatin1(names::kTextPane));
  rtf_pane_ = new QTextEdit;
  rtf_pane_->setObjectName(QString::fromLatin1(names::kRtfPane));
  rtf_pane_->setLineWrapMode(QTextEdit::WidgetWidth);
  rtf_pane_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  rtf_pane_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  rtf_pane_->setAcceptRichText(false);
  html_pane_ = new PlainPane;
  html_pane_->setObjectName(QString::fromLatin1(names::kHtmlPane));
  const char* captions[] = {texts::kTabText, texts::kTabRtf, texts::kTabHtml};
  QWidget* panes[] = {text_pane_, rtf_pane_, html_pane_};
  for (int i = 0; i < 3; ++i) tabs_->addTab(new PanePage(panes[i]), Text(captions[i]));

  auto show_pane_menu = [this](QWidget* source) {
    return [this, source](const QPoint& at) { pane_menu_->popup(source->mapToGlobal(at)); };
  };
  tabs_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(tabs_, &QWidget::customContextMenuRequested, this, show_pane_menu(tabs_));
  html_pane_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(html_pane_, &QWidget::customContextMenuRequested, this, show_pane_menu(html_pane_));

  txt_button_ = MakeButton(texts::kButtonTxt, names::kTxtButton, kConvertButtonWidth, client);
  rtf_button_ = MakeButton(texts::kButtonRtf, names::kRtfButton, kConvertButtonWidth, client);
  browser_button_ = MakeButton(texts::kButtonBrowser, names::kBrowserButton, kBrowserButtonWidth, client);

  progress_ = new QProgressBar(client);
  progress_->setObjectName(QString::fromLatin1(names::kProgress));
  progress_->setRange(0, kProgressSteps);
  progress_->setTextVisible(false);
  progress_->resize(kProgressWidth, kProgressHeight);

  connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::ApplyEditorRule);
  connect(txt_button_, &QPushButton::clicked, this, &MainWindow::ConvertTextCommand);
  connect(rtf_button_, &QPushButton::clicked, this, &MainWindow::ConvertRtfCommand);
  connect(browser_button_, &QPushButton::clicked, this, &MainWindow::Preview);
}

void MainWindow::Initialise() {
  ClearPanes();
  status_ = new QLabel;
  status_->setObjectName(QString::fromLatin1(names::kStatus));
  statusBar()->addWidget(status_, 1);
  statusBar()->setSizeGripEnabled(false);
  ApplyLayout();
  txt_button_->setEnabled(false);
  rtf_button_->setEnabled(false);
  browser_button_->setEnabled(false);
  progress_->setValue(0);
  editor_menu_->menuAction()->setEnabled(false);
  InitialiseSettings();
  ShowRtfReading();
}

void MainWindow::InitialiseSettings() {
  preview_path_ = WritablePathFor(program_folder_, kPreviewFileName);
  std::optional<std::filesystem::path> file = SettingsFileToRead(program_folder_);
  if (!file) return;  // the record's start values stand
  std::string text;
  Status read = ReadFileText(*file, &text);
  (void)read;  // an unreadable file gives empty values, as an empty one does
  // Picture paths are kept in code page 1251; the file system names files in its own encoding.
  settings_ = SettingsFromText(text, [](const std::string& path) {
    return IsExistingFile(std::filesystem::path(FromCp1251(path).toStdU16String()));
  });
}

// The layout rules for the window's current size; W and H are the window's outer size as Qt
// knows it (the window manager's frame is not the program's).
void MainWindow::ApplyLayout() {
  if (tabs_ == nullptr) return;
  const WindowLayout layout = LayoutFor(width(), height());
  QWidget* client = centralWidget();
  const int client_width = client->width();
  tabs_->setGeometry(0, client->height() - layout.tab_height, client_width, layout.tab_height);
  for (int i = 0; i < tabs_->count(); ++i)
    static_cast<PanePage*>(tabs_->widget(i))->SetPaneHeight(layout.pane_height);
  txt_button_->move(layout.txt_button_left, kButtonTop);
  rtf_button_->move(layout.rtf_button_left, kButtonTop);
  browser_button_->move(layout.browser_button_left, kButtonTop);
  progress_->move(layout.progress_left, layout.progress_top);
  progress_->raise();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ApplyLayout();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  for (int attempt = 0; attempt < kPreviewDeleteAttempts && IsExistingFile(preview_path_); ++attempt) {
    std::error_code ignored;
    std::filesystem::remove(preview_path_, ignored);
  }
  ClearPanes();
  Status saved = SaveSettingsFile(WritablePathFor(program_folder_, kSettingsFileName), settings_);
  if (!saved.ok()) Report(std::string(texts::kSettingsNotSaved) + saved.message());
  event->accept();
}

void MainWindow::SelectTab(int index) {
  tabs_->setCurrentIndex(index);
  ApplyEditorRule(index);  // also when the tab was already selected, as a click would
}

void MainWindow::ApplyEditorRule(int index) {
  editor_menu_->menuAction()->setEnabled(index == 2);
}

void MainWindow::ClearPanes() {
  text_pane_->clear();
  rtf_pane_->clear();
  html_pane_->clear();
}

void MainWindow::SetStatus(const QString& text) {
  status_->setText(text);
  status_->repaint();  // conversions run on the window's thread: paint now
}

void MainWindow::SetProgress(int position) {
  progress_->setValue(position);
  progress_->repaint();
}

ProgressSink MainWindow::Progress() {
  return [this](int position) { SetProgress(position); };
}

void MainWindow::ShowPage(std::string_view page) {
  html_pane_->SetPage(page);
}

void MainWindow::Report(std::string_view utf8) {
  platform_.ShowMessage(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace tessarine
