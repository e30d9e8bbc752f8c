// SPDX-License-Identifier: GPL-3.0-or-later
// The menu window: its layout read back from the widgets, and how its buttons open, raise and
// close the other windows.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include "app/form_style.h"
#include "app/instructions_window.h"
#include "app/joseki_window.h"
#include "app/menu_window.h"
#include "app/picture_button.h"
#include "app_test_support.h"
#include "data/sections.h"

namespace moraku {
namespace {

using test::ClickMouse;
using test::MessageCatcher;
using test::Settle;
using test::Snapshot;
using test::TempAppDir;
using test::TopLevels;

QColor Bgr(quint32 bgr) {
  return QColor(qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF));
}

QPushButton* Button(QWidget* window, const char* name) {
  return window->findChild<QPushButton*>(QString::fromLatin1(name));
}

// A program folder with two handicap entries, one star-point entry and one 3-4 point entry.
class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(app_.WriteDatabase({
                  "1,0,,1,置碁一,参考一,置碁の一,442363,,0001",
                  "2,0,,1,置碁二,参考二,置碁の二,442364,,0002",
                  "3,0,,1,星一,参考三,星の一,442336,,1003",
                  "4,0,,1,小目一,参考四,小目の一,342531,,2001",
              }),
              "");
  }
  void TearDown() override { Settle(); }

  TempAppDir app_;
  MessageCatcher messages_;
};

struct MenuControl {
  const char* name;
  QRect twips;  // left, top, width, height
};

// Positions in twips as designed.
const MenuControl kMenuControls[] = {
    {"Command12", {5280, 1200, 2055, 375}}, {"Command13", {5280, 1920, 2055, 375}},
    {"Command14", {5280, 2640, 2055, 375}}, {"Command5", {840, 3960, 2160, 495}},
    {"Command6", {840, 4680, 2160, 495}},   {"Picture1", {240, 240, 4815, 3495}},
    {"Image1", {5760, 4080, 1035, 1185}},
};

TEST_F(MenuTest, LayoutMatchesTheDesign) {
  MenuWindow menu(app_.Path());
  EXPECT_EQ(menu.windowTitle(), "Form1");
  EXPECT_EQ(menu.size(), QSize(512, 383));
  EXPECT_EQ(menu.minimumSize(), menu.maximumSize());

  for (const MenuControl& c : kMenuControls) {
    SCOPED_TRACE(c.name);
    QWidget* w = menu.findChild<QWidget*>(QString::fromLatin1(c.name));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), QRect(c.twips.x() / 15, c.twips.y() / 15, c.twips.width() / 15,
                                   c.twips.height() / 15));
    EXPECT_TRUE(w->isVisibleTo(&menu));
  }

  // The section buttons: captions, rounded gothic bold 14.25 points with a Japanese font behind.
  EXPECT_EQ(Button(&menu, "Command12")->text(), "置碁の部");
  EXPECT_EQ(Button(&menu, "Command13")->text(), "星 の 部");
  EXPECT_EQ(Button(&menu, "Command14")->text(), "小目の部");
  // Every section of the table has its button.
  for (const Section& section : AllSections()) {
    int buttons = 0;
    for (const QPushButton* b : menu.findChildren<QPushButton*>())
      if (b->text() == QString::fromUtf8(section.caption)) ++buttons;
    EXPECT_EQ(buttons, 1) << section.caption;
  }
  for (const char* name : {"Command12", "Command13", "Command14"}) {
    SCOPED_TRACE(name);
    const QFont font = Button(&menu, name)->font();
    EXPECT_EQ(font.families().value(0), "HG丸ｺﾞｼｯｸM-PRO");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 14.25);
    EXPECT_TRUE(font.bold());
    const QString used = QFontInfo(font).family();
    EXPECT_TRUE(used == "HG丸ｺﾞｼｯｸM-PRO" || JapaneseFallbackFonts().contains(used))
        << used.toStdString();
  }

  // The picture buttons carry their 172 x 35 pictures and no text.
  for (const char* name : {"Command5", "Command6"}) {
    SCOPED_TRACE(name);
    auto* b = qobject_cast<PictureButton*>(Button(&menu, name));
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->text().isEmpty());
    EXPECT_EQ(b->Picture().deviceIndependentSize(), QSizeF(172, 35));
  }
  // The title picture shows its top-left part; the child picture is whole.
  auto* title = menu.findChild<QLabel*>("Picture1");
  EXPECT_EQ(title->pixmap().size(), QSize(400, 300));
  EXPECT_EQ(title->alignment(), Qt::AlignLeft | Qt::AlignTop);
  EXPECT_EQ(menu.findChild<QLabel*>("Image1")->pixmap().size(), QSize(69, 79));

  // Tab order of the buttons.
  QStringList chain;
  QWidget* w = Button(&menu, "Command5");
  for (int i = 0; i < 5; ++i) {
    chain << w->objectName();
    do w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled());
  }
  EXPECT_EQ(chain, QStringList({"Command5", "Command6", "Command12", "Command13", "Command14"}));
}

TEST_F(MenuTest, ColoursAndFrameAsDrawn) {
  MenuWindow menu(app_.Path());
  const QImage shot = Snapshot(&menu);
  EXPECT_EQ(shot.pixelColor(420, 230), Bgr(0x004080));  // dark brown back colour
  EXPECT_EQ(shot.pixelColor(100, 8), Bgr(0x000040));    // top line
  EXPECT_EQ(shot.pixelColor(8, 100), Bgr(0x404040));    // left line, two wide
  EXPECT_EQ(shot.pixelColor(9, 100), Bgr(0x404040));
  EXPECT_EQ(shot.pixelColor(10, 100), Bgr(0x004080));
  EXPECT_EQ(shot.pixelColor(504, 100), Bgr(0x80C0FF));  // right line
  EXPECT_EQ(shot.pixelColor(300, 376), Bgr(0x80C0FF));  // bottom line

  // The load gives every section button its pale yellow.
  for (const char* name : {"Command12", "Command13", "Command14"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Snapshot(Button(&menu, name)).pixelColor(4, 3), Bgr(0x99FFFF));
  }
}

TEST_F(MenuTest, PictureButtonsShowTheFocusAndThePress) {
  MenuWindow menu(app_.Path());
  menu.show();
  menu.activateWindow();
  Settle();
  QPushButton* quit = Button(&menu, "Command6");
  const QImage plain = Snapshot(quit);  // the focus is on Command5
  const int w = plain.width();
  const int h = plain.height();

  quit->setFocus();
  Settle();
  ASSERT_TRUE(quit->hasFocus());
  const QImage focused = Snapshot(quit);
  for (QPoint edge : {QPoint(0, 0), QPoint(w / 2, 1), QPoint(w - 1, h / 2), QPoint(w / 2, h - 2)})
    EXPECT_EQ(focused.pixel(edge), qRgb(0, 0, 0)) << edge.x() << "," << edge.y();
  EXPECT_EQ(focused.copy(2, 2, w - 4, h - 4), plain.copy(2, 2, w - 4, h - 4));

  // Held down: a sunken frame, the picture one pixel further down and to the right.
  quit->setDown(true);
  const QImage pressed = Snapshot(quit);
  EXPECT_EQ(pressed.pixel(1, 1), qRgb(0x40, 0x40, 0x40));
  EXPECT_EQ(pressed.pixel(w - 2, h - 2), qRgb(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(pressed.copy(3, 3, w - 6, h - 6), plain.copy(2, 2, w - 6, h - 6));
  quit->setDown(false);

  Button(&menu, "Command5")->setFocus();
  Settle();
  EXPECT_EQ(Snapshot(quit), plain);
}

TEST_F(MenuTest, LoadReadsTheInstructionsFile) {
  app_.WriteFile("fld1/resume.txt", "\x81\xa1topic\r\nline of text\r\n\x81\xa1");
  MenuWindow menu(app_.Path());
  EXPECT_EQ(menu.HelpText(), "■topic\r\nline of text\r\n■");

  TempAppDir empty;
  MenuWindow withoutFile(empty.Path());
  EXPECT_EQ(withoutFile.HelpText(), "");
  EXPECT_EQ(withoutFile.SectionIndex(), 0);
}

TEST_F(MenuTest, SectionButtonsOpenOneJosekiWindowAndOnlyRaiseItAfterwards) {
  MenuWindow menu(app_.Path());
  menu.show();
  Button(&menu, "Command12")->click();
  EXPECT_EQ(menu.SectionIndex(), 1);
  JosekiWindow* first = menu.OpenJosekiWindow();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->ListRowCount(), 2);  // the handicap section

  // Pressing the other section while the window is open keeps the loaded section.
  Button(&menu, "Command13")->click();
  Settle();
  EXPECT_EQ(menu.SectionIndex(), 2);
  EXPECT_EQ(menu.OpenJosekiWindow(), first);
  EXPECT_EQ(TopLevels("Form4").size(), 1);
  EXPECT_EQ(first->ListRowCount(), 2);
  EXPECT_EQ(first->Session().state.SectionIndex, 1);

  // "メニュー" closes and deletes the window; the menu stays.
  Button(first, "Command7")->click();
  Settle();
  EXPECT_EQ(menu.OpenJosekiWindow(), nullptr);
  EXPECT_TRUE(TopLevels("Form4").isEmpty());
  EXPECT_TRUE(menu.isVisible());

  // A new choice loads the window afresh on the section chosen now.
  Button(&menu, "Command13")->click();
  JosekiWindow* second = menu.OpenJosekiWindow();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->Session().state.SectionIndex, 2);
  EXPECT_EQ(second->ListRowCount(), 3);
  EXPECT_TRUE(messages_.boxes.isEmpty());
}

TEST_F(MenuTest, ThreeFourButtonOpensItsSectionUnderTheSameRules) {
  MenuWindow menu(app_.Path());
  menu.show();
  Button(&menu, "Command14")->click();
  EXPECT_EQ(menu.SectionIndex(), 3);
  JosekiWindow* window = menu.OpenJosekiWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Session().state.SectionIndex, 3);
  EXPECT_EQ(window->ListRowCount(), 1);
  EXPECT_EQ(window->Session().state.JosekiMoves, "531");

  // Another section while it is open only raises it.
  Button(&menu, "Command12")->click();
  Settle();
  EXPECT_EQ(menu.SectionIndex(), 1);
  EXPECT_EQ(menu.OpenJosekiWindow(), window);
  EXPECT_EQ(window->ListRowCount(), 1);
  EXPECT_EQ(window->Session().state.SectionIndex, 3);
  EXPECT_TRUE(messages_.boxes.isEmpty());
}

TEST_F(MenuTest, InstructionsWindowIsSingleAndNewAfterClosing) {
  MenuWindow menu(app_.Path());
  menu.show();
  Button(&menu, "Command5")->click();
  InstructionsWindow* first = menu.OpenInstructionsWindow();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  Button(&menu, "Command5")->click();
  EXPECT_EQ(menu.OpenInstructionsWindow(), first);
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<InstructionsWindow*>(w) != nullptr) ++count;
  EXPECT_EQ(count, 1);

  first->close();
  Settle();
  EXPECT_EQ(menu.OpenInstructionsWindow(), nullptr);
  Button(&menu, "Command5")->click();
  ASSERT_NE(menu.OpenInstructionsWindow(), nullptr);
  EXPECT_TRUE(menu.OpenInstructionsWindow()->isVisible());
}

TEST_F(MenuTest, EndButtonClosesOnlyTheMenu) {
  MenuWindow menu(app_.Path());
  menu.show();
  Button(&menu, "Command12")->click();
  Button(&menu, "Command5")->click();
  ClickMouse(Button(&menu, "Command6"), QPoint(10, 10));
  Settle();
  EXPECT_FALSE(menu.isVisible());
  ASSERT_NE(menu.OpenJosekiWindow(), nullptr);
  EXPECT_TRUE(menu.OpenJosekiWindow()->isVisible());
  ASSERT_NE(menu.OpenInstructionsWindow(), nullptr);
  EXPECT_TRUE(menu.OpenInstructionsWindow()->isVisible());
}

}  // namespace
}  // namespace moraku
