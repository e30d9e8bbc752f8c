// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record board's 実戦例 mode: the games of the collection that played the entry shown,
// one at a time on the record board, turned so that the joseki is in the upper-left corner and
// stepped with the six record buttons. While the mode is on, the joseki board marks the moves
// the games played next (see next_moves.h). Leaving the mode gives the entry's own record and
// marks back.

#include <QString>
#include <chrono>
#include <memory>
#include <vector>

#include "games/game_match.h"
#include "games/next_moves.h"
#include "joseki/joseki_session.h"

namespace moraku::games {

class ExampleMode {
 public:
  // The collection lives in the database file at `databasePath`, opened as an untrusted file
  // on the first lookup; each lookup has `budget` before it is given up. A file without the
  // collection's tables, or one that cannot be read, has no games for any entry.
  explicit ExampleMode(QString databasePath,
                       std::chrono::milliseconds budget = std::chrono::milliseconds(2000));
  ~ExampleMode();

  // Finds whether the collection has games of the entry shown (session.state.CurrentEntry):
  // one probe of the index; the games themselves are read when the mode is entered. Ends the
  // mode without drawing.
  bool LookUpEntry(const JosekiSession& session);
  // The entry whose games were looked up last (0 before the first lookup).
  int LookedUpEntry() const { return entry_; }

  bool HasGames() const { return hasEntryGames_; }
  // The number of the entry's games (at most kMaxGamesPerEntry), once the mode was entered.
  int Count() const { return static_cast<int>(hits_.size()); }
  bool Active() const { return index_ > 0; }
  int Index() const { return index_; }  // 1-based game shown, 0 outside the mode

  // Shows game k (1-based, wrapping around) of the entry's games on the record board, up to
  // the entry's last move, with its caption. Entering the mode redraws the joseki board with
  // the next moves as its marks. A game that cannot be read is passed over for the next one;
  // does nothing without games or when none can be read.
  void Show(JosekiSession& session, int k);
  // Back to the entry's own record and marks, drawn as the entry display draws them.
  void Leave(JosekiSession& session);
  // Ends the mode without drawing, giving the state the entry's own record text back: for the
  // procedures that draw the record board themselves.
  void Drop(JosekiSession& session);

  // The moves played next after the entry, found when the mode is entered.
  const std::vector<NextMove>& NextMoves() const { return next_; }

  // The moves played next after the stone string `stones` (a search sequence), each with the
  // entry of `table` it follows: one lookup, outside the mode. Empty without a collection.
  std::vector<NextMove> NextMovesAfter(QStringView stones, const EntryTable& table);

 private:
  bool Open();

  QString path_;
  std::chrono::milliseconds budget_;
  std::unique_ptr<sql::Database> db_;
  bool opened_ = false;
  bool hasGames_ = false;
  int entry_ = 0;
  EntryPattern pattern_;
  bool hasEntryGames_ = false;
  bool fetched_ = false;  // hits_ holds the entry's games
  std::vector<CornerHit> hits_;
  int index_ = 0;
  QString entryRecord_;  // the entry's own record text while the mode is on
  EntryKeys entryKeys_;
  std::vector<NextMove> next_;
};

}  // namespace moraku::games
