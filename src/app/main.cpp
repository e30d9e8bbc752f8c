#include <QApplication>
#include <QEvent>
#include <QTimer>

#include "app/form_style.h"
#include "app/menu_window.h"

namespace {

// Quits the program once the window it watches has been painted for the first time.
class QuitAfterFirstPaint : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return false;
  }
};

}  // namespace

// Starts with the menu window; the program ends when its last window is closed.
// With MORAKU_EXIT_AFTER_SHOWN=1 it quits as soon as the menu is on screen (start-up timing).
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Moraku"));
  moraku::InstallFontFallbacks();
  QuitAfterFirstPaint quitAfterFirstPaint;
  moraku::MenuWindow menu(QCoreApplication::applicationDirPath());
  if (qEnvironmentVariableIntValue("MORAKU_EXIT_AFTER_SHOWN") == 1)
    menu.installEventFilter(&quitAfterFirstPaint);
  menu.show();
  return QApplication::exec();
}
