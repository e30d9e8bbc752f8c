#include <QApplication>

#include "app/form_style.h"
#include "app/menu_window.h"

// Starts with the menu window; the program ends when its last window is closed.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Moraku"));
  moraku::InstallFontFallbacks();
  moraku::MenuWindow menu(QCoreApplication::applicationDirPath());
  menu.show();
  return QApplication::exec();
}
