// SPDX-License-Identifier: GPL-3.0-or-later
// Making an entry the entry shown: the list's click, the first entry after the load, the entry
// found by the search, the window's load, and the text-size button.

#include "joseki/entry_selection.h"
#include "gocs_fixture.h"

#include "data/sections.h"
#include "joseki/window_load.h"
#include "joseki_test_support.h"

namespace moraku::test {
namespace {

using namespace joseki_support;

Entry MakeEntry(const QString& title, const QString& moves, const QString& record = {}) {
  Entry e;
  e.title = title;
  e.ref = title + " ref";
  e.comment = title + " comment";
  e.preset = "442";
  e.presetCount = 1;
  e.moves = moves;
  e.record = record;
  return e;
}

class EntrySelectionTest : public SessionTest {};

TEST_F(EntrySelectionTest, ClickCleansTheJosekiMovesAsDocumented) {
  struct Case {
    QString stored;
    QString shown;
  };
  const Case cases[] = {
      {"4422", "442"},
      {"44233", "442"},
      {"442??1 ", "442??1"},
      {"442 ??1", "442??"},  // cut to six first, then the space goes
      {QString::fromUtf8("442\u3000??1"), "442??"},
      {QString::fromUtf8("4 42\u3000??1"), "442?"},  // one of each space, after the cut
      {"4 4 2??1", "44 2?"},                         // only the first ASCII space
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored.toStdString());
    S().Entries = EntryTable{};
    rows_.clear();
    AddEntry(MakeEntry("A", c.stored));
    ui_.selectedRow = 0;
    SelectEntry(session_);
    EXPECT_EQ(S().JosekiMoves, c.shown);
  }
}

TEST_F(EntrySelectionTest, OddLengthMovesAreDrawnFromTheirWholeTriplesOnly) {
  AddEntry(MakeEntry("A", "33155"));
  ui_.selectedRow = 0;
  SelectEntry(session_);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "zshiro1.gif"));
  EXPECT_EQ(PointsNotEmpty(Board::Joseki), 2);  // the preset stone and move 1
}

TEST_F(EntrySelectionTest, ClickShowsTheEntryItsTextsAndItsRecord) {
  AddEntry(MakeEntry("A", "331"));
  AddEntry(MakeEntry("B", "551", "Rec B|1/2|4433"));
  ui_.selectedRow = 1;
  SelectEntry(session_);
  EXPECT_EQ(S().CurrentEntry, 2);
  EXPECT_EQ(ui_.reference, "B ref");
  EXPECT_EQ(ui_.comment, "B comment");
  EXPECT_EQ(ui_.recordCaption, "Rec B");
  EXPECT_EQ(S().SearchText, "Rec B|1/2|4433");
  EXPECT_EQ(S().PresetStones, "442");
  EXPECT_TRUE(ui_.recordButtonsEnabled);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 5, 5, "zshiro1.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 3, 3, "zshiro2.gif"));

  // An entry without record: buttons off, record board empty, caption one space.
  ui_.selectedRow = 0;
  SelectEntry(session_);
  EXPECT_EQ(S().CurrentEntry, 1);
  EXPECT_FALSE(ui_.recordButtonsEnabled);
  EXPECT_TRUE(S().RecordMoves.isEmpty());
  EXPECT_EQ(PointsNotEmpty(Board::Record), 0);
  EXPECT_EQ(ui_.recordCaption, " ");
  EXPECT_TRUE(DisplayEmpty(Board::Joseki, 5, 5));
}

TEST_F(EntrySelectionTest, OneCharacterRecordCountsAsNone) {
  AddEntry(MakeEntry("A", "331", "x"));
  ui_.recordButtonsEnabled = true;
  S().RecordMoves = "4433";
  ui_.selectedRow = 0;
  SelectEntry(session_);
  EXPECT_FALSE(ui_.recordButtonsEnabled);
  EXPECT_TRUE(S().RecordMoves.isEmpty());
  EXPECT_EQ(ui_.recordCaption, " ");
}

TEST_F(EntrySelectionTest, SelectingTheSameRowFromCodeDoesNotRedraw) {
  AddEntry(MakeEntry("A", "331"));
  AddEntry(MakeEntry("B", "551"));
  SelectListRow(session_, 1);
  EXPECT_EQ(S().CurrentEntry, 2);
  const int presents = session_.canvas.PresentCount();
  SelectListRow(session_, 1);
  EXPECT_EQ(session_.canvas.PresentCount(), presents);
  SelectListRow(session_, 5);  // no such row
  EXPECT_EQ(ui_.selectedRow, 1);
  EXPECT_EQ(session_.canvas.PresentCount(), presents);
}

TEST_F(EntrySelectionTest, FirstEntryIsShownWithoutTouchingTheListTexts) {
  AddEntry(MakeEntry("A", "331", "R|1/1|44"));
  ui_.reference = "kept";
  S().CurrentEntry = 7;
  ShowFirstEntry(session_);
  EXPECT_EQ(ui_.reference, "kept");
  EXPECT_EQ(S().CurrentEntry, 7);
  EXPECT_TRUE(S().SearchText.isEmpty());
  EXPECT_EQ(ui_.comment, "A comment");
  EXPECT_EQ(ui_.recordCaption, "R");
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "zshiro1.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 4, 4, "zkuro1.gif"));
}

TEST_F(EntrySelectionTest, FirstEntryTakesItsMovesUncleanedAndStopsAtTheSpace) {
  AddEntry(MakeEntry("A", "331 ", "R|1/1|44"));
  ShowFirstEntry(session_);
  EXPECT_EQ(S().JosekiMoves, "331 ");
  // The space is a stone without a point: the display ends there, before presenting move 1
  // and before the record.
  EXPECT_TRUE(MasterShows(Board::Joseki, 3, 3, "zshiro1.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "cross23.jpg"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 4, 4, "mygold.gif"));
  EXPECT_EQ(ui_.recordCaption, " ");
}

TEST_F(EntrySelectionTest, FoundEntrySelectsItsRowWhichShowsItCleaned) {
  AddEntry(MakeEntry("A", "331"));
  AddEntry(MakeEntry("B", "5514", "Rec B|1/1|99"));
  ui_.selectedRow = 0;
  S().CurrentEntry = 3;  // the search stores the found entry's number + 1
  ShowFoundEntry(session_);
  EXPECT_EQ(ui_.selectedRow, 1);
  EXPECT_EQ(S().CurrentEntry, 2);
  EXPECT_EQ(S().JosekiMoves, "551");
  EXPECT_EQ(ui_.reference, "B ref");
  EXPECT_EQ(S().SearchText, "Rec B|1/1|99");
  EXPECT_EQ(ui_.recordCaption, "Rec B");
  EXPECT_TRUE(DisplayShows(Board::Joseki, 5, 5, "zshiro1.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 9, 9, "zkuro1.gif"));
}

TEST_F(EntrySelectionTest, FoundEntryOnTheRowAlreadySelectedKeepsItsMovesUncleaned) {
  AddEntry(MakeEntry("A", "331"));
  AddEntry(MakeEntry("B", "5514"));
  ui_.selectedRow = 1;
  ui_.reference = "kept";
  S().CurrentEntry = 3;
  ShowFoundEntry(session_);
  EXPECT_EQ(S().JosekiMoves, "5514");
  EXPECT_EQ(ui_.reference, "kept");
  EXPECT_EQ(S().CurrentEntry, 3);
  EXPECT_TRUE(MasterShows(Board::Joseki, 5, 5, "zshiro1.gif"));
}

TEST_F(EntrySelectionTest, FoundEntryOneTakesTheEmptyEntryAndStopsWithoutDrawing) {
  AddEntry(MakeEntry("A", "331", "R|1/1|44"));
  ui_.selectedRow = 0;
  SelectEntry(session_);
  const int presents = session_.canvas.PresentCount();
  S().CurrentEntry = 1;
  ShowFoundEntry(session_);
  EXPECT_TRUE(S().PresetStones.isEmpty());
  EXPECT_TRUE(S().JosekiMoves.isEmpty());
  EXPECT_TRUE(S().RecordText.isEmpty());
  EXPECT_TRUE(S().RecordMoves.isEmpty());
  EXPECT_EQ(ui_.comment, "");
  EXPECT_EQ(ui_.selectedRow, 0);
  EXPECT_EQ(session_.canvas.PresentCount(), presents);  // the board keeps its picture
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "zshiro1.gif"));
}

TEST_F(EntrySelectionTest, FoundEntryBeyondTheTableDoesNothing) {
  AddEntry(MakeEntry("A", "331"));
  S().CurrentEntry = 9;
  ShowFoundEntry(session_);
  EXPECT_TRUE(S().JosekiMoves.isEmpty());
  EXPECT_EQ(session_.canvas.PresentCount(), 0);
}

TEST_F(EntrySelectionTest, EnlargeTextSwitchesBetweenFourteenAndEleven) {
  EXPECT_DOUBLE_EQ(ui_.textFontSize, 11.25);
  EnlargeText(session_);
  EXPECT_DOUBLE_EQ(ui_.textFontSize, 14);
  EnlargeText(session_);
  EXPECT_DOUBLE_EQ(ui_.textFontSize, 11);
  EnlargeText(session_);
  EXPECT_DOUBLE_EQ(ui_.textFontSize, 14);
}

// --- the window's load ------------------------------------------------------------------------

class WindowLoadTest : public SessionTest {
 protected:
  QString Database(const std::vector<NullableRow>& rows) {
    const QString path = dir_.path() + "/goc.db";
    EXPECT_TRUE(WriteGocs(path, rows));
    return path;
  }
  QTemporaryDir dir_;
};

NullableRow EntryRow(const QString& five, const QString& title, const QString& stones,
                     const QString& record = {}) {
  NullableRow r;
  r.five = five;
  r.title = title;
  r.stones = stones;
  r.record = record;
  r.comment = title + " comment";
  return r;
}

TEST_F(WindowLoadTest, LoadListsTheSectionAndShowsEntryOne) {
  const QString db = Database({EntryRow("0b", "second", "442551"), EntryRow("1a", "star", "442"),
                               EntryRow("0a", "first", "442331", "Rec|1/2|4433")});
  S().SectionIndex = kHandicapSection;
  EXPECT_EQ(OpenSection(session_, db), "");
  EXPECT_EQ(ui_.rows, QStringList({"first", "second"}));
  EXPECT_EQ(ui_.selectedRow, 0);
  EXPECT_EQ(S().CurrentEntry, 1);
  EXPECT_EQ(ui_.recordCaption, "Rec");
  EXPECT_EQ(ui_.comment, "first comment");
  EXPECT_TRUE(ui_.recordButtonsEnabled);  // entry 1 has a record
  EXPECT_FALSE(ui_.josekiEndMarkVisible);
  EXPECT_FALSE(ui_.recordEndMarkVisible);
  EXPECT_FALSE(ui_.endMarkTimerEnabled);
  EXPECT_FALSE(ui_.hitDeliveryTimerEnabled);
  EXPECT_TRUE(S().NoBoardInput);
  EXPECT_TRUE(DisplayShows(Board::Joseki, 4, 4, "mygold.gif"));
  EXPECT_TRUE(DisplayShows(Board::Joseki, 3, 3, "zshiro1.gif"));
  EXPECT_TRUE(DisplayShows(Board::Record, 3, 3, "zshiro2.gif"));
}

TEST_F(WindowLoadTest, EntryOneWithoutRecordLeavesTheButtonsDisabledAndCaptionBlank) {
  const QString db = Database({EntryRow("0a", "first", "442331"), EntryRow("0b", "second", "442")});
  S().SectionIndex = kHandicapSection;
  EXPECT_EQ(OpenSection(session_, db), "");
  EXPECT_FALSE(ui_.recordButtonsEnabled);
  EXPECT_EQ(ui_.recordCaption, " ");
  EXPECT_EQ(PointsNotEmpty(Board::Record), 0);
  EXPECT_TRUE(S().NoBoardInput);  // closed again after the empty record board opened it
}

TEST_F(WindowLoadTest, MissingDatabaseLeavesTheListEmptyAndTheControlsAsDesigned) {
  S().SectionIndex = kHandicapSection;
  const QString message = OpenSection(session_, dir_.path() + "/absent.db");
  EXPECT_FALSE(message.isEmpty());
  EXPECT_TRUE(message.contains("absent.db"));
  EXPECT_TRUE(ui_.rows.isEmpty());
  EXPECT_TRUE(ui_.recordButtonsEnabled);
  EXPECT_TRUE(ui_.josekiEndMarkVisible);
  EXPECT_TRUE(ui_.recordEndMarkVisible);
  EXPECT_FALSE(S().NoBoardInput);
  EXPECT_EQ(S().Entries.Count(), 0);
  EXPECT_EQ(session_.canvas.PresentCount(), 0);
}

TEST_F(WindowLoadTest, EmptySectionLeavesTheWindowIdle) {
  const QString db = Database({EntryRow("1a", "star", "442")});
  S().SectionIndex = kHandicapSection;
  EXPECT_EQ(OpenSection(session_, db), "");
  EXPECT_TRUE(ui_.rows.isEmpty());
  EXPECT_EQ(ui_.selectedRow, -1);
  EXPECT_EQ(S().CurrentEntry, 0);
  EXPECT_FALSE(ui_.recordButtonsEnabled);
  EXPECT_FALSE(ui_.josekiEndMarkVisible);
  EXPECT_FALSE(ui_.recordEndMarkVisible);
  EXPECT_TRUE(S().NoBoardInput);
  EXPECT_EQ(session_.canvas.PresentCount(), 0);
}

}  // namespace
}  // namespace moraku::test
