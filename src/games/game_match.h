// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Entries and games: which games played an entry's joseki in one of their corners, where in the
// game it was played, and the game as a record of the record board turned to that corner.
//
// A corner of a game plays an entry when the corner's moves (the moves in its region, turned
// and coloured as the index keeps them) begin with the entry's moves in its upper-left region.
// Moves elsewhere on the board never break a match: an entry's tenuki is matched by any number
// of moves elsewhere, and so is a pause of both players; a move in the corner that the entry
// does not have, anywhere before the entry's last move, does.

#include <QString>
#include <QStringView>
#include <vector>

#include "data/sqlite_db.h"
#include "games/corner_sequence.h"
#include "games/game_store.h"

namespace moraku::games {

// The most games the window and the listing take for one entry.
inline constexpr int kMaxGamesPerEntry = 1000;

// What the index is asked for an entry.
struct EntryPattern {
  QString key;          // the corner key of the entry's stones
  int cornerMoves = 0;  // how many corner moves the key holds
  int firstJoseki = 0;  // index (0-based) of the first corner move after the preset stones
};

// The pattern of an entry's whole stone string whose first `presetCount` triples are preset.
EntryPattern PatternOfEntry(QStringView stones, int presetCount);

// One game that played the entry.
struct GameMatch {
  GameInfo info;
  int corner = 0;
  CornerTurn turn;
  int firstMove = 0;  // game move number of the first joseki move (0 for none: all preset)
  int lastMove = 0;   // game move number of the entry's last move (0 when it is a setup stone)
  std::vector<GameMove> setup;
  std::vector<GameMove> moves;
};

// The corners of the collection that played the entry: one indexed lookup.
std::vector<CornerHit> FindEntryGames(sql::Database& db, const EntryPattern& pattern);

// Loads the game of `hit` and places the entry's stretch in it. False when the game is gone.
bool DescribeMatch(sql::Database& db, const CornerHit& hit, const EntryPattern& pattern,
                   GameMatch* match);

// The match as a record text of the record board: "caption|first/last|moves", the game's moves
// turned to the upper-left, setup stones first (each Black stone as a move, a pass "00" between
// two moves of one colour), numbered from the first joseki move to the entry's last move. The
// caption has Black and White (with ranks) on a line each, then the date and the result, then
// "k / N" from `index` and `count`.
QString MatchRecordText(const GameMatch& match, int index, int count);

}  // namespace moraku::games
