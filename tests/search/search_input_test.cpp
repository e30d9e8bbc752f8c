// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_input.h"

#include <gtest/gtest.h>

#include "search/search_fixture.h"

namespace moraku::test {
namespace {

using SearchInput = SearchSessionTest;

TEST_F(SearchInput, FirstStoneMustLieOnTheStarPointInBothSections) {
  for (int section : {kHandicapSection, kStarPointSection}) {
    SCOPED_TRACE(section);
    st_.SectionIndex = section;
    StartSearchInput(session_);
    controls_.recordButtonsEnabled = true;
    Click(4, 4);
    EXPECT_EQ(st_.SearchText, "442");
    EXPECT_EQ(st_.MirrorText, "442");
    EXPECT_EQ(st_.StoneNo, 1);
    EXPECT_EQ(ShownAt(4, 4), "zkuro1.gif");
    EXPECT_FALSE(controls_.recordButtonsEnabled);  // the change of SearchText disables them
    EXPECT_TRUE(controls_.messages.isEmpty());
  }
}

TEST_F(SearchInput, RefusedFirstStoneResetsBoardTextsAndNumber) {
  StartSearchInput(session_);
  ASSERT_EQ(ShownAtPixel(800, 215), "newcross.gif");
  ASSERT_EQ(ShownAt(4, 4), "mmmcross.gif");
  // Elsewhere on the board, and in the tenuki area: both refused.
  for (auto [row, col] : {std::pair{3, 4}, std::pair{10, 18}, std::pair{4, 16}}) {
    SCOPED_TRACE(row * 100 + col);
    controls_.messages.clear();
    Click(row, col);
    EXPECT_EQ(controls_.messages, QStringList{"一手目は星に打ってください。"});
    EXPECT_EQ(st_.StoneNo, 0);
    EXPECT_TRUE(st_.SearchText.isEmpty());
    EXPECT_TRUE(st_.MirrorText.isEmpty());
    EXPECT_FALSE(st_.NoBoardInput);
    // An empty record board without markers.
    EXPECT_EQ(ShownAt(row, col), TileName({row, col}));
    EXPECT_EQ(ShownAt(4, 4), "crossdot23.jpg");
    EXPECT_EQ(ShownAtPixel(800, 215), "cross23.jpg");
  }
  // The next click is a first stone again.
  controls_.messages.clear();
  Click(4, 4);
  EXPECT_EQ(st_.SearchText, "442");
  EXPECT_EQ(st_.StoneNo, 1);
  EXPECT_TRUE(controls_.messages.isEmpty());
}

TEST_F(SearchInput, ThreeFourSectionStartsOnTheThreeFourPointInEitherOrientation) {
  st_.SectionIndex = kThreeFourSection;
  StartSearchInput(session_);
  // Both orientations of the opening point are marked; the star point is not.
  EXPECT_EQ(ShownAt(3, 4), "mmmcross.gif");
  EXPECT_EQ(ShownAt(4, 3), "mmmcross.gif");
  EXPECT_EQ(ShownAt(4, 4), "crossdot23.jpg");
  for (auto [row, col] : {std::pair{4, 4}, std::pair{10, 17}, std::pair{3, 3}}) {
    SCOPED_TRACE(row * 100 + col);
    controls_.messages.clear();
    Click(row, col);
    EXPECT_EQ(controls_.messages, QStringList{"一手目は小目に打ってください。"});
    EXPECT_EQ(st_.StoneNo, 0);
    EXPECT_TRUE(st_.SearchText.isEmpty());
    EXPECT_TRUE(st_.MirrorText.isEmpty());
    EXPECT_NE(ShownAt(3, 4), "mmmcross.gif");  // the board is cleared without markers
  }
  controls_.messages.clear();
  Click(3, 4);
  Click(5, 3);
  EXPECT_EQ(st_.SearchText, "342531");
  EXPECT_EQ(st_.MirrorText, "432351");
  EXPECT_EQ(ShownAt(3, 4), "zkuro1.gif");

  StartSearchInput(session_);
  Click(4, 3);
  Click(3, 5);
  EXPECT_EQ(st_.SearchText, "432351");
  EXPECT_EQ(st_.MirrorText, "342531");
  EXPECT_TRUE(controls_.messages.isEmpty());

  // Tenuki and shortening work as in the other sections; the redrawn board keeps the markers.
  Click(10, 18);
  Click(3, 7);
  ShortenSearch(session_);
  EXPECT_EQ(st_.SearchText, "432351???");
  EXPECT_EQ(st_.MirrorText, "342531???");
  EXPECT_EQ(st_.StoneNo, 3);
  EXPECT_EQ(ShownAt(4, 3), "zkuro1.gif");
  EXPECT_EQ(ShownAt(3, 4), "mmmcross.gif");
  EXPECT_EQ(ShownAt(10, 17), "zkuro3.gif");
}

TEST_F(SearchInput, ClicksAppendTriplesMirroredAndAlternateColours) {
  StartSearchInput(session_);
  Click(4, 4);
  Click(6, 3);
  EXPECT_EQ(st_.SearchText, "442631");
  EXPECT_EQ(st_.MirrorText, "442361");
  EXPECT_EQ(ShownAt(6, 3), "zshiro2.gif");
  // Coordinates above 9 use the letter alphabet.
  Click(16, 12);
  EXPECT_EQ(st_.SearchText, "442631GC2");
  EXPECT_EQ(st_.MirrorText, "442361CG2");
  EXPECT_EQ(ShownAt(16, 12), "zkuro3.gif");
  // A tenuki: three question marks in both texts, the stone on the clicked cell of the area.
  Click(10, 18);
  EXPECT_EQ(st_.SearchText, "442631GC2???");
  EXPECT_EQ(st_.MirrorText, "442361CG2???");
  EXPECT_EQ(ShownAt(10, 18), "zshiro4.gif");
  // Row 10 left of the area is an ordinary point.
  Click(10, 16);
  EXPECT_EQ(st_.SearchText.right(3), "AG2");
  EXPECT_EQ(st_.MirrorText.right(3), "GA2");
  // An occupied point takes a second stone and a second triple.
  Click(6, 3);
  EXPECT_EQ(st_.SearchText.right(6), "AG2631");
  EXPECT_EQ(ShownAt(6, 3), "zshiro6.gif");
  EXPECT_EQ(st_.StoneNo, 6);
  // Nothing is captured: the record grid is never written.
  EXPECT_EQ(st_.RecordGrid.At(6, 3), 0);
}

TEST_F(SearchInput, ClicksOutsideTheRecordBoardOrWhileClosedAreIgnored) {
  StartSearchInput(session_);
  Click(4, 4);
  const int presents = session_.canvas.PresentCount();
  // The joseki board, the gap column and a row below the board.
  TrackPointer(session_, CellX(Board::Joseki, 5) + 3, CellY(5) + 3);
  AddSearchStone(session_);
  TrackPointer(session_, 430, 50);
  EXPECT_EQ(st_.MouseCol, 20);
  AddSearchStone(session_);
  TrackPointer(session_, 600, 19 * 23 + 2);
  EXPECT_EQ(st_.MouseRow, 20);
  AddSearchStone(session_);
  EXPECT_EQ(st_.SearchText, "442");
  EXPECT_EQ(st_.StoneNo, 1);

  st_.NoBoardInput = true;
  TrackPointer(session_, CellX(Board::Record, 3) + 1, CellY(6) + 22);
  EXPECT_EQ(st_.MouseCol, 23);  // the pointer is still tracked
  EXPECT_EQ(st_.MouseRow, 6);
  AddSearchStone(session_);
  EXPECT_EQ(st_.SearchText, "442");
  EXPECT_EQ(st_.StoneNo, 1);
  EXPECT_EQ(session_.canvas.PresentCount(), presents);
}

TEST_F(SearchInput, StonesFromFiftySixOnAreSilverAndNumbersStopAtTheLimit) {
  StartSearchInput(session_);
  Click(4, 4);
  st_.StoneNo = 54;
  Click(3, 3);
  EXPECT_EQ(ShownAt(3, 3), "zkuro55.gif");
  Click(3, 5);
  EXPECT_EQ(ShownAt(3, 5), "ysilver.gif");
  EXPECT_EQ(st_.SearchText.right(3), "351");
  Click(5, 3);
  EXPECT_EQ(ShownAt(5, 3), "ysilver.gif");
  EXPECT_EQ(st_.SearchText.right(3), "532");

  st_.StoneNo = 32767;
  const QString before = st_.SearchText;
  Click(7, 7);
  EXPECT_EQ(st_.StoneNo, 32767);
  EXPECT_EQ(st_.SearchText, before);
  EXPECT_EQ(ShownAt(7, 7), "cross23.jpg");
  DrawSearchStone(session_, {8, 8});
  EXPECT_EQ(st_.StoneNo, 32767);
  EXPECT_EQ(ShownAt(8, 8), "cross23.jpg");
}

TEST_F(SearchInput, MissingStoneImageStillCountsTheStone) {
  images_.Remove("zshiro2.gif");
  StartSearchInput(session_);
  Click(4, 4);
  Click(6, 3);
  EXPECT_EQ(st_.SearchText, "442631");
  EXPECT_EQ(st_.StoneNo, 2);
  EXPECT_EQ(ShownAt(6, 3), "cross23.jpg");
  Click(3, 6);
  EXPECT_EQ(ShownAt(3, 6), "zkuro3.gif");
}

TEST_F(SearchInput, StartDrawsMarkersAndOpensAnEmptySequence) {
  SetSearchText(session_, "442631");
  st_.MirrorText = "442361";
  st_.StoneNo = 9;
  st_.NoBoardInput = true;
  controls_.recordButtonsEnabled = true;
  StartSearchInput(session_);
  EXPECT_TRUE(st_.SearchText.isEmpty());
  EXPECT_TRUE(st_.MirrorText.isEmpty());
  EXPECT_EQ(st_.StoneNo, 0);
  EXPECT_FALSE(st_.NoBoardInput);
  EXPECT_FALSE(controls_.recordButtonsEnabled);
  // Tenuki markers 3 pixels right of and 4 below the area's cells; the last one is cut off at
  // the picture's right edge.
  for (int x : {795, 817, 839}) {
    EXPECT_EQ(ShownAtPixel(x, 211), "newcross.gif") << x;
    EXPECT_EQ(ShownAtPixel(x - 1, 211), x == 795 ? "cross23.jpg" : "newcross.gif") << x;
  }
  EXPECT_EQ(ShownAtPixel(857, 233), "newcross.gif");
  EXPECT_EQ(ShownAtPixel(820, 210), "cross23.jpg");
  EXPECT_EQ(ShownAt(4, 4), "mmmcross.gif");
  EXPECT_EQ(ShownAtPixel(506, 69), "mmmcross.gif");
  EXPECT_EQ(ShownAtPixel(505, 69), "cross23.jpg");
}

TEST_F(SearchInput, MissingMarkerIsLeftOutWithoutRepeatingThePreviousImage) {
  images_.Remove("newcross.gif");
  StartSearchInput(session_);
  for (int x : {795, 817, 839}) EXPECT_NE(ShownAtPixel(x + 2, 215), "newcross.gif") << x;
  EXPECT_EQ(ShownAtPixel(800, 215), "cross23.jpg");
  EXPECT_EQ(ShownAtPixel(850, 215), "right23.jpg");
  EXPECT_EQ(ShownAt(4, 4), "mmmcross.gif");
  EXPECT_FALSE(st_.NoBoardInput);
}

TEST_F(SearchInput, RedrawPutsTenukiStonesOnColumnsSeventeenEighteenNineteen) {
  StartSearchInput(session_);
  Click(4, 4);
  Click(10, 19);
  Click(3, 6);
  Click(10, 17);
  Click(10, 17);
  Click(10, 18);
  const QString search = st_.SearchText;
  const QString mirror = st_.MirrorText;
  ASSERT_EQ(search, QString("442???362") + QString(9, u'?'));
  st_.NoBoardInput = true;
  RedisplaySearch(session_);
  EXPECT_EQ(st_.SearchText, search);
  EXPECT_EQ(st_.MirrorText, mirror);
  EXPECT_EQ(st_.StoneNo, 6);
  EXPECT_FALSE(st_.NoBoardInput);
  EXPECT_EQ(ShownAt(4, 4), "zkuro1.gif");
  EXPECT_EQ(ShownAt(10, 17), "zshiro2.gif");
  EXPECT_EQ(ShownAt(3, 6), "zkuro3.gif");
  EXPECT_EQ(ShownAt(10, 18), "zshiro4.gif");
  // The third and later tenuki stones all stand on column 19; the last drawn shows.
  EXPECT_EQ(ShownAt(10, 19), "zshiro6.gif");
}

TEST_F(SearchInput, RedrawOfAnEmptyTextOnlyComplains) {
  StartSearchInput(session_);
  Click(4, 4);
  SetSearchText(session_, QString());
  st_.NoBoardInput = true;
  const int presents = session_.canvas.PresentCount();
  RedrawSearch(session_);
  EXPECT_EQ(controls_.messages, QStringList{"検索手順がありません。入力してください。"});
  EXPECT_TRUE(st_.NoBoardInput);
  EXPECT_EQ(st_.StoneNo, 1);
  EXPECT_EQ(session_.canvas.PresentCount(), presents);
  RedisplaySearch(session_);
  EXPECT_EQ(controls_.messages.size(), 2);
  EXPECT_FALSE(st_.NoBoardInput);  // the redisplay opens the input all the same
}

TEST_F(SearchInput, ShortenDropsTheLastStoneAndRedraws) {
  StartSearchInput(session_);
  Click(4, 4);
  Click(6, 3);
  Click(10, 19);
  Click(3, 6);
  ShortenSearch(session_);
  EXPECT_EQ(st_.SearchText, "442631???");
  EXPECT_EQ(st_.MirrorText, "442361???");
  EXPECT_EQ(st_.StoneNo, 3);
  EXPECT_EQ(ShownAt(3, 6), "cross23.jpg");
  EXPECT_EQ(ShownAt(10, 17), "zkuro3.gif");  // the redraw moves the tenuki to column 17
  EXPECT_EQ(ShownAt(4, 4), "zkuro1.gif");
  ShortenSearch(session_);
  ShortenSearch(session_);
  EXPECT_EQ(st_.SearchText, "442");
  ShortenSearch(session_);
  EXPECT_TRUE(st_.SearchText.isEmpty());
  EXPECT_TRUE(st_.MirrorText.isEmpty());
  EXPECT_EQ(st_.StoneNo, 0);
  EXPECT_EQ(ShownAt(4, 4), "mmmcross.gif");
  EXPECT_EQ(ShownAtPixel(800, 215), "newcross.gif");
  EXPECT_FALSE(st_.NoBoardInput);
}

TEST_F(SearchInput, ShortenOfFewerThanThreeCharactersDoesNothing) {
  const auto check = [&](const QString& search, const QString& mirror) {
    SCOPED_TRACE((search + "/" + mirror).toStdString());
    SetSearchText(session_, search);
    st_.MirrorText = mirror;
    st_.StoneNo = 4;
    st_.NoBoardInput = true;
    const int presents = session_.canvas.PresentCount();
    ShortenSearch(session_);
    EXPECT_EQ(st_.SearchText, search);
    EXPECT_EQ(st_.MirrorText, mirror);
    EXPECT_EQ(st_.StoneNo, 4);
    EXPECT_TRUE(st_.NoBoardInput);
    EXPECT_EQ(session_.canvas.PresentCount(), presents);
  };
  check("", "");
  check("44", "44");
  check("442631", "");  // a record text left in SearchText with no mirror text
}

TEST_F(SearchInput, AddMovesContinuesNumberingWithoutTheFirstMoveRule) {
  StartSearchInput(session_);
  for (auto [row, col] : {std::pair{4, 4}, {6, 3}, {3, 6}, {3, 3}, {4, 3}}) Click(row, col);
  st_.NoBoardInput = true;
  st_.StoneNo = 17;  // as a joseki display might leave it
  AddSearchMoves(session_);
  EXPECT_EQ(st_.StoneNo, 5);
  EXPECT_FALSE(st_.NoBoardInput);
  Click(15, 15);
  EXPECT_EQ(st_.StoneNo, 6);
  EXPECT_EQ(st_.SearchText.right(3), "FF1");
  EXPECT_EQ(ShownAt(15, 15), "zshiro6.gif");
  EXPECT_TRUE(controls_.messages.isEmpty());
}

TEST_F(SearchInput, OpenInputWithoutStartContinuesFromTheSharedNumber) {
  st_.StoneNo = 7;  // left by the joseki board's display
  st_.NoBoardInput = false;
  Click(9, 9);
  EXPECT_EQ(st_.StoneNo, 8);
  EXPECT_EQ(st_.SearchText, "991");
  EXPECT_TRUE(controls_.messages.isEmpty());
}

}  // namespace
}  // namespace moraku::test
