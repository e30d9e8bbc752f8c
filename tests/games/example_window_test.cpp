// SPDX-License-Identifier: GPL-3.0-or-later
// The joseki window's 実戦例 mode on a database with a small hand-made game collection.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <utility>

#include "app/app_test_support.h"
#include "app/joseki_window.h"
#include "app/scrolling_label.h"
#include "board/coords.h"
#include "cli/commands.h"
#include "data/sqlite_db.h"
#include "games/example_mode.h"
#include "games_test_support.h"

namespace moraku {
namespace {

using games::CornerTurn;
using test::HandGame;
using test::kElsewhere;
using test::Settle;
using test::TempAppDir;

// Handicap entries: 1 the approach alone (no record, no marks), 2 another approach with a
// record and no games, 3 the approach and Black's attachment, with a record and a mark.
const QStringList kRows = {
    "1,0,,1,置碁一,参考一,置碁の一,442361,,0001",
    "2,0,,1,置碁二,参考二,置碁の二,442351,二の譜|1/3|443635,0002",
    "3,0,33a,1,置碁三,参考三,置碁の三,442361462,三の譜|1/2|4436,0003",
};

class ExampleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(app_.WriteDatabase(kRows), ""); }
  void TearDown() override {
    delete window_;
    delete plain_;
    Settle();
  }

  // Game a: the approach and the attachment in the upper-left after three moves elsewhere, so
  // that White made the corner's first move. Game b: the same mirrored in the lower-right,
  // then the 3-3 point. Game c: the approach answered on the other side, upper-right.
  void ImportThreeGames() {
    Import(HandGame({kElsewhere, kElsewhere, kElsewhere, {4, 4}, {3, 6}, {4, 6}, kElsewhere},
                    CornerTurn{0, false},
                    QStringLiteral("PB[黒田]BR[3d]PW[白井]DT[2026-04-01]RE[W+R]")),
           "a.sgf");
    Import(HandGame({{4, 4}, {3, 6}, {4, 6}, {3, 3}}, CornerTurn{3, true},
                    QStringLiteral("PB[青木]PW[赤井]RE[B+4.5]")),
           "b.sgf");
    Import(HandGame({{4, 4}, {3, 6}, {6, 3}}, CornerTurn{1, false},
                    QStringLiteral("PB[緑川]PW[紫野]RE[W+1.5]")),
           "c.sgf");
  }
  void Import(const QByteArray& game, const QString& name) {
    app_.WriteFile(name, game);
    QString out, err;
    QTextStream o(&out), e(&err);
    ASSERT_EQ(cli::RunImportGames({app_.Path() + "/" + name, "--db", app_.DatabasePath()}, o, e), 0)
        << err.toStdString();
  }
  static JosekiWindow* Open(const TempAppDir& app) {
    auto* window = new JosekiWindow(1, app.Path());
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    Settle();
    return window;
  }
  QPushButton* Button(const char* name) {
    return window_->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  QString Caption() { return window_->findChild<QLabel*>("Label1")->text(); }
  ScrollingLabel* NextMovesList() { return window_->findChild<ScrollingLabel*>("Label4"); }
  JosekiState& State() { return window_->Session().state; }
  void Choose(JosekiWindow* window, int entry) {
    auto* list = window->findChild<QListView*>("List1");
    list->setCurrentIndex(list->model()->index(entry - 1, 0));
    Settle();
  }
  // The window as it looks while it is the active one (the focused button shows its frame).
  static QImage ActiveShot(JosekiWindow* window) {
    window->activateWindow();
    Settle();
    return test::Snapshot(window);
  }
  // The cell of point (row, col) of the joseki board as the canvas shows it.
  QImage JosekiCell(int row, int col) { return Cell(window_, Board::Joseki, row, col); }
  static QImage Cell(JosekiWindow* window, Board board, int row, int col) {
    return window->Session().canvas.Display().copy(CellX(board, col), CellY(row), kCellWidth,
                                                   kCellHeight);
  }
  // A user's click on point (row, col) of the record board.
  static void ClickRecordPoint(JosekiWindow* window, int row, int col) {
    QWidget* display = window->findChild<QWidget*>("Display");
    const QPoint p(CellX(Board::Record, col) + 5, CellY(row) + 5);
    test::MoveMouse(display, p);
    test::ClickMouse(display, p);
  }

  TempAppDir app_;
  JosekiWindow* window_ = nullptr;
  JosekiWindow* plain_ = nullptr;
};

TEST_F(ExampleWindowTest, ShowsStepsAndLeavesTheGamesOfAnEntry) {
  ImportThreeGames();
  window_ = Open(app_);
  // Entry 1 (no record of its own) is played in all three games.
  ASSERT_EQ(State().CurrentEntry, 1);
  ASSERT_TRUE(Button("Command23")->isVisible());
  EXPECT_EQ(Button("Command23")->text(), QStringLiteral("実戦例"));
  EXPECT_FALSE(Button("Command24")->isVisible());
  EXPECT_FALSE(Button("Command3")->isEnabled());
  const QImage before = window_->Session().canvas.Display();

  Button("Command23")->click();
  ASSERT_TRUE(Caption().contains(QStringLiteral("1 / 3"))) << Caption().toStdString();
  EXPECT_EQ(Button("Command23")->text(), QStringLiteral("定石譜"));
  EXPECT_TRUE(Button("Command24")->isVisible());
  EXPECT_TRUE(Button("Command3")->isEnabled());

  // Each game in turn: its caption, its stretch numbered, turned so the joseki is upper-left.
  QStringList seen;
  for (int k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    ASSERT_TRUE(Caption().contains(QStringLiteral("%1 / 3").arg(k))) << Caption().toStdString();
    const bool gameA = Caption().startsWith(QStringLiteral("黒 黒田 3d\n白 白井\n"));
    if (gameA) {
      EXPECT_TRUE(Caption().contains(QStringLiteral("2026-04-01　W+R")));
    }
    seen << Caption().section(QLatin1Char('\n'), 0, 0);
    // Game a's approach is its move 5; the others' move 2. The stretch is the approach alone.
    EXPECT_EQ(State().NumberLimit, gameA ? 5 : 2);
    EXPECT_EQ(State().RecordLength, State().NumberLimit);
    EXPECT_EQ(State().MoveCount, State().RecordLength);
    EXPECT_EQ(State().RecordMoves.mid(2 * (State().NumberLimit - 1), 2), QStringLiteral("36"));
    // The record buttons and their keys step the game.
    Button("Command3")->click();
    EXPECT_EQ(State().MoveCount, State().RecordLength + 1);
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QCoreApplication::sendEvent(Button("Command24"), &home);
    EXPECT_EQ(State().MoveCount, 1);
    Button("Command24")->click();
  }
  seen.removeDuplicates();
  EXPECT_EQ(seen.size(), 3);
  EXPECT_TRUE(Caption().contains(QStringLiteral("1 / 3")));  // wrapped around

  // Back to the entry's own state: no record, blank caption, the same boards as before.
  Button("Command23")->click();
  EXPECT_EQ(Caption(), QStringLiteral(" "));
  EXPECT_FALSE(Button("Command3")->isEnabled());
  EXPECT_TRUE(State().RecordText.isEmpty());
  EXPECT_FALSE(Button("Command24")->isVisible());
  EXPECT_FALSE(NextMovesList()->isVisible());
  EXPECT_EQ(window_->Session().canvas.Display(), before);

  // Entry 3 has its own record and a mark: both come back after the mode, and starting the
  // search input in the mode ends it with the entry's record text in place.
  Choose(window_, 3);
  ASSERT_TRUE(Button("Command23")->isVisible());
  const QImage entry3 = window_->Session().canvas.Display();
  const QString ownRecord = State().RecordText;
  Button("Command23")->click();
  ASSERT_TRUE(Caption().contains(QStringLiteral("1 / 2")));
  EXPECT_EQ(State().RecordLength - State().NumberLimit, 1);  // approach and attachment
  Button("Command12")->click();                              // 全手順表示
  EXPECT_EQ(Caption(), QStringLiteral("三の譜"));
  EXPECT_EQ(window_->Session().canvas.Display(), entry3);
  Button("Command23")->click();
  Button("Command1")->click();  // 検索手順の入力開始
  EXPECT_EQ(State().RecordText, ownRecord);
  EXPECT_EQ(Button("Command23")->text(), QStringLiteral("実戦例"));
  EXPECT_FALSE(window_->Examples()->Active());
}

TEST_F(ExampleWindowTest, TheNextMovesAreMarkedAndListedOnlyInTheMode) {
  ImportThreeGames();
  window_ = Open(app_);
  const QImage attachment = JosekiCell(4, 6);
  const QImage other = JosekiCell(6, 3);
  ASSERT_FALSE(NextMovesList()->isVisible());
  Button("Command23")->click();

  const std::vector<games::NextMove>& next = window_->Examples()->NextMoves();
  ASSERT_EQ(next.size(), 2u);
  // The attachment: games a and b, both won by the player who had Black in the corner (White
  // in game a), and it is entry 3. The other side: game c, lost by Black.
  EXPECT_EQ(next[0].point, (BoardPoint{4, 6}));
  EXPECT_EQ(next[0].color, StoneColor::Black);
  EXPECT_EQ(next[0].count, 2);
  EXPECT_EQ(next[0].decided, 2);
  EXPECT_EQ(next[0].blackWins, 2);
  EXPECT_EQ(next[0].entry, 3);
  EXPECT_EQ(next[1].point, (BoardPoint{6, 3}));
  EXPECT_EQ(next[1].count, 1);
  EXPECT_EQ(next[1].blackWins, 0);
  EXPECT_EQ(next[1].entry, 0);

  ASSERT_TRUE(NextMovesList()->isVisible());
  EXPECT_EQ(NextMovesList()->text(), QStringLiteral("次の一手（実戦 3例）\n"
                                                    "A 黒 2例 黒勝率 100% → 置碁三\n"
                                                    "B 黒 1例 黒勝率 0%"));
  EXPECT_NE(JosekiCell(4, 6), attachment);
  EXPECT_NE(JosekiCell(6, 3), other);
  EXPECT_NE(JosekiCell(4, 6), JosekiCell(6, 3));  // two letters
  // The hint redraws the joseki board without the marks, and the list goes with them.
  Button("Command6")->click();
  EXPECT_TRUE(window_->Examples()->Active());
  EXPECT_FALSE(NextMovesList()->isVisible());
  Button("Command23")->click();
  Button("Command23")->click();
  EXPECT_TRUE(NextMovesList()->isVisible());

  Button("Command23")->click();
  EXPECT_FALSE(NextMovesList()->isVisible());
  EXPECT_EQ(JosekiCell(4, 6), attachment);
  EXPECT_EQ(JosekiCell(6, 3), other);
}

TEST_F(ExampleWindowTest, TheSearchInputListsAndMarksWhatWasPlayedNext) {
  ImportThreeGames();
  TempAppDir plainApp;
  ASSERT_EQ(plainApp.WriteDatabase(kRows), "");
  window_ = Open(app_);
  plain_ = Open(plainApp);
  auto recordCell = [this](int row, int col) { return Cell(window_, Board::Record, row, col); };
  for (JosekiWindow* w : {window_, plain_}) w->findChild<QPushButton*>("Command1")->click();
  const QImage emptyCells[] = {recordCell(6, 4), recordCell(3, 6), recordCell(3, 3)};
  const QImage plainBefore = plain_->Session().canvas.Display();

  // White's approach entered on the mirror side: the counts of the games, which played it on
  // the other side, turned back to the sequence's own side.
  for (JosekiWindow* w : {window_, plain_}) {
    ClickRecordPoint(w, 4, 4);
    ClickRecordPoint(w, 6, 3);
  }
  ASSERT_EQ(State().SearchText, QStringLiteral("442631"));
  ASSERT_TRUE(NextMovesList()->isVisible());
  EXPECT_EQ(NextMovesList()->text(), QStringLiteral("次の一手（実戦 3例）\n"
                                                    "A 黒 2例 黒勝率 100% → 置碁三\n"
                                                    "B 黒 1例 黒勝率 0%"));
  EXPECT_NE(recordCell(6, 4), emptyCells[0]);
  EXPECT_NE(recordCell(3, 6), emptyCells[1]);
  EXPECT_NE(recordCell(6, 4), recordCell(3, 6));  // two letters

  // Black's attachment: only game b went on in the corner, with White's 3-3 point; the old
  // marks are gone.
  ClickRecordPoint(window_, 6, 4);
  EXPECT_EQ(NextMovesList()->text(), QStringLiteral("次の一手（実戦 1例）\n"
                                                    "A 白 1例 黒勝率 100%"));
  EXPECT_EQ(recordCell(3, 6), emptyCells[1]);
  EXPECT_NE(recordCell(3, 3), emptyCells[2]);
  // Where no game went on there is nothing; removing the stone brings the list back.
  ClickRecordPoint(window_, 3, 3);
  EXPECT_FALSE(NextMovesList()->isVisible());
  Button("Command9")->click();  // 手順を減らす
  ASSERT_EQ(State().SearchText, QStringLiteral("442631642"));
  EXPECT_TRUE(NextMovesList()->isVisible());
  EXPECT_TRUE(NextMovesList()->text().contains(QStringLiteral("A 白 1例")));
  EXPECT_NE(recordCell(3, 3), emptyCells[2]);

  // Ending the search takes list and marks away.
  Button("Command11")->click();  // 検索中止・終了
  EXPECT_FALSE(NextMovesList()->isVisible());
  EXPECT_EQ(recordCell(3, 3), emptyCells[2]);

  // Without a collection, the search input shows its stones and nothing else.
  EXPECT_FALSE(plain_->findChild<ScrollingLabel*>("Label4")->isVisible());
  const QImage plainAfter = plain_->Session().canvas.Display();
  for (const auto& [row, col] : {std::pair{6, 4}, std::pair{3, 6}, std::pair{5, 5}})
    EXPECT_EQ(plainAfter.copy(CellX(Board::Record, col), CellY(row), kCellWidth, kCellHeight),
              plainBefore.copy(CellX(Board::Record, col), CellY(row), kCellWidth, kCellHeight))
        << row << "," << col;
}

TEST_F(ExampleWindowTest, EntriesWithoutGamesLookAsWithoutACollection) {
  ImportThreeGames();
  TempAppDir plainApp;
  ASSERT_EQ(plainApp.WriteDatabase(kRows), "");
  window_ = Open(app_);
  plain_ = Open(plainApp);
  EXPECT_FALSE(plain_->findChild<QPushButton*>("Command23")->isVisible());

  // In the mode, choosing entry 2 (no games) ends it and shows the entry as it always shows.
  Button("Command23")->click();
  ASSERT_TRUE(window_->Examples()->Active());
  Choose(window_, 2);
  Choose(plain_, 2);
  EXPECT_FALSE(Button("Command23")->isVisible());
  EXPECT_FALSE(Button("Command24")->isVisible());
  EXPECT_FALSE(NextMovesList()->isVisible());
  EXPECT_EQ(Caption(), QStringLiteral("二の譜"));
  EXPECT_EQ(ActiveShot(window_), ActiveShot(plain_));
  for (const char* key : {"Command3", "Command22"}) {
    Button(key)->click();
    plain_->findChild<QPushButton*>(key)->click();
    EXPECT_EQ(ActiveShot(window_), ActiveShot(plain_)) << key;
  }

  // The two buttons' captions fit them.
  for (const char* name : {"Command23", "Command24"}) {
    QPushButton* b = Button(name);
    for (const QString& text : {b->text(), QStringLiteral("実戦例"), QStringLiteral("定石譜")})
      EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(text), b->width() - 4) << name;
  }
}

TEST_F(ExampleWindowTest, GamesThatCannotBeReadArePassedOver) {
  ImportThreeGames();
  {
    // Game b gone with its corner rows left behind, game c's moves beyond what is read, and a
    // corner row of a game that never was.
    sql::Database db;
    ASSERT_EQ(db.Open(app_.DatabasePath(), SQLITE_OPEN_READWRITE), SQLITE_OK);
    ASSERT_EQ(db.Exec("DELETE FROM games WHERE black = '青木';"
                      "UPDATE games SET moves = zeroblob(20000000) WHERE black = '緑川';"
                      "INSERT INTO game_corners VALUES ('442361', 999, 0, 2);"),
              SQLITE_OK);
  }
  window_ = Open(app_);
  ASSERT_TRUE(Button("Command23")->isVisible());
  Button("Command23")->click();
  ASSERT_TRUE(window_->Examples()->Active());
  EXPECT_TRUE(Caption().contains(QStringLiteral("黒田"))) << Caption().toStdString();
  EXPECT_TRUE(Caption().contains(QStringLiteral(" / 4"))) << Caption().toStdString();
  Button("Command24")->click();
  EXPECT_TRUE(Caption().contains(QStringLiteral("黒田"))) << Caption().toStdString();
}

}  // namespace
}  // namespace moraku
