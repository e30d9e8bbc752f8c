// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game collection's tables in the joseki database file: `games` (one row per game) and
// `game_corners` (one row per game and corner, keyed by the corner key, see corner_sequence.h).
// The table gocs is never touched; a database without these tables reads as an empty
// collection.

#include <QString>
#include <cstdint>
#include <vector>

#include "data/sqlite_db.h"
#include "games/corner_sequence.h"

namespace moraku::games {

struct GameRecord;

// Creates both tables and their indexes when missing. Returns false with `error` on failure.
bool CreateGameTables(sql::Database& db, QString* error);

// Whether the database holds the collection's tables.
bool HasGameTables(sql::Database& db);

// Adds games one by one inside the caller's transaction; a game whose setup and moves equal
// those of a game already stored (or added before) is not stored again.
class GameWriter {
 public:
  // Prepares the statements on `db`, whose tables must exist. Returns false with `error`.
  bool Prepare(sql::Database& db, QString* error);
  enum class Outcome { Added, Duplicate, Failed };
  // Stores `game` and its four corner rows. On Failed, `error` says why.
  Outcome Add(const GameRecord& game, QString* error);

 private:
  sql::Database* db_ = nullptr;
  sql::Statement findHash_, insertGame_, insertCorner_;
};

// What a listing shows of a game.
struct GameInfo {
  std::int64_t id = 0;
  QString black, white, blackRank, whiteRank, date, event, result, source;
};

// A player with the rank, as listings print it ("name 9d", or the name alone).
QString PlayerText(const QString& name, const QString& rank);

// Every game, by id. Empty for a database without the tables.
std::vector<GameInfo> ListGames(sql::Database& db);
int CountGames(sql::Database& db);
// Removes the games with these ids and their corner rows. Returns the number removed, -1 on
// failure (with `error`).
int RemoveGames(sql::Database& db, const std::vector<std::int64_t>& ids, QString* error);

// The info, setup and moves of one game. Returns false when there is no such game.
bool LoadGame(sql::Database& db, std::int64_t id, GameInfo* info, std::vector<GameMove>* setup,
              std::vector<GameMove>* moves);

// One corner of a game whose key starts with the looked-up prefix.
struct CornerHit {
  std::int64_t game = 0;
  int corner = 0;
  QString key;
  int winner = 0;  // kBlack when the corner's Black (after colour normalisation) won, kWhite, 0
};

// The corners whose key starts with `prefix`, in key order, at most `limit`: one range
// lookup on the key index. Empty for a database without the tables or an empty prefix.
std::vector<CornerHit> FindCorners(sql::Database& db, const QString& prefix, int limit);

// One next corner move after a sequence.
struct Continuation {
  QString triple;     // the move: row, column, colour characters
  int count = 0;      // corners that played it
  int decided = 0;    // of these, games with a known winner
  int blackWins = 0;  // of these, won by the corner's Black
};

// The moves played next in the corners whose key starts with `prefix`, most played first.
std::vector<Continuation> FindContinuations(sql::Database& db, const QString& prefix);

// 64-bit FNV-1a of a text's UTF-16 code units: the identity of a game's moves.
std::int64_t MovesHash(const QString& text);

}  // namespace moraku::games
