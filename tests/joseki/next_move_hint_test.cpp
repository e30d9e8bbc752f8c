// SPDX-License-Identifier: GPL-3.0-or-later
// The next-move hint: the start button's preset stones, one red-marked move per press, the end
// of the joseki, tenuki columns, captures and the red mark's previous cell.

#include "joseki/next_move_hint.h"

#include "joseki/entry_display.h"
#include "joseki/playback.h"
#include "joseki_test_support.h"

namespace moraku::test {
namespace {

using namespace joseki_support;

class NextMoveHintTest : public SessionTest {};

TEST_F(NextMoveHintTest, EachPressAddsARedStoneAndTurnsThePreviousPlain) {
  S().PresetStones = "442";
  S().JosekiMoves = "331552771";
  S().Marks = "99a";
  ShowEntry(session_);
  StartHint(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 4, 4, "mygold.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 9, 9, "aa.gif"));
  EXPECT_TRUE(DisplayEmpty(Board::Joseki, 3, 3));
  EXPECT_EQ(PointsNotEmpty(Board::Joseki), 2);
  ui_.josekiEndMarkVisible = false;

  ShowNextMove(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "zshirored.gif"));
  EXPECT_EQ(S().JosekiGrid.At(3, 3), 2);
  ShowNextMove(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 5, 5, "zkurored.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "ysilver.gif"));
  EXPECT_EQ(S().JosekiGrid.At(5, 5), 1);
  EXPECT_FALSE(ui_.josekiEndMarkVisible);
  ShowNextMove(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 7, 7, "zshirored.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 5, 5, "mygold.gif"));
  EXPECT_TRUE(ui_.josekiEndMarkVisible);  // the last move
  EXPECT_TRUE(ui_.endMarkTimerEnabled);
  EXPECT_EQ(S().HintCount, 0);
  EXPECT_EQ(S().Last.row, 7);

  // The next press starts over on top of the board; the old red mark stays.
  ShowNextMove(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "zshirored.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 7, 7, "zshirored.gif"));
  EXPECT_EQ(S().HintCount, 1);
}

TEST_F(NextMoveHintTest, StartPutsTenukiPresetStonesOnRowsTenThenElevenAtColumnNineteen) {
  S().PresetStones = "442??1?32";
  StartHint(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 4, 4, "mygold.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 10, 19, "ysilver.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 11, 3, "mygold.gif"));
  EXPECT_EQ(S().JosekiGrid.At(10, 19), 2 + 2);  // on the edge
  EXPECT_EQ(S().StoneNo, 0);
  EXPECT_EQ(PointsNotEmpty(Board::Joseki), 3);
}

TEST_F(NextMoveHintTest, EntryWithoutMovesOnlyCountsThePresses) {
  S().PresetStones = "442";
  StartHint(session_);
  const int presents = session_.canvas.PresentCount();
  for (int i = 1; i <= 3; ++i) ShowNextMove(session_);
  EXPECT_EQ(S().HintCount, 3);
  EXPECT_EQ(session_.canvas.PresentCount(), presents);
}

TEST_F(NextMoveHintTest, AnotherEntryGoesOnFromTheCountOrDoesNothingBeyondItsEnd) {
  S().JosekiMoves = "331552771";
  StartHint(session_);
  ShowNextMove(session_);
  // Another entry without pressing start: its second move comes next.
  S().JosekiMoves = "AA1BB2CC1";
  ShowNextMove(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 11, 11, "zkurored.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "ysilver.gif"));

  // An entry with fewer moves than the count: nothing until start.
  S().JosekiMoves = "991";
  const int presents = session_.canvas.PresentCount();
  ShowNextMove(session_);
  ShowNextMove(session_);
  EXPECT_EQ(session_.canvas.PresentCount(), presents);
  EXPECT_TRUE(DisplayEmpty(Board::Joseki, 9, 9));
  StartHint(session_);
  ui_.josekiEndMarkVisible = false;
  ShowNextMove(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 9, 9, "zshirored.gif"));
  EXPECT_TRUE(ui_.josekiEndMarkVisible);
}

TEST_F(NextMoveHintTest, TenukiMovesAlternateColumnsEighteenAndNineteenAcrossEntriesAndStarts) {
  S().JosekiMoves = "??1331";
  StartHint(session_);
  ShowNextMove(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 10, 18, "zshirored.gif"));
  EXPECT_EQ(S().ElsewhereCount, 1);

  S().JosekiMoves = "??1";  // another entry, started afresh
  StartHint(session_);
  ShowNextMove(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 10, 19, "zshirored.gif"));
  EXPECT_EQ(S().ElsewhereCount, 0);
  StartHint(session_);
  ShowNextMove(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 10, 18, "zshirored.gif"));

  // A "?" column under an ordinary row with no tenuki counted goes to column 17.
  S().JosekiMoves = "??1??24?1";
  StartHint(session_);
  ShowNextMove(session_);  // count 2: column 19, back to 0
  ShowNextMove(session_);  // count 1: column 18
  ShowNextMove(session_);  // row 4, count still 1: column 18
  EXPECT_TRUE(DisplayShows(Board::Joseki, 4, 18, "zshirored.gif"));
  S().JosekiMoves = "??1??24?1";
  S().ElsewhereCount = 2;
  StartHint(session_);
  ShowNextMove(session_);  // count 3: column 17
  EXPECT_TRUE(DisplayShows(Board::Joseki, 10, 17, "zshirored.gif"));
}

TEST_F(NextMoveHintTest, HintedMoveThatCapturesTakesTheStoneOff) {
  S().JosekiMoves = "111122991212";
  StartHint(session_);
  for (int i = 0; i < 4; ++i) ShowNextMove(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 1, 1, "upleft23.jpg"));
  EXPECT_EQ(S().JosekiGrid.At(1, 1), 0);
  EXPECT_EQ(S().JosekiGrid.At(1, 2), 3);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 2, 1, "zkurored.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 9, 9, "ysilver.gif"));  // the previous mark, plain
}

TEST_F(NextMoveHintTest, RecordStepInBetweenDoesNotMoveThePlainRedraw) {
  S().JosekiMoves = "331552";
  S().RecordText = "R|1/3|CCDDEE";
  ParseRecord(session_);
  StartHint(session_);
  ShowNextMove(session_);
  BackToFirstMove(session_);  // places record move 1 at (12, 12)
  ASSERT_EQ(S().Last.row, 12);
  ShowNextMove(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "ysilver.gif"));
  EXPECT_TRUE(DisplayEmpty(Board::Joseki, 12, 12));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 5, 5, "zkurored.gif"));
  EXPECT_EQ(S().Last.row, 5);
  EXPECT_EQ(S().Last.col, 5);
}

}  // namespace
}  // namespace moraku::test
