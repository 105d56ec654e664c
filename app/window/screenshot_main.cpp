// tessarine-screenshot: the window in a prepared state, for the pictures of the README.
// Usage: tessarine-screenshot window DOCUMENT [rtf|html]
//          opens DOCUMENT (.rtf or .txt) as "Открыть файлы ..." would, converts it and shows
//          the chosen tab (html by default), the page scrolled to its body;
//        tessarine-screenshot settings
//          shows the settings dialog filled from the settings of a fresh start.
// The settings are kept in a temporary folder; the program runs until it is closed.
#include <cstdio>
#include <string>

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "app/window/main_window.h"
#include "app/window/pane.h"
#include "app/window/platform.h"
#include "app/window/settings_codec.h"
#include "app/window/window_texts.h"
#include "settings/settings_dialog.h"

namespace {

using namespace tessarine;

// Chooses the given document in every open dialog; messages go to standard error.
class PreparedPlatform : public Platform {
 public:
  explicit PreparedPlatform(QString document) : document_(std::move(document)) {}
  void ShowMessage(const QString& text) override { std::fprintf(stderr, "%s\n", text.toUtf8().constData()); }
  QStringList ChooseFilesToOpen(const QString&, FileSelection) override { return {document_}; }
  QString ChooseFileToSave(const QString&) override { return {}; }
  bool OpenWithDesktop(const QString&) override { return false; }
  std::optional<SettingsForm> EditSettings(const SettingsForm&) override { return std::nullopt; }

 private:
  QString document_;
};

int Usage() {
  std::fprintf(stderr, "usage: tessarine-screenshot window DOCUMENT [rtf|html] | settings\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(texts::kApplicationTitle));
  QStringList args = QApplication::arguments();
  if (args.size() == 2 && args[1] == "settings") {
    SettingsDialog dialog(FormFromSettings(Settings()), DialogServices{});
    dialog.show();
    return QApplication::exec();
  }
  if (args.size() < 3 || args[1] != "window") return Usage();
  const QString document = args[2];
  const QString tab = args.size() > 3 ? args[3] : QStringLiteral("html");
  QTemporaryDir folder;
  PreparedPlatform platform(document);
  MainWindow window(platform, folder.path().toStdString());
  window.show();
  const bool text = document.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
  text ? window.OpenTxtFiles() : window.OpenRtfFiles();
  if (tab == "html") {
    text ? window.ConvertTextCommand() : window.ConvertRtfCommand();
    auto* html = window.findChild<PlainPane*>(QString::fromLatin1(names::kHtmlPane));
    QTextCursor body = html->document()->find(QStringLiteral("<body"));
    if (!body.isNull()) html->verticalScrollBar()->setValue(body.blockNumber() - 2);
  }
  return QApplication::exec();
}
