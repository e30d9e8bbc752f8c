// SPDX-License-Identifier: GPL-3.0-or-later
// Which games play an entry: the corner index and the matching rules on hand-made games.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>

#include "games/game_match.h"
#include "games/game_record.h"
#include "games/game_store.h"
#include "games_test_support.h"

namespace moraku {
namespace {

using games::CornerTurn;
using test::HandGame;
using test::HandMove;
using test::kElsewhere;

// 4-4 point, small knight's approach, small knight's answer on the other side, slide, 3-3 block
// and White's extension: B dd, W fc, B cf, W db, B cc, W ic.
const QString kEntryStones = QStringLiteral("442361632241332391");
const std::vector<HandMove> kJoseki = {{4, 4}, {3, 6}, {6, 3}, {2, 4}, {3, 3}, {3, 9}};

class EntryMatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(db_.Open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE), SQLITE_OK);
    QString error;
    ASSERT_TRUE(games::CreateGameTables(db_, &error)) << error.toStdString();
    ASSERT_TRUE(writer_.Prepare(db_, &error)) << error.toStdString();
  }

  // Stores the game of `sgf` and returns its id (0 when it was not added).
  std::int64_t Add(const QByteArray& sgf, const QString& source = QStringLiteral("game.sgf")) {
    const games::GameFileRead read = games::ReadGames(sgf, source);
    EXPECT_TRUE(read.error.isEmpty()) << read.error.toStdString();
    EXPECT_EQ(read.games.size(), 1u);
    if (read.games.size() != 1 || read.games[0].skipped != games::SkipReason::None) return 0;
    QString error;
    if (writer_.Add(read.games[0].game, &error) != games::GameWriter::Outcome::Added) return 0;
    return sqlite3_last_insert_rowid(db_.Handle());
  }

  // The (game, corner) pairs that play the entry of `stones`.
  std::vector<std::pair<std::int64_t, int>> Matches(const QString& stones, int preset = 1) {
    std::vector<std::pair<std::int64_t, int>> found;
    for (const games::CornerHit& hit :
         games::FindEntryGames(db_, games::PatternOfEntry(stones, preset)))
      found.emplace_back(hit.game, hit.corner);
    std::sort(found.begin(), found.end());
    return found;
  }

  sql::Database db_;
  games::GameWriter writer_;
};

TEST_F(EntryMatchTest, FindsTheJosekiInEveryCornerUnderEverySymmetryAndColourSwap) {
  for (int corner = 0; corner < games::kCornerCount; ++corner) {
    for (bool transposed : {false, true}) {
      for (bool whiteStarts : {false, true}) {
        SCOPED_TRACE(testing::Message() << "corner " << corner << " transposed " << transposed
                                        << " white starts " << whiteStarts);
        // A move elsewhere first makes White the player of the corner's first stone; moves
        // elsewhere by both players between the corner moves do not matter.
        std::vector<HandMove> moves;
        if (whiteStarts) moves.push_back(kElsewhere);
        for (std::size_t i = 0; i < kJoseki.size(); ++i) {
          moves.push_back(kJoseki[i]);
          if (i == 2) moves.insert(moves.end(), {kElsewhere, kElsewhere});
        }
        const std::int64_t id = Add(HandGame(moves, CornerTurn{corner, transposed}));
        ASSERT_NE(id, 0);
        const std::vector<std::pair<std::int64_t, int>> expected{{id, corner}};
        EXPECT_EQ(Matches(kEntryStones), expected);
        // The shorter entry matches too, a different answer does not.
        EXPECT_EQ(Matches(QStringLiteral("442361632")), expected);
        EXPECT_TRUE(Matches(QStringLiteral("442361342")).empty());

        games::GameMatch match;
        ASSERT_TRUE(games::DescribeMatch(
            db_, games::FindEntryGames(db_, games::PatternOfEntry(kEntryStones, 1)).at(0),
            games::PatternOfEntry(kEntryStones, 1), &match));
        const int offset = whiteStarts ? 1 : 0;
        EXPECT_EQ(match.firstMove, 2 + offset);  // the approach
        EXPECT_EQ(match.lastMove, 8 + offset);   // the extension, after two moves elsewhere
        // Turned back, the record shows the joseki in the upper-left as the entry has it.
        const QString record = games::MatchRecordText(match, 1, 1);
        const QString moves0 = record.section(u'|', 2);
        const QString first = moves0.mid(2 * offset, 4);
        EXPECT_EQ(first, QStringLiteral("4436")) << record.toStdString();
        db_.Exec("DELETE FROM games; DELETE FROM game_corners;");
      }
    }
  }
}

TEST_F(EntryMatchTest, TenukiMatchesMovesElsewhereButNotAMoveInTheCorner) {
  // B dd, W fc, Black plays elsewhere, White approaches again from the other side (W cf).
  const QString entry = QStringLiteral("442361???631");
  const std::int64_t elsewhereGame =
      Add(HandGame({{4, 4}, {3, 6}, kElsewhere, kElsewhere, kElsewhere, {6, 3}}, {}));
  // Black's reply comes in the corner (a pincer at 3-10) before White's second approach.
  const std::int64_t interruptedGame =
      Add(HandGame({{4, 4}, {3, 6}, {3, 10}, kElsewhere, kElsewhere, {6, 3}}, {}));
  // Black answered in the corner: no tenuki.
  const std::int64_t answeredGame = Add(HandGame({{4, 4}, {3, 6}, {6, 3}}, {}));
  ASSERT_NE(elsewhereGame * interruptedGame * answeredGame, 0);
  const std::vector<std::pair<std::int64_t, int>> expected{{elsewhereGame, 0}};
  EXPECT_EQ(Matches(entry), expected);
  // A point beyond the region is elsewhere for the corner: row 3, column 12 does not interrupt.
  const std::int64_t wideGame =
      Add(HandGame({{4, 4}, {3, 6}, {3, 12}, kElsewhere, kElsewhere, {6, 3}}, {}));
  EXPECT_EQ(Matches(entry).size(), 2u);
  EXPECT_EQ(Matches(entry).back().first, wideGame);
}

TEST_F(EntryMatchTest, ACapturedPointPlayedAgainStaysInTheSequence) {
  // White's stone on the first line is taken and Black fills the point.
  const std::vector<HandMove> moves = {{4, 4},     {1, 5}, {1, 4},     kElsewhere, {1, 6},
                                       kElsewhere, {2, 5}, kElsewhere, {1, 5}};
  const std::int64_t id = Add(HandGame(moves, CornerTurn{3, true}));
  ASSERT_NE(id, 0);
  const QString entry = QStringLiteral("442151142???162???252???152");
  const std::vector<std::pair<std::int64_t, int>> expected{{id, 3}};
  EXPECT_EQ(Matches(entry), expected);
  games::GameMatch match;
  const games::EntryPattern pattern = games::PatternOfEntry(entry, 1);
  ASSERT_TRUE(
      games::DescribeMatch(db_, games::FindEntryGames(db_, pattern).at(0), pattern, &match));
  EXPECT_EQ(match.lastMove, 9);
  // White on the captured point would be another line.
  EXPECT_TRUE(Matches(QStringLiteral("442151142???162???252151")).empty());
}

TEST_F(EntryMatchTest, HandicapSetupStonesStartTheCorners) {
  const std::int64_t id = Add(HandGame(
      {{3, 6}, {6, 3}}, {}, QStringLiteral("HA[4]AB[dd][pd][dp][pp]PL[W]RE[B+3.5]"), true));
  ASSERT_NE(id, 0);
  // A handicap entry: the four stones with tenuki between them are preset.
  const QString entry = QStringLiteral("442???4G2???G42???GG2361632");
  const std::vector<std::pair<std::int64_t, int>> expected{{id, 0}};
  EXPECT_EQ(Matches(entry, 7), expected);
  // Every corner holds a Black stone on its 4-4 point.
  EXPECT_EQ(Matches(QStringLiteral("442")).size(), 4u);
  games::GameMatch match;
  const games::EntryPattern pattern = games::PatternOfEntry(entry, 7);
  ASSERT_TRUE(
      games::DescribeMatch(db_, games::FindEntryGames(db_, pattern).at(0), pattern, &match));
  EXPECT_EQ(match.firstMove, 1);
  EXPECT_EQ(match.lastMove, 2);
  // The record places the four stones as Black moves with passes between, then White's
  // approach as move 8; the numbers run over the joseki.
  EXPECT_EQ(games::MatchRecordText(match, 2, 3).section(u'|', 1, 2),
            QStringLiteral("8/9|44004G00G400GG3663"));
}

TEST_F(EntryMatchTest, IdenticalMovesAreOneGameAndContinuationsCountWins) {
  const QByteArray a = HandGame({{4, 4}, {3, 6}, {6, 3}}, {}, QStringLiteral("RE[B+R]"));
  const QByteArray b = HandGame({{4, 4}, {3, 6}, {6, 3}}, {}, QStringLiteral("RE[W+2.5]PB[x]"));
  const QByteArray c = HandGame({{4, 4}, {3, 6}, {3, 3}}, {}, QStringLiteral("RE[W+R]"));
  // White first in the corner: its winner is the corner's Black after the colour swap.
  const QByteArray d =
      HandGame({kElsewhere, {4, 4}, {3, 6}, {6, 3}}, {}, QStringLiteral("RE[W+R]"));
  EXPECT_NE(Add(a), 0);
  const games::GameFileRead again = games::ReadGames(b, "b.sgf");
  QString error;
  EXPECT_EQ(writer_.Add(again.games.at(0).game, &error), games::GameWriter::Outcome::Duplicate);
  EXPECT_NE(Add(c), 0);
  EXPECT_NE(Add(d), 0);
  const std::vector<games::Continuation> next =
      games::FindContinuations(db_, games::EntryCornerKey(QStringLiteral("442361")));
  ASSERT_EQ(next.size(), 2u);
  EXPECT_EQ(next[0].triple, QStringLiteral("632"));
  EXPECT_EQ(next[0].count, 2);
  EXPECT_EQ(next[0].blackWins, 2);
  EXPECT_EQ(next[1].triple, QStringLiteral("332"));
  EXPECT_EQ(next[1].blackWins, 0);
  EXPECT_EQ(next[1].decided, 1);
}

}  // namespace
}  // namespace moraku
