// SPDX-License-Identifier: GPL-3.0-or-later
// The joseki window on a small database: the load fills the list, every event reaches its
// procedure, the list's click handling runs for user clicks and keys but not for selections
// made from code, and the board picture follows the canvas.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTimer>

#include "app/joseki_window.h"
#include "app_test_support.h"

namespace moraku {
namespace {

using test::ClickMouse;
using test::MessageCatcher;
using test::MoveMouse;
using test::Settle;
using test::TempAppDir;
using test::Wait;

// Handicap entries: 1 without record, 2 with a three-move record, 3 with a longer joseki.
const QStringList kRows = {
    "1,0,,1,置碁一,参考一,置碁の一,442361,,0001",
    "2,0,,1,置碁二,参考二,置碁の二,442351,実戦例|1/3|443635,0002",
    "3,0,,1,置碁三,参考三,置碁の三,442361462,,0003",
};

class JosekiWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(app_.WriteDatabase(kRows), "");
    window_ = new JosekiWindow(1, app_.Path());
    window_->show();
    Settle();
  }
  void TearDown() override {
    delete window_;
    Settle();
  }

  QPushButton* Button(const char* name) {
    return window_->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  QLabel* Label(const char* name) { return window_->findChild<QLabel*>(QString::fromLatin1(name)); }
  QListView* List() { return window_->findChild<QListView*>("List1"); }
  QWidget* Display() { return window_->findChild<QWidget*>("Display"); }
  QTimer* Timer(const char* name) { return window_->findChild<QTimer*>(QString::fromLatin1(name)); }
  JosekiState& State() { return window_->Session().state; }

  // A user's click on list row `row`.
  void ClickRow(int row) {
    const QRect r = List()->visualRect(List()->model()->index(row, 0));
    ClickMouse(List()->viewport(), r.center());
  }
  // A user's click on point (row, col) of the record board.
  void ClickRecordPoint(int row, int col) {
    const QPoint p((col + 19) * 22 + 5, (row - 1) * 23 + 5);
    MoveMouse(Display(), p);
    ClickMouse(Display(), p);
  }

  TempAppDir app_;
  MessageCatcher messages_;
  JosekiWindow* window_ = nullptr;
};

TEST_F(JosekiWindowTest, OpensWithTheSectionListedAndTheFirstEntryShown) {
  EXPECT_TRUE(messages_.boxes.isEmpty());
  ASSERT_EQ(window_->ListRowCount(), 3);
  EXPECT_EQ(List()->model()->index(0, 0).data().toString(), "置碁一");
  EXPECT_EQ(List()->model()->index(2, 0).data().toString(), "置碁三");
  EXPECT_EQ(window_->SelectedRow(), 0);
  EXPECT_EQ(State().CurrentEntry, 1);
  EXPECT_EQ(Label("Label2")->text(), "置碁の一");
  EXPECT_EQ(Label("Label3")->text(), "参考一");
  EXPECT_EQ(Label("Label1")->text(), " ");
  // Entry 1 has no record: the record buttons stay disabled; the indicators are hidden.
  for (const char* name :
       {"Command2", "Command3", "Command17", "Command20", "Command21", "Command22"}) {
    EXPECT_FALSE(Button(name)->isEnabled()) << name;
  }
  EXPECT_FALSE(Label("Image1")->isVisible());
  EXPECT_FALSE(Label("Image2")->isVisible());
  EXPECT_FALSE(Timer("Timer2")->isActive());
  EXPECT_FALSE(Timer("Timer4")->isActive());
  EXPECT_TRUE(State().NoBoardInput);
}

TEST_F(JosekiWindowTest, ListClicksAndKeysSelectButCodeSelectionDoesNot) {
  ClickRow(1);
  EXPECT_EQ(window_->SelectedRow(), 1);
  EXPECT_EQ(State().CurrentEntry, 2);
  EXPECT_EQ(Label("Label2")->text(), "置碁の二");
  EXPECT_EQ(Label("Label3")->text(), "参考二");
  EXPECT_EQ(Label("Label1")->text(), "実戦例");

  // A second click on the selected row runs the handling again.
  window_->SetReference("x");
  ClickRow(1);
  EXPECT_EQ(Label("Label3")->text(), "参考二");

  // The arrow key moves the selection and shows the entry.
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(List(), &down);
  EXPECT_EQ(window_->SelectedRow(), 2);
  EXPECT_EQ(Label("Label2")->text(), "置碁の三");

  // Selecting from code does not raise the handling.
  window_->SetSelectedRow(0);
  EXPECT_EQ(window_->SelectedRow(), 0);
  EXPECT_EQ(Label("Label2")->text(), "置碁の三");
  EXPECT_EQ(State().CurrentEntry, 3);
  window_->SetSelectedRow(-1);
  EXPECT_EQ(window_->SelectedRow(), -1);
}

TEST_F(JosekiWindowTest, RecordButtonsStepThroughTheRecord) {
  ClickRow(1);
  ASSERT_EQ(State().MoveCount, 3);
  struct Step {
    const char* button;
    int moveCount;
  };
  const Step steps[] = {{"Command22", 1}, {"Command3", 2}, {"Command2", 3},
                        {"Command21", 1}, {"Command3", 2}, {"Command20", 1}};
  for (const Step& s : steps) {
    ASSERT_TRUE(Button(s.button)->isEnabled()) << s.button;
    Button(s.button)->click();
    EXPECT_EQ(State().MoveCount, s.moveCount) << s.button;
  }
  EXPECT_FALSE(Label("Image2")->isVisible());

  // Five forward past the end shows the end indicator until Timer2 ticks.
  Button("Command17")->click();
  EXPECT_EQ(State().MoveCount, 1);
  EXPECT_TRUE(Label("Image2")->isVisible());
  EXPECT_TRUE(Timer("Timer2")->isActive());
  Wait(1300);
  EXPECT_FALSE(Label("Image2")->isVisible());
  EXPECT_FALSE(Timer("Timer2")->isActive());
}

TEST_F(JosekiWindowTest, HintAndDisplayButtons) {
  ClickRow(2);
  // Entry 3 has two joseki moves: the second press reaches the end and shows Image1.
  Button("Command6")->click();
  EXPECT_EQ(State().HintCount, 0);
  Button("Command5")->click();
  EXPECT_EQ(State().HintCount, 1);
  EXPECT_FALSE(Label("Image1")->isVisible());
  Button("Command5")->click();
  EXPECT_TRUE(Label("Image1")->isVisible());
  EXPECT_TRUE(Timer("Timer2")->isActive());

  const int presents = window_->Session().canvas.PresentCount();
  Button("Command12")->click();
  EXPECT_GT(window_->Session().canvas.PresentCount(), presents);

  Button("Command13")->click();
  EXPECT_DOUBLE_EQ(Label("Label1")->font().pointSizeF(), 14);
  EXPECT_DOUBLE_EQ(Label("Label2")->font().pointSizeF(), 14);
  EXPECT_DOUBLE_EQ(window_->TextFontSize(), 14);
  Button("Command13")->click();
  EXPECT_DOUBLE_EQ(Label("Label2")->font().pointSizeF(), 11);
}

TEST_F(JosekiWindowTest, SearchFromBoardClicksToTheFoundEntry) {
  Button("Command1")->click();
  EXPECT_FALSE(State().NoBoardInput);
  EXPECT_EQ(State().SearchText, "");

  // The pointer's moves and clicks on the record board become search stones.
  ClickRecordPoint(4, 4);
  ClickRecordPoint(3, 5);
  EXPECT_EQ(State().SearchText, "442351");
  EXPECT_EQ(State().MirrorText, "442531");
  // The stone drawn on the canvas reaches the picture on screen.
  const QPoint cell((4 + 19) * 22 + 11, 3 * 23 + 11);
  EXPECT_EQ(test::Snapshot(Display()).pixelColor(cell),
            window_->Session().canvas.Display().pixelColor(cell));
  EXPECT_NE(window_->Session().canvas.Display().pixelColor(cell),
            window_->Session().canvas.Master().pixelColor(cell + QPoint(-440, 0)));

  Button("Command9")->click();  // shorten
  EXPECT_EQ(State().SearchText, "442");
  Button("Command10")->click();  // add moves
  EXPECT_EQ(State().StoneNo, 1);
  ClickRecordPoint(3, 5);
  EXPECT_EQ(State().SearchText, "442351");
  State().NoBoardInput = true;
  Button("Command8")->click();  // redisplay
  EXPECT_FALSE(State().NoBoardInput);

  Button("Command4")->click();
  EXPECT_TRUE(State().NoBoardInput);
  EXPECT_TRUE(Timer("Timer4")->isActive());
  Wait(1300);
  EXPECT_FALSE(Timer("Timer4")->isActive());
  EXPECT_EQ(window_->SelectedRow(), 1);
  EXPECT_EQ(Label("Label2")->text(), "置碁の二");
  ASSERT_EQ(messages_.boxes.size(), 1);
  EXPECT_EQ(messages_.boxes[0].text, "該当あり、検索しました。");
  EXPECT_EQ(messages_.boxes[0].title, "Moraku");

  Button("Command11")->click();
  EXPECT_FALSE(State().NoBoardInput);
}

TEST_F(JosekiWindowTest, ClicksOffTheRecordBoardAddNoStone) {
  Button("Command1")->click();
  ClickRecordPoint(4, 4);
  ClickMouse(Display(), QPoint(100, 100));  // the joseki board, without a move before it
  const QPoint p((4 + 19) * 22 + 5, 5 * 23 + 5);
  MoveMouse(Display(), p);
  ClickMouse(Display(), p, Qt::RightButton);
  EXPECT_EQ(State().SearchText, "442");
}

TEST_F(JosekiWindowTest, MenuButtonClosesAndDeletesTheWindow) {
  QPointer<JosekiWindow> guard(window_);
  Button("Command7")->click();
  Settle();
  EXPECT_TRUE(guard.isNull());
  window_ = nullptr;
}

TEST(JosekiWindowList, HundredThousandRowsStayUsable) {
  TempAppDir app;
  ASSERT_EQ(app.WriteDatabase(kRows), "");
  JosekiWindow window(1, app.Path());
  QStringList titles;
  for (int i = 0; i < 100000; ++i) titles << QStringLiteral("定石 %1").arg(i);
  window.SetListRows(titles);
  EXPECT_EQ(window.ListRowCount(), 100000);
  EXPECT_EQ(window.SelectedRow(), -1);
  window.SetSelectedRow(99999);
  EXPECT_EQ(window.SelectedRow(), 99999);
  EXPECT_EQ(window.Session().state.CurrentEntry, 1);  // no click handling from code
}

}  // namespace
}  // namespace moraku
