// SPDX-License-Identifier: GPL-3.0-or-later
// Stepping through the record with the six buttons: targets, guards, the end indicator, the
// numbering of the stones, and replays that equal playing the moves one after another.

#include "joseki/playback.h"

#include <random>

#include "joseki/entry_display.h"
#include "joseki_test_support.h"

namespace moraku::test {
namespace {

using namespace joseki_support;

class PlaybackTest : public SessionTest {
 protected:
  void LoadRecord(const QString& text) {
    S().RecordText = text;
    ParseRecord(session_);
  }
  void ReplayTo(int target) {
    S().TargetMove = target;
    ClearRecordBoard(session_);
    ReplayRecord(session_, S().TargetMove);
  }
};

TEST_F(PlaybackTest, ForwardPastTheLastMoveShowsOnlyTheEndIndicator) {
  LoadRecord("R|1/3|443355");
  ASSERT_EQ(S().MoveCount, 3);
  ui_.recordEndMarkVisible = false;
  const QImage before = session_.canvas.Display();
  const int presents = session_.canvas.PresentCount();
  StepForwardOne(session_);
  EXPECT_TRUE(ui_.recordEndMarkVisible);
  EXPECT_TRUE(ui_.endMarkTimerEnabled);
  EXPECT_EQ(S().MoveCount, 3);
  EXPECT_EQ(session_.canvas.PresentCount(), presents);
  EXPECT_EQ(session_.canvas.Display(), before);

  EndIndicatorTick(session_);
  EXPECT_FALSE(ui_.josekiEndMarkVisible);
  EXPECT_FALSE(ui_.recordEndMarkVisible);
  EXPECT_FALSE(ui_.endMarkTimerEnabled);
}

TEST_F(PlaybackTest, FiveForwardDoesNotStopAtTheLastMove) {
  LoadRecord("R|1/2|44335566");  // four moves, two shown
  ui_.recordEndMarkVisible = false;
  StepForwardFive(session_);
  EXPECT_TRUE(ui_.recordEndMarkVisible);
  EXPECT_EQ(S().MoveCount, 2);
  EXPECT_EQ(PointsNotEmpty(Board::Record), 2);
  StepForwardOne(session_);
  EXPECT_EQ(S().MoveCount, 3);
  EXPECT_TRUE(DisplayShows(Board::Record, 5, 5, "mygold.gif"));  // after the shown stretch
}

TEST_F(PlaybackTest, BackFromTheFirstMoveRedrawsIt) {
  LoadRecord("R|1/3|443355");
  BackToFirstMove(session_);
  EXPECT_EQ(S().MoveCount, 1);
  StepBackOne(session_);
  EXPECT_EQ(S().MoveCount, 1);
  EXPECT_TRUE(DisplayShows(Board::Record, 4, 4, "zkuro1.gif"));
  EXPECT_EQ(PointsNotEmpty(Board::Record), 1);

  // From no move at all one back asks for move -1: an empty board and no move.
  S().MoveCount = 0;
  StepBackOne(session_);
  EXPECT_EQ(S().MoveCount, 0);
  EXPECT_EQ(PointsNotEmpty(Board::Record), 0);
}

TEST_F(PlaybackTest, FiveBackGoesToTheFirstMoveFromMovesOneToFive) {
  LoadRecord("R|1/8|" + LatticePairs(8));
  for (int from = 1; from <= 5; ++from) {
    SCOPED_TRACE(from);
    ReplayTo(from);
    StepBackFive(session_);
    EXPECT_EQ(S().MoveCount, 1);
    EXPECT_EQ(PointsNotEmpty(Board::Record), 1);
  }
  ReplayTo(8);
  StepBackFive(session_);
  EXPECT_EQ(S().MoveCount, 3);
  EXPECT_EQ(PointsNotEmpty(Board::Record), 3);
}

TEST_F(PlaybackTest, StonesBeforeAndAfterTheNumberedStretchArePlain) {
  LoadRecord("N|5/12|" + LatticePairs(15));
  // Lattice move m sits at row 1 + 2 * ((m - 1) / 10), column 1 + 2 * ((m - 1) % 10).
  auto row = [](int m) { return 1 + 2 * ((m - 1) / 10); };
  auto col = [](int m) { return 1 + 2 * ((m - 1) % 10); };
  const char* expected[] = {"mygold.gif", "ysilver.gif", "mygold.gif", "ysilver.gif",
                            "zkuro1.gif", "zshiro2.gif", "zkuro3.gif", "zshiro4.gif",
                            "zkuro5.gif", "zshiro6.gif", "zkuro7.gif", "zshiro8.gif",
                            "mygold.gif", "ysilver.gif", "mygold.gif"};
  EXPECT_EQ(S().MoveCount, 12);
  for (int m = 1; m <= 12; ++m)
    EXPECT_TRUE(DisplayShows(Board::Record, row(m), col(m), expected[m - 1])) << m;
  EXPECT_TRUE(DisplayEmpty(Board::Record, row(13), col(13)));
  for (int m = 13; m <= 15; ++m) {
    StepForwardOne(session_);
    EXPECT_EQ(S().MoveCount, m);
    EXPECT_TRUE(DisplayShows(Board::Record, row(m), col(m), expected[m - 1])) << m;
  }
  ui_.recordEndMarkVisible = false;
  StepForwardOne(session_);
  EXPECT_TRUE(ui_.recordEndMarkVisible);

  // Back to the record as first shown, from after it and from before it.
  ShowRecordToLastNumberedMove(session_);
  EXPECT_EQ(S().MoveCount, 12);
  EXPECT_EQ(PointsNotEmpty(Board::Record), 12);
  BackToFirstMove(session_);
  ShowRecordToLastNumberedMove(session_);
  EXPECT_EQ(S().MoveCount, 12);
  EXPECT_TRUE(DisplayShows(Board::Record, row(12), col(12), "zshiro8.gif"));
}

TEST_F(PlaybackTest, ButtonsDoNothingWithoutARecord) {
  S().RecordText.clear();
  S().RecordMoves = "4433";
  S().MoveCount = 1;
  ui_.recordEndMarkVisible = false;
  for (auto button :
       {StepForwardOne, StepForwardFive, StepBackOne, StepBackFive, BackToFirstMove}) {
    button(session_);
  }
  EXPECT_EQ(session_.canvas.PresentCount(), 0);
  EXPECT_FALSE(ui_.recordEndMarkVisible);
  EXPECT_EQ(S().MoveCount, 1);

  // "Show the record" tests the moves instead.
  S().RecordText = "R|1/2|";
  S().RecordMoves.clear();
  ShowRecordToLastNumberedMove(session_);
  EXPECT_EQ(session_.canvas.PresentCount(), 0);
}

TEST_F(PlaybackTest, MissingImageIsDrawnWithThePreviousOne) {
  PartialImageSet partial({"zshiro2.gif"});
  ImageStore images(partial.Path());
  RecordingControls ui;
  JosekiSession session(ui, images);
  session.state.RecordText = "M|1/3|443355";
  session.state.RecordMoves = "443355";
  session.state.NumberLimit = 1;
  session.state.RecordLength = 3;
  session.state.TargetMove = 3;
  ClearRecordBoard(session);
  ReplayRecord(session, session.state.TargetMove);
  const QImage& d = session.canvas.Display();
  EXPECT_EQ(PointBlock(d, Board::Record, 3, 3), FileCell(partial.Path(), "zkuro1.gif"));
  EXPECT_EQ(PointBlock(d, Board::Record, 5, 5), FileCell(partial.Path(), "zkuro3.gif"));
  EXPECT_EQ(session.state.RecordGrid.At(3, 3), 2);  // still a white stone
  EXPECT_EQ(session.state.MoveCount, 3);
}

TEST_F(PlaybackTest, MoveWithoutAPointIsCountedButNotDrawn) {
  LoadRecord("Z|1/3|44?455");
  ASSERT_EQ(S().MoveCount, 2);  // the display stops at the "?"
  ReplayTo(3);
  EXPECT_EQ(S().MoveCount, 3);
  EXPECT_TRUE(DisplayShows(Board::Record, 4, 4, "zkuro1.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 5, 5, "zkuro3.gif"));
  EXPECT_EQ(PointsNotEmpty(Board::Record), 2);
  // Nothing lands in the column between the boards.
  BoardCanvas fresh(images_);
  EXPECT_EQ(session_.canvas.Display().copy(418, 0, 22, kBoardPictureHeight),
            fresh.Display().copy(418, 0, 22, kBoardPictureHeight));
}

// A record of 55 moves in the 8 x 8 corner, random but with captures: black and white play
// empty points in turn.
QString CornerFightRecord(unsigned seed, int* captures) {
  std::mt19937 random(seed);
  CaptureGrid grid;
  QString pairs;
  *captures = 0;
  for (int m = 1; m <= 55; ++m) {
    std::vector<std::pair<int, int>> empty;
    for (int c = 1; c <= 8; ++c)
      for (int r = 1; r <= 8; ++r)
        if (grid.At(r, c) == 0) empty.push_back({c, r});
    const auto [c, r] = empty[random() % empty.size()];
    const StoneColor colour = ColorOfNumber(m);
    grid.Place({r, c}, colour);
    grid.Capture({r, c}, colour, [&](BoardPoint) { ++*captures; });
    pairs += CharFromCoord(r);
    pairs += CharFromCoord(c);
  }
  return pairs;
}

TEST_F(PlaybackTest, EveryStepEqualsPlayingTheMovesOneAfterAnother) {
  int captures = 0;
  QString moves;
  for (unsigned seed = 1; captures < 4 && seed < 100; ++seed)
    moves = CornerFightRecord(seed, &captures);
  ASSERT_GE(captures, 4);
  LoadRecord("F|1/55|" + moves);
  BackToFirstMove(session_);
  CaptureGrid expected;
  std::array<std::array<int, 21>, 21> lastMove{};  // the move whose stone stands on a point
  for (int m = 1; m <= 55; ++m) {
    SCOPED_TRACE(m);
    if (m > 1) StepForwardOne(session_);
    ASSERT_EQ(S().MoveCount, m);
    const int r = CoordFromChar(moves.mid(2 * (m - 1), 1));
    const int c = CoordFromChar(moves.mid(2 * (m - 1) + 1, 1));
    const StoneColor colour = ColorOfNumber(m);
    expected.Place({r, c}, colour);
    expected.Capture({r, c}, colour, {});
    lastMove[c][r] = m;
    for (int col = 1; col <= 19; ++col) {
      for (int row = 1; row <= 19; ++row) {
        ASSERT_EQ(S().RecordGrid.At(row, col), expected.At(row, col)) << col << "," << row;
        const int stone = expected.At(row, col) != 0 ? lastMove[col][row] : 0;
        const QString image = stone == 0       ? TileName({row, col})
                              : stone % 2 != 0 ? QString("zkuro%1.gif").arg(stone)
                                               : QString("zshiro%1.gif").arg(stone);
        ASSERT_TRUE(DisplayShows(Board::Record, row, col, image)) << col << "," << row;
      }
    }
  }
  // A direct replay to any move gives the same picture as stepping there.
  const QImage stepped = session_.canvas.Display();
  BackToFirstMove(session_);
  ReplayTo(55);
  EXPECT_EQ(session_.canvas.Display(), stepped);
}

}  // namespace
}  // namespace moraku::test
