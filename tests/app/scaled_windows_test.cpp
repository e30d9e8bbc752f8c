// SPDX-License-Identifier: GPL-3.0-or-later
// The windows at the display scale the test process runs at (ctest runs this suite at 100 %, and
// again with QT_SCALE_FACTOR at 150 % and 200 %): every picture of the windows is shown one image
// pixel per screen pixel, from the version drawn at that scale, and a record stepped by keys in a
// window opened as `moraku --section 2 --entry K` opens it looks exactly as when stepped by the
// buttons. With MORAKU_SCREENSHOT_DIR set the windows are also saved there as PNG files.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <cstring>

#include "app/instructions_window.h"
#include "app/joseki_window.h"
#include "app/menu_window.h"
#include "app/window_picture.h"
#include "app_test_support.h"
#include "data/sections.h"
#include "test_paths.h"

namespace moraku {
namespace {

using test::Settle;

// The scale in per cent, for the screenshots' names.
int Percent(const QWidget& window) {
  return qRound(window.devicePixelRatioF() * 100);
}

void SaveForReview(QWidget& window, const char* name) {
  const QString dir = qEnvironmentVariable("MORAKU_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  const QString path = QStringLiteral("%1/%2_%3.png").arg(dir).arg(name).arg(Percent(window));
  EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
}

// True when `patch` appears pixel for pixel somewhere in `image` (both opaque RGB32).
bool Contains(const QImage& image, const QImage& patch) {
  const auto rowBytes = static_cast<size_t>(patch.width()) * 4;
  for (int y = 0; y + patch.height() <= image.height(); ++y) {
    for (int x = 0; x + patch.width() <= image.width(); ++x) {
      int row = 0;
      while (row < patch.height() &&
             std::memcmp(image.constScanLine(y + row) + static_cast<size_t>(x) * 4,
                         patch.constScanLine(row), rowBytes) == 0)
        ++row;
      if (row == patch.height()) return true;
    }
  }
  return false;
}

// A part of a picture that its control shows, in the picture's 100 % pixels.
struct ShownPicture {
  const char* control;  // objectName
  const char* picture;  // file name
  QRect part;
};

// The control shows that part of the picture unstretched, at the screen's scale.
void ExpectSharp(QWidget& window, const ShownPicture& shown) {
  SCOPED_TRACE(shown.control);
  auto* control = window.findChild<QWidget*>(QString::fromLatin1(shown.control));
  ASSERT_NE(control, nullptr);
  const double ratio = window.devicePixelRatioF();
  const QImage picture = WindowPicture(QString::fromLatin1(shown.picture), ratio)
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(picture.isNull());
  const QRect part(qRound(shown.part.x() * ratio), qRound(shown.part.y() * ratio),
                   qRound(shown.part.width() * ratio), qRound(shown.part.height() * ratio));
  const QImage drawn = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(Contains(drawn, picture.copy(part)));
}

TEST(ScaledWindows, PicturesShowOneImagePixelPerScreenPixel) {
  MenuWindow menu(test::BuildDir());
  menu.SetRunningScale(menu.devicePixelRatioF());
  menu.show();
  Settle();
  for (const ShownPicture& shown :
       {ShownPicture{"Picture1", "menu_title.png", {100, 40, 160, 150}},
        ShownPicture{"Command5", "button_instructions.png", {40, 8, 90, 18}},
        ShownPicture{"Command6", "button_quit.png", {30, 8, 110, 18}},
        ShownPicture{"Image1", "child.png", {12, 10, 44, 60}}})
    ExpectSharp(menu, shown);
  SaveForReview(menu, "menu");

  menu.findChild<QPushButton*>(QStringLiteral("Command5"))->click();
  InstructionsWindow* instructions = menu.OpenInstructionsWindow();
  ASSERT_NE(instructions, nullptr);
  auto* topics = instructions->findChild<QComboBox*>(QStringLiteral("Combo1"));
  topics->setCurrentIndex(topics->count() - 1);
  topics->activated(topics->count() - 1);
  Settle();
  SaveForReview(*instructions, "instructions");

  JosekiWindow joseki(kHandicapSection, test::BuildDir());
  joseki.setAttribute(Qt::WA_DeleteOnClose, false);
  joseki.show();
  Settle();
  for (const char* indicator : {"Image1", "Image2"})
    ExpectSharp(joseki, {indicator, "end_indicator.png", {16, 12, 90, 50}});
}

void Press(QWidget& window, int key) {
  QWidget* target = window.focusWidget() != nullptr ? window.focusWidget() : &window;
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

TEST(ScaledWindows, KeysOnAWindowOpenedFromTheCommandLineDrawWhatTheButtonsDraw) {
  test::MessageCatcher messages;
  // The first star-point entry with a record.
  int entry = 0;
  {
    JosekiWindow probe(kStarPointSection, test::BuildDir());
    probe.setAttribute(Qt::WA_DeleteOnClose, false);
    for (int k = 1; k <= probe.ListRowCount() && entry == 0; ++k) {
      probe.ShowEntryAt(k);
      if (probe.findChild<QPushButton*>(QStringLiteral("Command22"))->isEnabled()) entry = k;
    }
  }
  ASSERT_GT(entry, 0) << "no star-point entry has a record";

  QImage byKeys;
  {
    MenuWindow menu(test::BuildDir());
    ASSERT_EQ(menu.OpenSectionAtStart(kStarPointSection, entry), "");
    JosekiWindow* window = menu.OpenJosekiWindow();
    Settle();
    const QImage opened = window->grab().toImage();
    Press(*window, Qt::Key_Home);
    Press(*window, Qt::Key_Right);
    Settle();
    byKeys = window->grab().toImage();
    EXPECT_NE(byKeys, opened);  // the keys changed the record board
    SaveForReview(*window, "joseki");
  }
  Settle();
  MenuWindow menu(test::BuildDir());
  menu.findChild<QPushButton*>(QStringLiteral("Command13"))->click();
  JosekiWindow* window = menu.OpenJosekiWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->ShowEntryAt(entry));
  window->findChild<QPushButton*>(QStringLiteral("Command22"))->click();  // 初手に戻る
  window->findChild<QPushButton*>(QStringLiteral("Command3"))->click();   // １手進む
  Settle();
  const QImage byButtons = window->grab().toImage();
  EXPECT_EQ(byButtons.size(), byKeys.size());
  EXPECT_TRUE(byButtons == byKeys);
}

}  // namespace
}  // namespace moraku
