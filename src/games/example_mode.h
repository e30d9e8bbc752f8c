#pragma once
// The record board's 実戦例 mode: the games of the collection that played the entry shown,
// one at a time on the record board, turned so that the joseki is in the upper-left corner and
// stepped with the six record buttons. Leaving the mode gives the entry's own record back.

#include <QString>
#include <memory>
#include <vector>

#include "games/game_match.h"
#include "joseki/joseki_session.h"

namespace moraku::games {

class ExampleMode {
 public:
  // The collection lives in the database file at `databasePath`. Nothing is read until the
  // first lookup; a file without the collection's tables has no games for any entry.
  explicit ExampleMode(QString databasePath);
  ~ExampleMode();

  // Finds the games of the entry shown (session.state.CurrentEntry) and leaves the mode.
  // Returns their number (at most kMaxGamesPerEntry).
  int LookUpEntry(const JosekiSession& session);

  int Count() const { return static_cast<int>(hits_.size()); }
  bool Active() const { return index_ > 0; }
  int Index() const { return index_; }  // 1-based game shown, 0 outside the mode

  // Shows game k (1-based, wrapping around) of the entry's games on the record board, up to
  // the entry's last move, with its caption; enters the mode. Does nothing without games.
  void Show(JosekiSession& session, int k);
  // Back to the entry's own record, drawn as the entry display draws it.
  void Leave(JosekiSession& session);
  // Ends the mode without drawing: something else has already drawn the entry's record.
  void Forget() { index_ = 0; }
  // The record text of the game shown (empty outside the mode).
  const QString& ShownRecord() const { return shownRecord_; }

 private:
  bool Open();

  QString path_;
  std::unique_ptr<sql::Database> db_;
  bool opened_ = false;
  bool hasGames_ = false;
  int entry_ = 0;
  EntryPattern pattern_;
  std::vector<CornerHit> hits_;
  int index_ = 0;
  QString entryRecord_;  // the entry's own record text while the mode is on
  QString shownRecord_;
};

}  // namespace moraku::games
