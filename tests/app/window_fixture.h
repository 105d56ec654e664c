// Drives MainWindow under Qt's offscreen platform with scripted dialogs.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

#include <gtest/gtest.h>

#include "app/window/main_window.h"
#include "app/window/pane.h"
#include "app/window/platform.h"
#include "base/file_text.h"

namespace tessarine::testing {

// One application object per test program, on the offscreen platform (no display needed).
inline QApplication& App() {
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Answers every dialog from a script and records what the window asked and said.
class ScriptedPlatform : public Platform {
 public:
  void ShowMessage(const QString& text) override { messages.push_back(text); }
  QStringList ChooseFilesToOpen(const QString& filter, FileSelection selection) override {
    open_filters.push_back(filter);
    selections.push_back(selection);
    if (open_answers.empty()) return {};
    QStringList answer = open_answers.front();
    open_answers.pop_front();
    return answer;
  }
  QString ChooseFileToSave(const QString& filter) override {
    save_filters.push_back(filter);
    if (save_answers.empty()) return {};
    QString answer = save_answers.front();
    save_answers.pop_front();
    return answer;
  }
  bool OpenWithDesktop(const QString& path) override {
    opened.push_back(path);
    return desktop_opens;
  }
  std::optional<SettingsForm> EditSettings(const SettingsForm& form) override {
    shown_forms.push_back(form);
    if (settings_answers.empty()) return std::nullopt;
    std::optional<SettingsForm> answer = settings_answers.front();
    settings_answers.pop_front();
    return answer;
  }

  std::deque<QStringList> open_answers;  // an empty list is a cancelled dialog
  std::deque<QString> save_answers;
  std::vector<QString> messages;
  std::vector<QString> open_filters;
  std::vector<FileSelection> selections;
  std::vector<QString> save_filters;
  std::vector<QString> opened;
  // False: the desktop has no program for the file.
  bool desktop_opens = true;
  std::deque<std::optional<SettingsForm>> settings_answers;  // none: cancelled
  std::vector<SettingsForm> shown_forms;
};

// A fresh folder per test, used as the program's folder and the per-user folder.
class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("tessarine-app-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  // Writes `bytes` to the file `name` in the folder and returns its path.
  std::filesystem::path Write(const std::string& name, std::string_view bytes) const {
    std::filesystem::path file = path_ / name;
    EXPECT_TRUE(WriteFileBytes(file, bytes).ok());
    return file;
  }

 private:
  std::filesystem::path path_;
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
  }

  // Creates and shows the window (the settings file, if wanted, must be written before).
  MainWindow& Window() {
    if (!window_) {
      window_ = std::make_unique<MainWindow>(platform, folder.path());
      window_->show();
    }
    return *window_;
  }

  template <typename T>
  T* Find(const char* name) {
    T* found = Window().findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QTabWidget* Tabs() { return Find<QTabWidget>(names::kTabs); }
  PlainPane* TextPane() { return Find<PlainPane>(names::kTextPane); }
  QTextEdit* RtfPane() { return Find<QTextEdit>(names::kRtfPane); }
  PlainPane* HtmlPane() { return Find<PlainPane>(names::kHtmlPane); }
  QPushButton* TxtButton() { return Find<QPushButton>(names::kTxtButton); }
  QPushButton* RtfButton() { return Find<QPushButton>(names::kRtfButton); }
  QPushButton* BrowserButton() { return Find<QPushButton>(names::kBrowserButton); }
  QProgressBar* ProgressBar() { return Find<QProgressBar>(names::kProgress); }
  QString StatusText() { return Find<QLabel>(names::kStatus)->text(); }
  bool EditorEnabled() { return Find<QMenu>(names::kEditorMenu)->menuAction()->isEnabled(); }
  void Trigger(const char* action) { Find<QAction>(action)->trigger(); }

  // "TXT", "RTF", "Браузер" enabled states as three letters: "-R-" means only RTF->HTML.
  std::string Buttons() {
    std::string state;
    state += TxtButton()->isEnabled() ? 'T' : '-';
    state += RtfButton()->isEnabled() ? 'R' : '-';
    state += BrowserButton()->isEnabled() ? 'B' : '-';
    return state;
  }

  static QString Path(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

  TempFolder folder;
  ScriptedPlatform platform;

 private:
  std::unique_ptr<MainWindow> window_;
};

}  // namespace tessarine::testing
