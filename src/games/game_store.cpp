// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/game_store.h"

#include <sqlite3.h>

#include <algorithm>

#include "games/game_record.h"

namespace moraku::games {

namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS games("
    " id INTEGER PRIMARY KEY, black TEXT NOT NULL, white TEXT NOT NULL,"
    " black_rank TEXT NOT NULL, white_rank TEXT NOT NULL, date TEXT NOT NULL,"
    " event TEXT NOT NULL, result TEXT NOT NULL, source TEXT NOT NULL,"
    " setup TEXT NOT NULL, moves TEXT NOT NULL, moves_hash INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS games_by_moves_hash ON games(moves_hash);"
    "CREATE TABLE IF NOT EXISTS game_corners("
    " key TEXT NOT NULL, game INTEGER NOT NULL, corner INTEGER NOT NULL,"
    " winner INTEGER NOT NULL, PRIMARY KEY(key, game, corner)) WITHOUT ROWID;";

constexpr const char* kInfoColumns =
    "id, black, white, black_rank, white_rank, date, event, result, source";

GameInfo InfoFrom(const sql::Statement& s) {
  GameInfo g;
  g.id = s.ColumnInt64(0);
  g.black = s.ColumnText(1);
  g.white = s.ColumnText(2);
  g.blackRank = s.ColumnText(3);
  g.whiteRank = s.ColumnText(4);
  g.date = s.ColumnText(5);
  g.event = s.ColumnText(6);
  g.result = s.ColumnText(7);
  g.source = s.ColumnText(8);
  return g;
}

// The first key after every key that starts with `prefix`: "~" sorts after every coordinate
// and colour character.
QString PrefixEnd(const QString& prefix) {
  return prefix + QLatin1Char('~');
}

}  // namespace

bool CreateGameTables(sql::Database& db, QString* error) {
  if (db.Exec(kSchema) != SQLITE_OK) {
    *error = db.ErrorText();
    return false;
  }
  return true;
}

bool HasGameTables(sql::Database& db) {
  sql::Statement s;
  if (s.Prepare(db,
                "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('games', "
                "'game_corners')") != SQLITE_OK)
    return false;
  return s.Step() == sql::StepResult::Row && s.ColumnInt64(0) == 2;
}

bool GameWriter::Prepare(sql::Database& db, QString* error) {
  db_ = &db;
  if (findHash_.Prepare(db, "SELECT setup, moves FROM games WHERE moves_hash = ?1") != SQLITE_OK ||
      insertGame_.Prepare(db,
                          "INSERT INTO games(black, white, black_rank, white_rank, date, event,"
                          " result, source, setup, moves, moves_hash)"
                          " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)") != SQLITE_OK ||
      insertCorner_.Prepare(db,
                            "INSERT OR IGNORE INTO game_corners(key, game, corner, winner)"
                            " VALUES(?1, ?2, ?3, ?4)") != SQLITE_OK) {
    *error = db.ErrorText();
    return false;
  }
  return true;
}

GameWriter::Outcome GameWriter::Add(const GameRecord& game, QString* error) {
  const QString setup = MovesText(game.setup);
  const QString moves = MovesText(game.moves);
  const std::int64_t hash = MovesHash(setup + QLatin1Char('|') + moves);
  findHash_.Reset();
  findHash_.BindInt64(1, hash);
  for (;;) {
    const sql::StepResult r = findHash_.Step();
    if (r == sql::StepResult::Error) {
      *error = db_->ErrorText();
      return Outcome::Failed;
    }
    if (r == sql::StepResult::Done) break;
    if (findHash_.ColumnText(0) == setup && findHash_.ColumnText(1) == moves)
      return Outcome::Duplicate;
  }
  insertGame_.Reset();
  const QString texts[] = {game.black, game.white,  game.blackRank, game.whiteRank, game.date,
                           game.event, game.result, game.source,    setup,          moves};
  for (int i = 0; i < 10; ++i) insertGame_.BindText(i + 1, texts[i]);
  insertGame_.BindInt64(11, hash);
  if (insertGame_.Step() != sql::StepResult::Done) {
    *error = db_->ErrorText();
    return Outcome::Failed;
  }
  const std::int64_t id = sqlite3_last_insert_rowid(db_->Handle());
  const int winner = ResultWinner(game.result);
  for (int corner = 0; corner < kCornerCount; ++corner) {
    const CornerSequence sequence = ExtractCorner(game.setup, game.moves, corner);
    if (sequence.moves.empty()) continue;
    int cornerWinner = winner;
    if (winner != 0 && sequence.colorsSwapped) cornerWinner = winner == kBlack ? kWhite : kBlack;
    insertCorner_.Reset();
    insertCorner_.BindText(1, CornerKey(sequence.moves));
    insertCorner_.BindInt64(2, id);
    insertCorner_.BindInt64(3, corner);
    insertCorner_.BindInt64(4, cornerWinner);
    if (insertCorner_.Step() != sql::StepResult::Done) {
      *error = db_->ErrorText();
      return Outcome::Failed;
    }
  }
  return Outcome::Added;
}

QString PlayerText(const QString& name, const QString& rank) {
  const QString shown = name.isEmpty() ? QStringLiteral("?") : name;
  return rank.isEmpty() ? shown : shown + QLatin1Char(' ') + rank;
}

std::vector<GameInfo> ListGames(sql::Database& db) {
  std::vector<GameInfo> games;
  if (!HasGameTables(db)) return games;
  sql::Statement s;
  const QByteArray query = QByteArray("SELECT ") + kInfoColumns + " FROM games ORDER BY id";
  if (s.Prepare(db, query.constData()) != SQLITE_OK) return games;
  while (s.Step() == sql::StepResult::Row) games.push_back(InfoFrom(s));
  return games;
}

int CountGames(sql::Database& db) {
  if (!HasGameTables(db)) return 0;
  sql::Statement s;
  if (s.Prepare(db, "SELECT count(*) FROM games") != SQLITE_OK) return 0;
  return s.Step() == sql::StepResult::Row ? static_cast<int>(s.ColumnInt64(0)) : 0;
}

int RemoveGames(sql::Database& db, const std::vector<std::int64_t>& ids, QString* error) {
  if (!HasGameTables(db)) return 0;
  sql::Statement game, corners;
  if (game.Prepare(db, "DELETE FROM games WHERE id = ?1") != SQLITE_OK ||
      corners.Prepare(db, "DELETE FROM game_corners WHERE game = ?1") != SQLITE_OK) {
    *error = db.ErrorText();
    return -1;
  }
  int removed = 0;
  for (std::int64_t id : ids) {
    game.Reset();
    game.BindInt64(1, id);
    corners.Reset();
    corners.BindInt64(1, id);
    if (game.Step() != sql::StepResult::Done || corners.Step() != sql::StepResult::Done) {
      *error = db.ErrorText();
      return -1;
    }
    removed += sqlite3_changes(db.Handle()) > 0 ? 1 : 0;
  }
  return removed;
}

bool LoadGame(sql::Database& db, std::int64_t id, GameInfo* info, std::vector<GameMove>* setup,
              std::vector<GameMove>* moves) {
  sql::Statement s;
  const QByteArray query =
      QByteArray("SELECT ") + kInfoColumns + ", setup, moves FROM games WHERE id = ?1";
  if (s.Prepare(db, query.constData()) != SQLITE_OK) return false;
  s.BindInt64(1, id);
  if (s.Step() != sql::StepResult::Row) return false;
  *info = InfoFrom(s);
  *setup = MovesFromText(s.ColumnText(9));
  *moves = MovesFromText(s.ColumnText(10));
  return true;
}

std::vector<CornerHit> FindCorners(sql::Database& db, const QString& prefix, int limit) {
  std::vector<CornerHit> hits;
  if (prefix.isEmpty() || !HasGameTables(db)) return hits;
  sql::Statement s;
  if (s.Prepare(db,
                "SELECT key, game, corner, winner FROM game_corners"
                " WHERE key >= ?1 AND key < ?2 ORDER BY key LIMIT ?3") != SQLITE_OK)
    return hits;
  s.BindText(1, prefix);
  s.BindText(2, PrefixEnd(prefix));
  s.BindInt64(3, limit);
  while (s.Step() == sql::StepResult::Row)
    hits.push_back(CornerHit{s.ColumnInt64(1), static_cast<int>(s.ColumnInt64(2)), s.ColumnText(0),
                             static_cast<int>(s.ColumnInt64(3))});
  return hits;
}

std::vector<Continuation> FindContinuations(sql::Database& db, const QString& prefix) {
  std::vector<Continuation> next;
  if (prefix.isEmpty() || !HasGameTables(db)) return next;
  sql::Statement s;
  if (s.Prepare(db,
                "SELECT substr(key, ?3, 3) AS move, count(*), sum(winner <> 0),"
                " sum(winner = 2) FROM game_corners"
                " WHERE key >= ?1 AND key < ?2 AND length(key) > ?4"
                " GROUP BY move") != SQLITE_OK)
    return next;
  s.BindText(1, prefix);
  s.BindText(2, PrefixEnd(prefix));
  s.BindInt64(3, prefix.size() + 1);
  s.BindInt64(4, prefix.size());
  while (s.Step() == sql::StepResult::Row)
    next.push_back(Continuation{s.ColumnText(0), static_cast<int>(s.ColumnInt64(1)),
                                static_cast<int>(s.ColumnInt64(2)),
                                static_cast<int>(s.ColumnInt64(3))});
  std::stable_sort(next.begin(), next.end(),
                   [](const Continuation& a, const Continuation& b) { return a.count > b.count; });
  return next;
}

std::int64_t MovesHash(const QString& text) {
  std::uint64_t h = 1469598103934665603ull;
  for (QChar c : text) {
    h ^= c.unicode();
    h *= 1099511628211ull;
  }
  return static_cast<std::int64_t>(h);
}

}  // namespace moraku::games
