// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_run.h"

#include <gtest/gtest.h>

#include "search/search_fixture.h"
#include "search/search_scan.h"

namespace moraku::test {
namespace {

class SearchRun : public SearchSessionTest {
 protected:
  // A section whose entry k has key "10k" and the stone string given; no records.
  void SetSection(std::initializer_list<const char*> stones) {
    EntryTable table;
    QStringList titles;
    for (const char* s : stones) {
      const int k = table.Count() + 1;
      Entry entry;
      entry.title = QStringLiteral("entry %1").arg(k);
      entry.moves = QString::fromUtf8(s);
      table.entries.push_back(entry);
      table.records.push_back({QString::number(100 + k), entry.moves});
      titles << entry.title;
    }
    st_.Entries = std::move(table);
    controls_.SetListRows(titles);
  }

  // Enters a sequence by clicks: (row, col) pairs.
  void Enter(std::initializer_list<std::pair<int, int>> points) {
    StartSearchInput(session_);
    for (auto [row, col] : points) Click(row, col);
  }
};

TEST_F(SearchRun, EmptyTextComplainsAndChangesNothingElse) {
  SetSection({"442631"});
  StartSearchInput(session_);
  controls_.recordButtonsEnabled = true;
  st_.DroppedStones = 3;
  RunSearch(session_);
  EXPECT_EQ(controls_.messages, QStringList{"検索入力がないので検索できません。"});
  EXPECT_TRUE(controls_.recordButtonsEnabled);
  EXPECT_FALSE(st_.NoBoardInput);
  EXPECT_FALSE(controls_.hitDeliveryTimerEnabled);
  EXPECT_EQ(st_.DroppedStones, 0);
}

TEST_F(SearchRun, OnlyATextShorterThanOneStoneIsRefusedAsTooShort) {
  SetSection({"44263136", "44"});
  for (const char* text : {"4", "44"}) {
    SCOPED_TRACE(text);
    controls_.messages.clear();
    SetSearchText(session_, text);
    st_.NoBoardInput = false;
    controls_.recordButtonsEnabled = true;
    st_.CurrentEntry = 7;
    RunSearch(session_);
    EXPECT_EQ(controls_.messages, QStringList{"手順が少な過ぎます。加えてください。"});
    EXPECT_FALSE(controls_.recordButtonsEnabled);
    EXPECT_FALSE(st_.NoBoardInput);
    EXPECT_FALSE(controls_.hitDeliveryTimerEnabled);
    EXPECT_EQ(st_.CurrentEntry, 7);
  }
  // Texts of broken triples are searched as they are: a prefix and an exact match.
  for (const char* text : {"44263", "44263136"}) {
    SCOPED_TRACE(text);
    controls_.messages.clear();
    controls_.SetHitDeliveryTimerEnabled(false);
    SetSearchText(session_, text);
    RunSearch(session_);
    EXPECT_TRUE(controls_.messages.isEmpty());
    EXPECT_TRUE(controls_.hitDeliveryTimerEnabled);
    EXPECT_EQ(st_.CurrentEntry, 2);
  }
}

TEST_F(SearchRun, SearchingAgainRightAfterAHitSearchesTheRecordTextByTheRules) {
  SetSection({"443", "442631362"});
  // The hit's record text replaces the sequence when it is shown: 55 characters, not whole
  // stones.
  const QString record =
      QStringLiteral("実戦の譜|1/12|") + QString(QStringLiteral("DDPPQQ")).repeated(8);
  st_.Entries.entries[2].record = record;
  Enter({{4, 4}, {6, 3}, {3, 6}});
  RunSearch(session_);
  FoundEntryTick(session_);
  ASSERT_EQ(st_.SearchText, record);
  ASSERT_NE(record.size() % 3, 0);
  controls_.messages.clear();
  RunSearch(session_);
  // Searched: nothing begins with it, and ten stones and more are dropped in vain.
  EXPECT_EQ(controls_.messages,
            QStringList{"検索石を５つ以上減らして検索しま\r\nしたが該当するものはありません。"});
  EXPECT_GE(st_.DroppedStones, 5);
}

TEST_F(SearchRun, HitArmsTheTimerAndTheTickShowsItsMessage) {
  SetSection({"443", "442631362", "442631", "442361"});
  Enter({{4, 4}, {6, 3}});
  controls_.recordButtonsEnabled = true;
  RunSearch(session_);
  EXPECT_TRUE(controls_.messages.isEmpty());
  EXPECT_TRUE(controls_.hitDeliveryTimerEnabled);
  EXPECT_FALSE(controls_.recordButtonsEnabled);
  EXPECT_TRUE(st_.NoBoardInput);
  EXPECT_EQ(st_.CurrentEntry, 4);  // the exact match, entry 3
  EXPECT_EQ(st_.HitKeys[1], "103");
  EXPECT_EQ(st_.DroppedStones, 0);
  EXPECT_TRUE(st_.FallbackFound);
  // Clicks are closed after the search.
  Click(3, 3);
  EXPECT_EQ(st_.SearchText, "442631");

  FoundEntryTick(session_);
  EXPECT_FALSE(controls_.hitDeliveryTimerEnabled);
  EXPECT_EQ(controls_.messages, QStringList{"該当あり、検索しました。"});
  // The hit is the entry shown, its row selected; its (empty) record text replaces the sequence.
  EXPECT_EQ(controls_.selectedRow, 2);
  EXPECT_EQ(st_.JosekiMoves, "442631");
  EXPECT_TRUE(st_.SearchText.isEmpty());
}

TEST_F(SearchRun, MirroredSequenceFindsTheStoredEntry) {
  SetSection({"443", "442631362GG1", "442"});
  // Entered mirrored in the diagonal: 4-4, then 3-6 and 6-3 swapped.
  Enter({{4, 4}, {3, 6}});
  RunSearch(session_);
  EXPECT_TRUE(controls_.hitDeliveryTimerEnabled);
  EXPECT_EQ(st_.CurrentEntry, 3);
}

TEST_F(SearchRun, ThreeFourLinesAreFoundInEitherOrientationAndWithStonesDropped) {
  st_.SectionIndex = kThreeFourSection;
  SetSection({"342531", "342531732", "342541532631432641362"});
  // The one-space low pincer, entered mirrored: the first stone on row 4, column 3.
  Enter({{4, 3}, {3, 5}, {3, 7}});
  ASSERT_EQ(st_.SearchText, "432351372");
  RunSearch(session_);
  EXPECT_TRUE(controls_.hitDeliveryTimerEnabled);
  EXPECT_EQ(st_.CurrentEntry, 3);

  // Seven stones of which the first six are stored: one dropped.
  Enter({{3, 4}, {5, 4}, {5, 3}, {6, 3}, {4, 3}, {6, 4}, {12, 12}});
  RunSearch(session_);
  EXPECT_TRUE(controls_.hitDeliveryTimerEnabled);
  EXPECT_EQ(st_.DroppedStones, 1);
  EXPECT_EQ(st_.CurrentEntry, 4);
  FoundEntryTick(session_);
  EXPECT_EQ(controls_.messages, QStringList{"検索石を１つ減らして該当ありました。"});
}

TEST_F(SearchRun, SevenStonesWhoseFirstSixMatchAreFoundWithOneDropped) {
  SetSection({"442", "442631362GG1AA2BB1DD2", "442631"});
  Enter({{4, 4}, {6, 3}, {3, 6}, {16, 16}, {10, 10}, {11, 11}, {12, 12}});
  ASSERT_EQ(st_.SearchText, "442631362GG1AA2BB1CC2");
  RunSearch(session_);
  EXPECT_TRUE(controls_.hitDeliveryTimerEnabled);
  EXPECT_EQ(st_.DroppedStones, 1);
  EXPECT_EQ(st_.CurrentEntry, 3);
  EXPECT_EQ(st_.FallbackText, "442631362GG1AA2BB1");
  FoundEntryTick(session_);
  EXPECT_EQ(controls_.messages, QStringList{"検索石を１つ減らして該当ありました。"});
  EXPECT_EQ(controls_.selectedRow, 1);
}

TEST_F(SearchRun, NoMatchShowsTheFailureMessageForTheDroppedStones) {
  SetSection({"443"});
  Enter({{4, 4}, {6, 3}, {3, 6}, {16, 16}, {10, 10}, {11, 11}, {12, 12}});
  RunSearch(session_);
  EXPECT_FALSE(controls_.hitDeliveryTimerEnabled);
  EXPECT_TRUE(st_.NoBoardInput);
  EXPECT_EQ(st_.DroppedStones, 3);
  EXPECT_FALSE(st_.FallbackFound);
  EXPECT_EQ(controls_.messages,
            QStringList{"検索石を３つ減らして検索しましたが\r\n該当するものはありません。"});
}

TEST_F(SearchRun, SearchAfterAnEarlierHitStillReportsNothing) {
  SetSection({"442631362", "443"});
  Enter({{4, 4}, {6, 3}});
  RunSearch(session_);
  ASSERT_TRUE(controls_.hitDeliveryTimerEnabled);
  FoundEntryTick(session_);
  controls_.messages.clear();
  Enter({{4, 4}, {6, 3}, {5, 5}});
  RunSearch(session_);
  EXPECT_FALSE(controls_.hitDeliveryTimerEnabled);
  EXPECT_FALSE(st_.FallbackFound);
  EXPECT_EQ(controls_.messages, QStringList{"該当するものはありません。"});
}

TEST_F(SearchRun, EndingTheSearchWithinTheSecondDoesNotStopTheTick) {
  SetSection({"442631362", "443"});
  Enter({{4, 4}, {6, 3}});
  RunSearch(session_);
  ASSERT_TRUE(controls_.hitDeliveryTimerEnabled);
  EndSearch(session_);
  EXPECT_FALSE(st_.NoBoardInput);
  EXPECT_TRUE(controls_.hitDeliveryTimerEnabled);
  EXPECT_EQ(st_.CurrentEntry, 2);
  FoundEntryTick(session_);
  EXPECT_FALSE(controls_.hitDeliveryTimerEnabled);
  EXPECT_EQ(controls_.selectedRow, 0);
  EXPECT_EQ(controls_.messages, QStringList{"該当あり、検索しました。"});
}

TEST_F(SearchRun, EndSearchKeepsTheSequenceAndItsNumber) {
  SetSection({"443"});
  Enter({{4, 4}, {6, 3}});
  RunSearch(session_);
  EndSearch(session_);
  EXPECT_FALSE(st_.NoBoardInput);
  EXPECT_EQ(st_.StoneNo, 2);
  EXPECT_EQ(st_.SearchText, "442631");
  EXPECT_EQ(st_.MirrorText, "442361");
}

}  // namespace
}  // namespace moraku::test
