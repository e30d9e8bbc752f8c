// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the collection's games played next after an entry: each next corner move placed on the
// joseki board as the entry is drawn there, with how often it was played, Black's share of the
// decided games, and the entry of the section whose line it follows.

#include <QString>
#include <QStringView>
#include <functional>
#include <utility>
#include <vector>

#include "board/board_point.h"
#include "data/entry_table.h"
#include "data/sqlite_db.h"

namespace moraku::games {

struct NextMove {
  BoardPoint point;  // on the joseki board, in the entry's own orientation
  StoneColor color = StoneColor::Black;
  int count = 0;      // corners that played it
  int decided = 0;    // of these, games with a known winner
  int blackWins = 0;  // of these, won by Black
  int entry = 0;      // the entry (1-based) whose line this move follows, 0 for none
};

// The marks drawn for the first next moves: the letter markers "a" to "e".
inline constexpr int kMarkedNextMoves = 5;

// The entries of a section by their corner key, made on the first lookup (a section can hold
// very many entries, and most windows never ask).
class EntryKeys {
 public:
  // The entry whose line goes on through the corner sequence `key`: of the entries of `table`
  // whose corner key starts with `key`, the one with the shortest key (the first in the table
  // among equals). 0 when no entry goes that way.
  int EntryAlong(const EntryTable& table, const QString& key);

 private:
  bool built_ = false;
  std::vector<std::pair<QString, int>> keys_;  // (corner key, entry), sorted
};

// The next moves after the stone string `stones` (an entry's, or a sequence typed as one:
// triples, "???" a tenuki), most played first, each with the entry of `table` it follows: one
// range lookup on the corner index. The points and colours are those of `stones` (the index
// keeps every corner turned and coloured its own way).
std::vector<NextMove> FindNextMoves(sql::Database& db, QStringView stones, const EntryTable& table,
                                    EntryKeys& keys);

// Marker triples (row, column, "a".."e") for the first kMarkedNextMoves next moves: the joseki
// board's marks while they are shown. A move whose point `isFree` turns down keeps its letter in
// the list but gets no mark (a board that shows something else there).
QString NextMoveMarks(const std::vector<NextMove>& moves,
                      const std::function<bool(BoardPoint)>& isFree = {});

// The list shown beside the marks: a heading with the number of examples (corners: a game can
// play the line in more than one), then one line per next move ("A 黒 7例 黒勝率 57% →
// title"), the unmarked ones without a letter.
QString NextMovesText(const std::vector<NextMove>& moves, const EntryTable& table);

}  // namespace moraku::games
