// SPDX-License-Identifier: GPL-3.0-or-later
// Everyday use of the windows: record keys and the wheel press exactly the record buttons (and
// nothing while those are disabled), Return presses the focused button, the boards drawn at a
// larger scale keep clicks on the same points, and the remembered settings survive a restart
// and a damaged file.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QWheelEvent>

#include "app/instructions_window.h"
#include "app/joseki_window.h"
#include "app/menu_window.h"
#include "app/remembered_settings.h"
#include "app/start_options.h"
#include "app_test_support.h"
#include "render/image_names.h"
#include "test_paths.h"

namespace moraku {
namespace {

using test::MessageCatcher;
using test::Settle;
using test::TempAppDir;

// Handicap entries: 1 without record, 2 with a seven-move record.
const QStringList kRows = {
    "1,0,,1,置碁一,参考一,置碁の一,442361,,0001",
    "2,0,,1,置碁二,参考二,置碁の二,442351,実戦例|1/7|4436354647DDEE,0002",
};

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
}

class EverydayUseTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(app_.WriteDatabase(kRows), ""); }

  // A fresh window on entry `entry`.
  std::unique_ptr<JosekiWindow> Open(int entry) {
    auto window = std::make_unique<JosekiWindow>(1, app_.Path());
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    Settle();
    EXPECT_TRUE(window->ShowEntryAt(entry));
    return window;
  }
  static QPushButton* Button(QWidget* window, const char* name) {
    return window->findChild<QPushButton*>(QString::fromLatin1(name));
  }

  TempAppDir app_;
  MessageCatcher messages_;
};

TEST_F(EverydayUseTest, EachRecordKeyDoesWhatItsButtonDoes) {
  struct Binding {
    int key;
    const char* button;
  };
  const Binding bindings[] = {{Qt::Key_Home, "Command22"},     {Qt::Key_Right, "Command3"},
                              {Qt::Key_PageDown, "Command17"}, {Qt::Key_End, "Command2"},
                              {Qt::Key_Left, "Command20"},     {Qt::Key_PageUp, "Command21"}};
  // From the same start (entry 2 at its first move, then two forward), a key and its button leave
  // the same move count, board picture and end indicator.
  for (const Binding& b : bindings) {
    SCOPED_TRACE(b.button);
    auto byKey = Open(2);
    auto byButton = Open(2);
    for (JosekiWindow* w : {byKey.get(), byButton.get()}) {
      Button(w, "Command22")->click();
      Button(w, "Command3")->click();
      Button(w, "Command3")->click();
    }
    // Keys reach the window from whichever control has the focus, the list included.
    Press(byKey->findChild<QListView*>("List1"), b.key);
    Button(byButton.get(), b.button)->click();
    EXPECT_EQ(byKey->Session().state.MoveCount, byButton->Session().state.MoveCount);
    EXPECT_EQ(byKey->Session().canvas.Display(), byButton->Session().canvas.Display());
    EXPECT_EQ(byKey->findChild<QLabel*>("Image2")->isVisible(),
              byButton->findChild<QLabel*>("Image2")->isVisible());
  }
  // The keys move something: Home then Right from the end is move 2.
  auto w = Open(2);
  Press(Button(w.get(), "Command6"), Qt::Key_End);
  Press(Button(w.get(), "Command6"), Qt::Key_Home);
  Press(Button(w.get(), "Command6"), Qt::Key_Right);
  EXPECT_EQ(w->Session().state.MoveCount, 2);
}

TEST_F(EverydayUseTest, KeysAndWheelDoNothingWhileTheRecordButtonsAreDisabled) {
  auto w = Open(1);  // no record: the record buttons are disabled
  ASSERT_FALSE(Button(w.get(), "Command3")->isEnabled());
  const QImage before = w->Session().canvas.Display();
  const int moves = w->Session().state.MoveCount;
  for (int key :
       {Qt::Key_Right, Qt::Key_Left, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown})
    Press(w.get(), key);
  QWidget* display = w->findChild<QWidget*>("Display");
  QWheelEvent wheel(QPointF(700, 100), display->mapToGlobal(QPointF(700, 100)), QPoint(),
                    QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(display, &wheel);
  EXPECT_EQ(w->Session().canvas.Display(), before);
  EXPECT_EQ(w->Session().state.MoveCount, moves);

  // Up and Down stay with the list: they change the entry.
  auto* list = w->findChild<QListView*>("List1");
  Press(list, Qt::Key_Down);
  EXPECT_EQ(w->SelectedRow(), 1);
  EXPECT_EQ(w->Session().state.CurrentEntry, 2);
  // With Ctrl the jump keys move the list: to its first row, and back to its last.
  Press(list, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(w->SelectedRow(), 0);
  EXPECT_EQ(w->Session().state.CurrentEntry, 1);
  Press(list, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(w->SelectedRow(), 1);
  EXPECT_EQ(w->Session().state.CurrentEntry, 2);
}

TEST_F(EverydayUseTest, WheelOverTheRecordBoardStepsOneMovePerNotch) {
  auto w = Open(2);
  Button(w.get(), "Command22")->click();
  QWidget* display = w->findChild<QWidget*>("Display");
  auto turn = [display](int x, int delta) {
    QWheelEvent wheel(QPointF(x, 100), display->mapToGlobal(QPointF(x, 100)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(display, &wheel);
  };
  turn(700, -240);  // two notches towards the user
  EXPECT_EQ(w->Session().state.MoveCount, 3);
  turn(700, 60);  // half a notch: nothing yet
  EXPECT_EQ(w->Session().state.MoveCount, 3);
  turn(700, 60);
  EXPECT_EQ(w->Session().state.MoveCount, 2);
  turn(100, -120);  // over the joseki board
  EXPECT_EQ(w->Session().state.MoveCount, 2);
}

TEST_F(EverydayUseTest, ReturnPressesTheFocusedButtonInEveryWindow) {
  auto w = Open(2);
  Button(w.get(), "Command3")->click();
  Press(Button(w.get(), "Command22"), Qt::Key_Return);
  EXPECT_EQ(w->Session().state.MoveCount, 1);

  MenuWindow menu(app_.Path());
  menu.show();
  Press(Button(&menu, "Command5"), Qt::Key_Return);
  ASSERT_NE(menu.OpenInstructionsWindow(), nullptr);
  Press(Button(menu.OpenInstructionsWindow(), "Command1"), Qt::Key_Enter);
  Settle();
  EXPECT_EQ(menu.OpenInstructionsWindow(), nullptr);
}

TEST_F(EverydayUseTest, ScaledBoardKeepsClicksOnTheSamePointsAndDrawsFromTheScaledSet) {
  for (double scale : kScaledImageSets) {
    SCOPED_TRACE(scale);
    auto plain = Open(1);
    auto sharp = std::make_unique<JosekiWindow>(1, app_.Path());
    sharp->Session().canvas.EnableScaledTwin(
        std::make_unique<ImageStore>(test::Fld2Dir() + "/" + ScaledSetFolder(scale)), scale);
    sharp->Session().canvas.DrawEmptyBoard(Board::Record);
    sharp->show();
    Settle();
    const QImage& twin = sharp->Session().canvas.ScaledDisplay();
    ASSERT_EQ(twin.width(), ScaledImageLength(kBoardPictureWidth, scale));
    for (JosekiWindow* w : {plain.get(), sharp.get()}) {
      QWidget* display = w->findChild<QWidget*>("Display");
      Button(w, "Command1")->click();  // start the search input
      for (QPoint p :
           {QPoint((4 + 19) * 22 + 5, 3 * 23 + 5), QPoint((3 + 19) * 22 + 20, 5 * 23 + 2)}) {
        test::MoveMouse(display, p);
        test::ClickMouse(display, p);
      }
    }
    // The same points were taken, and the 1x picture is the same.
    EXPECT_EQ(sharp->Session().state.SearchText, "442631");
    EXPECT_EQ(sharp->Session().state.SearchText, plain->Session().state.SearchText);
    EXPECT_EQ(sharp->Session().canvas.Display(), plain->Session().canvas.Display());
    // The twin shows stone 1 of the scaled set on the scaled place of point (4, 4).
    ImageStore scaledSet(test::Fld2Dir() + "/" + ScaledSetFolder(scale));
    const QImage* stone = scaledSet.Load(NumberedStoneName(true, 1));
    ASSERT_NE(stone, nullptr);
    const int hidden = ScaledImageLength(1, scale);
    const int sx = static_cast<int>(std::floor((4 + 19) * 22 * scale));
    const int sy = static_cast<int>(std::floor(3 * 23 * scale));
    int differing = 0;
    for (int y = 0; y < ScaledImageLength(22, scale); ++y)
      for (int x = 0; x < ScaledImageLength(22, scale); ++x)
        if (twin.pixel(sx + x, sy + y) != stone->pixel(hidden + x, y)) ++differing;
    EXPECT_EQ(differing, 0);
  }
}

TEST_F(EverydayUseTest, SettingsRoundTripAndDamagedOrOutOfRangeValuesGiveDefaults) {
  const QString path = app_.Path() + "/settings.ini";
  {
    RememberedSettings settings(path);
    EXPECT_EQ(settings.Scale(), 1);
    EXPECT_EQ(settings.LastSection(), 0);
    EXPECT_EQ(settings.LastEntry(2), 0);
    EXPECT_FALSE(settings.LargeText());
    EXPECT_FALSE(settings.WindowPosition("Form4").has_value());
    settings.SetScale(1.5);
    settings.SetLastEntry(2, 17);
    settings.SetLastEntry(1, 3);
    settings.SetLargeText(true);
    settings.SetWindowPosition("Form4", QPoint(40, 60));
    ASSERT_TRUE(settings.Save());
  }
  {
    RememberedSettings settings(path);
    EXPECT_EQ(settings.Scale(), 1.5);
    EXPECT_EQ(settings.LastSection(), 1);
    EXPECT_EQ(settings.LastEntry(2), 17);
    EXPECT_EQ(settings.LastEntry(1), 3);
    EXPECT_TRUE(settings.LargeText());
    EXPECT_EQ(settings.WindowPosition("Form4"), QPoint(40, 60));
  }
  {
    // Storing what is stored already leaves the file alone (a start and a close that change
    // nothing write nothing); a new value is written.
    app_.WriteFile("settings.ini", app_.ReadFile("settings.ini") + "; a note by hand\n");
    RememberedSettings settings(path);
    settings.SetScale(1.5);
    settings.SetLastEntry(1, 3);
    settings.SetLargeText(true);
    settings.SetWindowPosition("Form4", QPoint(40, 60));
    ASSERT_TRUE(settings.Save());
    EXPECT_TRUE(app_.ReadFile("settings.ini").contains("; a note by hand"));
    settings.SetWindowPosition("Form4", QPoint(41, 60));
    ASSERT_TRUE(settings.Save());
    EXPECT_EQ(RememberedSettings(path).WindowPosition("Form4"), QPoint(41, 60));
  }
  for (const char* text :
       {"[display]\nscale=3\n[joseki]\nlastSection=-4\nsection2\\entry=x\nlargeText=7\n"
        "[windows]\nForm4\\position=12\n",
        "\xff\xfe\x00[[[=\n\x01\x02", ""}) {
    app_.WriteFile("settings.ini", QByteArray(text));
    RememberedSettings settings(path);
    EXPECT_EQ(settings.Scale(), 1);
    EXPECT_EQ(settings.LastSection(), 0);
    EXPECT_EQ(settings.LastEntry(2), 0);
    EXPECT_FALSE(settings.LargeText());
    EXPECT_FALSE(settings.WindowPosition("Form4").has_value());
  }
}

TEST_F(EverydayUseTest, ReopeningASectionShowsTheRememberedEntryAndTextSize) {
  RememberedSettings settings(app_.Path() + "/settings.ini");
  RememberedSettings::SetActive(&settings);
  {
    MenuWindow menu(app_.Path());
    menu.show();
    Button(&menu, "Command12")->click();
    JosekiWindow* w = menu.OpenJosekiWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->SelectedRow(), 0);
    w->ShowEntryAt(2);
    Button(w, "Command13")->click();  // 文字拡大
    w->close();
    Settle();
    EXPECT_EQ(settings.LastEntry(1), 2);
    Button(&menu, "Command12")->click();
    w = menu.OpenJosekiWindow();
    EXPECT_EQ(w->SelectedRow(), 1);
    EXPECT_EQ(w->Session().state.CurrentEntry, 2);
    EXPECT_EQ(w->findChild<QLabel*>("Label2")->font().pointSizeF(), 14);
  }
  RememberedSettings::SetActive(nullptr);
}

TEST_F(EverydayUseTest, CommandLineOptions) {
  const StartOptions good =
      ParseStartOptions({"--section", "2", "--entry=5", "--scale", "150%"}, 2);
  EXPECT_TRUE(good.error.isEmpty());
  EXPECT_EQ(good.section, 2);
  EXPECT_EQ(good.entry, 5);
  EXPECT_EQ(good.scale, 1.5);
  EXPECT_EQ(ParseStartOptions({"--scale=2"}, 2).scale, 2);
  EXPECT_TRUE(ParseStartOptions({"--help"}, 2).help);
  for (const QStringList& bad : QList<QStringList>{{"--section", "3"},
                                                   {"--section", "0"},
                                                   {"--section"},
                                                   {"--entry", "2"},
                                                   {"--section", "1", "--entry", "-1"},
                                                   {"--scale", "120"},
                                                   {"--bogus"}}) {
    SCOPED_TRACE(bad.join(' ').toStdString());
    EXPECT_FALSE(ParseStartOptions(bad, 2).error.isEmpty());
  }
  EXPECT_TRUE(ParseStartOptions({"--section", "3"}, 3).error.isEmpty());
}

}  // namespace
}  // namespace moraku
