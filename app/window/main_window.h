// MainWindow: three panes on a tab control, three command buttons, a progress bar, a status bar
// and the menus. Each command is a short member that calls the Qt-free commands and reports
// through the Platform.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <QMainWindow>

#include "app/cli/convert_file.h"
#include "app/commands/html_edit.h"
#include "app/window/platform.h"
#include "base/file_text.h"
#include "page/conversion.h"
#include "settings/settings.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTextEdit;

namespace tessarine {

class PlainPane;

// Object names of the controls and actions, for finding them from outside (tests, scripts).
namespace names {
inline constexpr const char* kTabs = "tabs";
inline constexpr const char* kTextPane = "textPane";
inline constexpr const char* kRtfPane = "rtfPane";
inline constexpr const char* kHtmlPane = "htmlPane";
inline constexpr const char* kTxtButton = "txtButton";
inline constexpr const char* kRtfButton = "rtfButton";
inline constexpr const char* kBrowserButton = "browserButton";
inline constexpr const char* kProgress = "progress";
inline constexpr const char* kStatus = "status";
inline constexpr const char* kEditorMenu = "editorMenu";
inline constexpr const char* kPaneMenu = "paneMenu";
}  // namespace names

class MainWindow : public QMainWindow {
 public:
  // The settings file, the preview file and the help file are looked for in `program_folder`
  // (the settings file and the preview file go to the per-user folder when it is read-only).
  MainWindow(Platform& platform, std::filesystem::path program_folder, QWidget* parent = nullptr);
  ~MainWindow() override;

  const Settings& settings() const { return settings_; }
  // The current document's text: the RTF document loaded, or the text or page shown.
  std::string_view document_text() const {
    return rtf_source_.text().empty() ? std::string_view(document_text_) : rtf_source_.text();
  }
  const std::string& document_name() const { return document_name_; }
  const std::filesystem::path& preview_path() const { return preview_path_; }

  // The commands, as the menus and buttons start them.
  void OpenRtfFiles();
  void OpenTxtFiles();
  void ConvertRtfCommand();
  void ConvertTextCommand();
  void Undo();
  void Cut();
  void Copy();
  void Paste();
  void Delete();
  void SelectAll();
  void OpenHtml();
  void SaveHtml();
  void Preview();
  void Help();
  void EditSettings();
  // The way RTF documents are read ("Чтение RTF"), kept in the settings.
  void ReadRtfAutomatically() { ChooseRtfReading("auto"); }
  void ReadRtfByPasses() { ChooseRtfReading("passes"); }
  void ReadRtfByModel() { ChooseRtfReading("model"); }
  void InsertPictureFloatRight() { InsertPicture(PicturePlacement::kFloatRight); }
  void InsertPictureFloatLeft() { InsertPicture(PicturePlacement::kFloatLeft); }
  void InsertPictureNoFloat() { InsertPicture(PicturePlacement::kNoFloat); }
  void SetBackground();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateControls();
  void Initialise();
  void InitialiseSettings();
  void ApplyLayout();

  void OpenFiles(SourceKind kind);
  void LoadRtf(const QString& path);
  void LoadText(const QString& path);
  void ConvertBatch(const QStringList& paths, SourceKind kind);
  void ChooseRtfReading(const char* engine);
  void ShowRtfReading();

  void InsertPicture(PicturePlacement placement);
  bool PostEditingAllowed();
  bool WritePage(const std::filesystem::path& path);
  void OpenWithDesktop(const std::filesystem::path& path);

  void SelectTab(int index);
  void ApplyEditorRule(int index);
  void ClearPanes();
  void SetStatus(const QString& text);
  void SetProgress(int position);
  ProgressSink Progress();
  void ShowPage(std::string_view page);
  void Report(std::string_view utf8);

  Platform& platform_;
  std::filesystem::path program_folder_;
  std::filesystem::path preview_path_;
  Settings settings_;
  std::string document_text_;  // the current document, code page 1251 (DocumentText), but an RTF one
  DocumentBytes rtf_source_;   // the RTF document loaded, as its file holds it (else empty)
  std::string document_name_;  // the page's file name for saving (DocumentName)

  QTabWidget* tabs_ = nullptr;
  PlainPane* text_pane_ = nullptr;
  QTextEdit* rtf_pane_ = nullptr;
  PlainPane* html_pane_ = nullptr;
  QPushButton* txt_button_ = nullptr;
  QPushButton* rtf_button_ = nullptr;
  QPushButton* browser_button_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  QMenu* editor_menu_ = nullptr;
  QMenu* pane_menu_ = nullptr;

  struct Actions {
    QAction* open_rtf = nullptr;
    QAction* open_txt = nullptr;
    QAction* open_html = nullptr;
    QAction* save_html = nullptr;
    QAction* undo = nullptr;
    QAction* cut = nullptr;
    QAction* copy = nullptr;
    QAction* paste = nullptr;
    QAction* remove = nullptr;
    QAction* select_all = nullptr;
    QAction* read_auto = nullptr;
    QAction* read_passes = nullptr;
    QAction* read_model = nullptr;
    QAction* settings = nullptr;
    QAction* help = nullptr;
    QAction* context_cancel = nullptr;
    QAction* picture_float_right = nullptr;
    QAction* picture_float_left = nullptr;
    QAction* picture_no_float = nullptr;
    QAction* background = nullptr;
  } actions_;
};

}  // namespace tessarine
