// tessarine: the window for converting RTF documents and plain texts into HTML pages.
#include <QApplication>

#include "app/window/main_window.h"
#include "app/window/qt_platform.h"
#include "app/window/window_texts.h"
#include "settings/settings_location.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(tessarine::texts::kApplicationTitle));
  tessarine::QtPlatform platform;
  tessarine::MainWindow window(platform, tessarine::ProgramFolder());
  platform.SetDialogOwner(&window);
  window.show();
  return QApplication::exec();
}
