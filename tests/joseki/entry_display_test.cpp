// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the entry shown: preset stones, numbered joseki moves with captures, markers, and the
// record with its caption and numbering.

#include "joseki/entry_display.h"
#include "joseki/next_move_hint.h"

#include "joseki_test_support.h"

namespace moraku::test {
namespace {

using namespace joseki_support;

class EntryDisplayTest : public SessionTest {
 protected:
  void ShowRecordText(const QString& text) {
    S().RecordText = text;
    ParseRecord(session_);
  }
};

TEST_F(EntryDisplayTest, ImageSetTellsTheImagesApart) {
  // The pixel checks below only mean something when the images differ.
  EXPECT_NE(Cell("zkuro1.gif"), Cell("zshiro1.gif"));
  EXPECT_NE(Cell("zkuro1.gif"), Cell("zkuro2.gif"));
  EXPECT_NE(Cell("mygold.gif"), Cell("ysilver.gif"));
  EXPECT_NE(Cell("zgold.gif"), Cell("ysilver.gif"));
  EXPECT_NE(Cell("aa.gif"), Cell("ab.gif"));
  EXPECT_NE(Cell("kurokuro.gif"), Cell("shiroshiro.gif"));
  EXPECT_NE(Cell("cross23.jpg"), Cell("mygold.gif"));
}

// --- the joseki board -------------------------------------------------------------------------

TEST_F(EntryDisplayTest, PresetStonesAlternateGoldAndSilverAndJosekiMovesStartWithWhite) {
  S().PresetStones = "442GG1";  // gold then silver
  S().JosekiMoves = "3D1332";   // move 1 white numbered 1, move 2 black numbered 2
  ShowEntry(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 4, 4, "mygold.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 16, 16, "ysilver.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 13, "zshiro1.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "zkuro2.gif"));
  EXPECT_EQ(S().JosekiGrid.At(4, 4) % 2, 1);    // black
  EXPECT_EQ(S().JosekiGrid.At(16, 16) % 2, 0);  // white
  EXPECT_EQ(S().JosekiGrid.At(3, 13), 2);       // white, no neighbour
  EXPECT_EQ(S().JosekiGrid.At(3, 3), 1);
  EXPECT_EQ(S().MoveCount, 2);
  EXPECT_EQ(S().StoneNo, 0);
  EXPECT_EQ(PointsNotEmpty(Board::Joseki), 4);
}

TEST_F(EntryDisplayTest, TenukiStonesGoToRowTenOnColumnsNineteenEighteenThenSeventeen) {
  S().PresetStones = "442";
  S().JosekiMoves = "??1";
  ShowEntry(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 4, 4, "mygold.gif"));
  // The first tenuki of the display: row 10, column 19, at pixel (396, 207).
  EXPECT_EQ(session_.canvas.Display().copy(396, 207, kCellWidth, kCellHeight), Cell("zshiro1.gif"));

  // The count runs over preset stones and moves together; from the third on all go to 17.
  S().PresetStones = "442??1";
  S().JosekiMoves = "??1??2??1";
  ShowEntry(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 10, 19, "ysilver.gif"));  // preset stone 2
  EXPECT_TRUE(DisplayShows(Board::Joseki, 10, 18, "zshiro1.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 10, 17, "zshiro3.gif"));  // 3 drawn over 2
  EXPECT_EQ(PointsNotEmpty(Board::Joseki), 4);
}

TEST_F(EntryDisplayTest, TenukiBetweenTwoPresetStonesIsNotDrawn) {
  // Three handicap stones with White's turns between them, then White 1 and Black 2 tenuki.
  S().PresetStones = "442???GG2???G42";
  S().JosekiMoves = "361???";
  ShowEntry(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 16, 16, "mygold.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 16, 4, "mygold.gif"));
  // The joseki's own tenuki is the display's first: column 19, not behind two placeholders.
  EXPECT_TRUE(DisplayShows(Board::Joseki, 10, 19, "zkuro2.gif"));
  EXPECT_EQ(PointsNotEmpty(Board::Joseki), 5);
  EXPECT_EQ(S().JosekiGrid.At(10, 18), 0);
  EXPECT_EQ(S().JosekiGrid.At(10, 19) % 2, 1);  // black, beside the edge

  // The step-by-step display still shows the placeholders: rows 10 and 11 of column 19.
  StartHint(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 10, 19, "ysilver.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 11, 19, "ysilver.gif"));
}

TEST_F(EntryDisplayTest, MovesAboveFiftyFiveAreSilverButKeepTheirColourInTheGrid) {
  S().JosekiMoves = LatticeTriples(57);
  ShowEntry(session_);
  // Move 55 (row 11, col 9) still numbered; 56 (row 11, col 11) and 57 (row 11, col 13) silver.
  EXPECT_TRUE(DisplayShows(Board::Joseki, 11, 9, "zshiro55.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 11, 11, "ysilver.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 11, 13, "ysilver.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 11, 7, "zkuro54.gif"));
  EXPECT_EQ(S().JosekiGrid.At(11, 11), 1);  // move 56: black
  EXPECT_EQ(S().JosekiGrid.At(11, 13), 2);  // move 57: white
  EXPECT_EQ(PointsNotEmpty(Board::Joseki), 57);
}

TEST_F(EntryDisplayTest, JosekiMoveThatCapturesTakesTheStoneOffTheBoard) {
  // White 1 in the corner, black 2 beside it, white 3 elsewhere, black 4 below it: captured.
  S().JosekiMoves = "111122991212";
  ShowEntry(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 1, 1, "upleft23.jpg"));
  EXPECT_EQ(S().JosekiGrid.At(1, 1), 0);
  EXPECT_EQ(S().JosekiGrid.At(1, 2), 3);
  EXPECT_EQ(S().JosekiGrid.At(2, 1), 3);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 1, 2, "zkuro2.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 2, 1, "zkuro4.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 9, 9, "zshiro3.gif"));
}

TEST_F(EntryDisplayTest, MarkersCoverTheirPointsWithoutTouchingTheGrid) {
  S().PresetStones = "442";
  S().Marks = "33a35b36c37d38e552GJX44a";
  ShowEntry(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "aa.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 5, "ab.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 6, "ac.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 7, "ad.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 8, "ae.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 5, 5, "kurokuro.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 16, 19, "shiroshiro.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 4, 4, "aa.gif"));  // over the stone
  EXPECT_EQ(S().JosekiGrid.At(3, 3), 0);
  EXPECT_EQ(S().JosekiGrid.At(4, 4), 1);  // the stone is still there, unchanged
}

TEST_F(EntryDisplayTest, EntryWithNeitherMarkersNorRecordLeavesTheRecordBoardEmpty) {
  ui_.recordButtonsEnabled = true;
  S().PresetStones = "442";
  S().JosekiMoves = "331";
  S().RecordMoves = "4433";  // left over from an earlier entry: not drawn
  ShowEntry(session_);
  EXPECT_EQ(PointsNotEmpty(Board::Record), 0);
  EXPECT_EQ(PointsNotEmpty(Board::Joseki), 2);
  EXPECT_FALSE(ui_.recordButtonsEnabled);
  EXPECT_EQ(ui_.recordCaption, " ");
  EXPECT_FALSE(S().NoBoardInput);  // the empty record board takes search input
}

TEST_F(EntryDisplayTest, ShowEntryStopsSilentlyAtAnImageThatCannotBeLoaded) {
  PartialImageSet partial({"zkuro2.gif"});
  ImageStore images(partial.Path());
  RecordingControls ui;
  JosekiSession session(ui, images);
  session.state.PresetStones = "442";
  session.state.JosekiMoves = "331551771";
  session.state.Marks = "99a";
  session.state.RecordText = "R|1/1|44";
  ShowEntry(session);
  auto shows = [&](const QImage& picture, int row, int col, const QString& name) {
    return PointBlock(picture, Board::Joseki, row, col) == FileCell(partial.Path(), name);
  };
  // Preset stones were presented; move 1 is drawn but not yet presented; nothing after it.
  EXPECT_TRUE(shows(session.canvas.Display(), 4, 4, "mygold.gif"));
  EXPECT_TRUE(shows(session.canvas.Master(), 3, 3, "zshiro1.gif"));
  EXPECT_TRUE(shows(session.canvas.Display(), 3, 3, "cross23.jpg"));
  EXPECT_TRUE(shows(session.canvas.Master(), 5, 5, "cross23.jpg"));
  EXPECT_TRUE(shows(session.canvas.Master(), 9, 9, "cross23.jpg"));  // no markers
  EXPECT_NE(ui.recordCaption, "R");                                  // no record
  EXPECT_EQ(session.state.JosekiGrid.At(5, 5), 0);
}

TEST_F(EntryDisplayTest, ShowEntryStopsAtAStoneOffTheBoard) {
  // An incomplete last triple is still visited; its missing column is 0, which has no point.
  S().JosekiMoves = "3314";
  S().Marks = "99a";
  ShowEntry(session_);
  EXPECT_TRUE(MasterShows(Board::Joseki, 3, 3, "zshiro1.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "cross23.jpg"));  // not presented
  EXPECT_TRUE(MasterShows(Board::Joseki, 9, 9, "cross23.jpg"));   // markers not drawn
  EXPECT_EQ(S().MoveCount, 2);
}

TEST_F(EntryDisplayTest, MarkerWithoutItsImageIsDrawnWithTheImageBeforeIt) {
  PartialImageSet partial({"ab.gif"});
  ImageStore images(partial.Path());
  RecordingControls ui;
  JosekiSession session(ui, images);
  session.state.Marks = "33a44b552";
  DrawMarks(session);
  const QImage& d = session.canvas.Display();
  EXPECT_EQ(PointBlock(d, Board::Joseki, 3, 3), FileCell(partial.Path(), "aa.gif"));
  EXPECT_EQ(PointBlock(d, Board::Joseki, 4, 4), FileCell(partial.Path(), "aa.gif"));
  EXPECT_EQ(PointBlock(d, Board::Joseki, 5, 5), FileCell(partial.Path(), "kurokuro.gif"));
}

// --- the record -------------------------------------------------------------------------------

TEST_F(EntryDisplayTest, OddLengthRecordStopsAtTheLoneCharacterWithBlankCaption) {
  ui_.recordButtonsEnabled = false;
  ShowRecordText("Game A|3/5|4433554");
  EXPECT_EQ(S().NumberLimit, 3);
  EXPECT_EQ(S().RecordLength, 5);
  EXPECT_EQ(S().RecordMoves, "4433554");
  EXPECT_TRUE(DisplayShows(Board::Record, 4, 4, "mygold.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 3, 3, "ysilver.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 5, 5, "zkuro1.gif"));
  EXPECT_EQ(PointsNotEmpty(Board::Record), 3);
  EXPECT_EQ(ui_.recordCaption, "");
  EXPECT_FALSE(ui_.recordButtonsEnabled);  // left as they were
  EXPECT_EQ(S().MoveCount, 4);
}

TEST_F(EntryDisplayTest, EvenFirstNumberGivesTheWhiteFirstImages) {
  ui_.recordButtonsEnabled = false;
  ShowRecordText("T|2/3|443355");
  EXPECT_TRUE(DisplayShows(Board::Record, 4, 4, "mygold.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 3, 3, "zshiro1.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 5, 5, "zkuro2.gif"));
  EXPECT_EQ(S().RecordGrid.At(3, 3), 2);  // move 2 is white whatever its picture
  EXPECT_EQ(S().RecordGrid.At(5, 5), 1);
  EXPECT_TRUE(ui_.recordButtonsEnabled);
  EXPECT_EQ(ui_.recordCaption, "T");
  EXPECT_EQ(S().MoveCount, 3);
}

TEST_F(EntryDisplayTest, RecordShowsOnlyMovesUpToItsLength) {
  ShowRecordText("L|1/2|44334J");
  EXPECT_TRUE(DisplayShows(Board::Record, 4, 4, "zkuro1.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 3, 3, "zshiro2.gif"));
  EXPECT_TRUE(DisplayEmpty(Board::Record, 4, 19));
  EXPECT_EQ(S().MoveCount, 2);
}

TEST_F(EntryDisplayTest, NumberedStonesAboveFiftyFiveUseTheSetsPlainImage) {
  ShowRecordText("W|2/58|" + LatticePairs(58));
  // Move 56 carries number 55 (white-first: odd numbers white); 57 and 58 are beyond 55.
  EXPECT_TRUE(DisplayShows(Board::Record, 11, 11, "zshiro55.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 11, 13, "ysilver.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 11, 15, "ysilver.gif"));
  EXPECT_EQ(S().RecordGrid.At(11, 13), 1);  // move 57: black

  ShowRecordText("B|1/57|" + LatticePairs(57));
  EXPECT_TRUE(DisplayShows(Board::Record, 11, 9, "zkuro55.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 11, 11, "zgold.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 11, 13, "zgold.gif"));
}

TEST_F(EntryDisplayTest, SpacesInTheRecordMovesAreTakenOutOnceEach) {
  ShowRecordText(QString::fromUtf8("S|1/3|44 33\u3000 55"));
  EXPECT_EQ(S().RawRecordMoves, QString::fromUtf8("44 33\u3000 55"));
  EXPECT_EQ(S().RecordMoves, "4433 55");
  // The second space is a 0 coordinate: the display stops before it.
  EXPECT_EQ(PointsNotEmpty(Board::Record), 2);
  EXPECT_EQ(ui_.recordCaption, "");
}

TEST_F(EntryDisplayTest, TextWithoutSeparatorsCountsAsNoRecord) {
  for (const char* text : {"Game A 3/5 4433", "Game|3/5 4433", "Game|35|4433", "x"}) {
    SCOPED_TRACE(text);
    ShowRecordText("R|1/2|4433");
    ASSERT_TRUE(ui_.recordButtonsEnabled);
    ShowRecordText(text);
    EXPECT_FALSE(ui_.recordButtonsEnabled);
    EXPECT_EQ(PointsNotEmpty(Board::Record), 0);
    EXPECT_TRUE(S().RecordMoves.isEmpty());
  }
}

TEST_F(EntryDisplayTest, RecordNumbersAreReadAsLeadingDigits) {
  ShowRecordText("N| 2x/3rd|443355");
  EXPECT_EQ(S().NumberLimit, 2);
  EXPECT_EQ(S().RecordLength, 3);
  ShowRecordText("N|abc/|4433");
  EXPECT_EQ(S().NumberLimit, 0);
  EXPECT_EQ(S().RecordLength, 0);
  EXPECT_EQ(PointsNotEmpty(Board::Record), 0);
  EXPECT_TRUE(ui_.recordButtonsEnabled);  // an empty stretch is still a whole record
}

TEST_F(EntryDisplayTest, HugeRecordLengthShowsEveryMoveWithoutOverflow) {
  ShowRecordText("H|1/99999999999|4433");
  EXPECT_EQ(PointsNotEmpty(Board::Record), 2);
  EXPECT_TRUE(ui_.recordButtonsEnabled);
  EXPECT_TRUE(DisplayShows(Board::Record, 3, 3, "zshiro2.gif"));
}

TEST_F(EntryDisplayTest, NegativeRecordLengthLeavesTheRecordBoardEmpty) {
  ui_.recordButtonsEnabled = false;
  ShowRecordText("N|1/-3|4433");
  EXPECT_EQ(PointsNotEmpty(Board::Record), 0);
  EXPECT_FALSE(ui_.recordButtonsEnabled);
}

TEST_F(EntryDisplayTest, RecordImageThatCannotBeLoadedClearsTheRecordBoard) {
  PartialImageSet partial({"zkuro3.gif"});
  ImageStore images(partial.Path());
  RecordingControls ui;
  ui.recordButtonsEnabled = false;
  JosekiSession session(ui, images);
  session.state.RecordText = "E|1/4|44335566";
  ParseRecord(session);
  EXPECT_FALSE(ui.recordButtonsEnabled);
  for (int r = 1; r <= 19; ++r) {
    for (int c = 1; c <= 19; ++c) {
      ASSERT_EQ(PointBlock(session.canvas.Display(), Board::Record, r, c),
                FileCell(partial.Path(), TileName({r, c})));
    }
  }
  EXPECT_EQ(session.state.RecordGrid.At(4, 4), 0);
}

TEST_F(EntryDisplayTest, RecordMoveThatCapturesRemovesTheStone) {
  // Black 1 beside the corner, white 2 in the corner, black 3 below it: white is captured.
  ShowRecordText("C|1/3|121121");
  EXPECT_TRUE(DisplayShows(Board::Record, 1, 1, "upleft23.jpg"));
  EXPECT_EQ(S().RecordGrid.At(1, 1), 0);
  EXPECT_EQ(S().RecordGrid.At(1, 2), 3);
  EXPECT_EQ(S().RecordGrid.At(2, 1), 3);
  EXPECT_TRUE(DisplayShows(Board::Record, 1, 2, "zkuro1.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 2, 1, "zkuro3.gif"));
}

}  // namespace
}  // namespace moraku::test
