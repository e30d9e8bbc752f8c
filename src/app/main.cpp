// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/form_style.h"
#include "app/joseki_window.h"
#include "app/menu_window.h"
#include "app/remembered_settings.h"
#include "app/start_options.h"
#include "data/sections.h"

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

// The settings file: MORAKU_SETTINGS_FILE when set (tests, benchmarks), else the user's own.
std::unique_ptr<moraku::RememberedSettings> OpenSettings() {
  const QString path = qEnvironmentVariable("MORAKU_SETTINGS_FILE");
  if (!path.isEmpty()) return std::make_unique<moraku::RememberedSettings>(path);
  return moraku::RememberedSettings::ForUser();
}

}  // namespace

// Starts with the menu window, or with the joseki window on a section given on the command line;
// the program ends when its last window is closed. With MORAKU_EXIT_AFTER_SHOWN=1 it quits as
// soon as the first window is on screen (start-up timing). A bad command line ends it with
// exit code 2.
int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const int sectionCount = static_cast<int>(moraku::AllSections().size());
  const moraku::StartOptions options = moraku::ParseStartOptions(arguments, sectionCount);
  if (!options.error.isEmpty()) {
    std::fprintf(stderr, "moraku: %s\n%s", qPrintable(options.error),
                 qPrintable(moraku::StartOptionsHelp(sectionCount)));
    return 2;
  }
  if (options.help) {
    std::fputs(qPrintable(moraku::StartOptionsHelp(sectionCount)), stdout);
    return 0;
  }

  // The scale must be known before the application starts: every window is laid out at it.
  std::unique_ptr<moraku::RememberedSettings> settings = OpenSettings();
  const double scale = options.scale > 0 ? options.scale : settings->Scale();
  if (scale != 1) {
    const double screenFactor = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                    ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                    : 1.0;
    qputenv("QT_SCALE_FACTOR", QByteArray::number((screenFactor > 0 ? screenFactor : 1) * scale));
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Moraku"));
  moraku::InstallFontFallbacks();
  moraku::RememberedSettings::SetActive(settings.get());
  QuitAfterFirstPaint quitAfterFirstPaint;
  moraku::MenuWindow menu(QCoreApplication::applicationDirPath());
  menu.SetRunningScale(scale);
  if (options.section > 0) {
    const QString problem = menu.OpenSectionAtStart(options.section, options.entry);
    if (!problem.isEmpty()) {
      std::fprintf(stderr, "moraku: %s\n", qPrintable(problem));
      return 2;
    }
    if (qEnvironmentVariableIntValue("MORAKU_EXIT_AFTER_SHOWN") == 1 && menu.OpenJosekiWindow())
      menu.OpenJosekiWindow()->installEventFilter(&quitAfterFirstPaint);
  } else {
    if (qEnvironmentVariableIntValue("MORAKU_EXIT_AFTER_SHOWN") == 1)
      menu.installEventFilter(&quitAfterFirstPaint);
    menu.show();
  }
  const int result = QApplication::exec();
  moraku::RememberedSettings::SetActive(nullptr);
  return result;
}
