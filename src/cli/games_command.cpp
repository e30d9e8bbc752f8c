// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db games --db DB [--count | --remove ID... | --entry N --section S]: lists, counts and
// removes the games of the collection, or prints the games that played an entry's joseki.

#include <sqlite3.h>
#include <QFileInfo>
#include <chrono>
#include <limits>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "data/section_loader.h"
#include "data/sections.h"
#include "games/game_match.h"
#include "games/game_store.h"
#include "store/atomic_db_write.h"

namespace moraku::cli {

namespace {

// The collection is read as the window reads it: as a file that may be damaged or hostile,
// with a time budget for the whole command.
constexpr std::chrono::milliseconds kReadBudget{30000};

bool OpenReadOnly(sql::Database& db, const QString& path, QTextStream& err) {
  if (!QFileInfo(path).isFile() || db.OpenUntrusted(path, kReadBudget) != SQLITE_OK) {
    err << "moraku-db: " << path << ": cannot open the database\n";
    return false;
  }
  return true;
}

// Reports a read that the budget or damage ended early; true when it did.
bool ReadFailed(const sql::Database& db, const QString& path, QTextStream& err) {
  if (db.TimedOut()) {
    err << "moraku-db: " << path << ": reading the games took too long\n";
    return true;
  }
  return false;
}

int PrintEntryGames(const QString& dbPath, int sectionIndex, int entry, QTextStream& out,
                    QTextStream& err) {
  const SectionLoad load = LoadSection(dbPath, sectionIndex);
  if (!load.error.isEmpty()) {
    err << "moraku-db: " << load.error << "\n";
    return kExitFailure;
  }
  if (entry < 1 || entry > load.table.Count()) {
    err << "moraku-db: section " << sectionIndex << " has no entry " << entry << " (1-"
        << load.table.Count() << ")\n";
    return kExitUsage;
  }
  const Entry& e = load.table.entries[static_cast<std::size_t>(entry)];
  const games::EntryPattern pattern = games::PatternOfEntry(
      load.table.records[static_cast<std::size_t>(entry) - 1].stones, e.presetCount);
  sql::Database db;
  if (!OpenReadOnly(db, dbPath, err)) return kExitFailure;
  const std::vector<games::CornerHit> hits = games::FindEntryGames(db, pattern);
  out << e.title << ": " << hits.size() << (hits.size() == 1 ? " game" : " games") << "\n";
  for (const games::CornerHit& hit : hits) {
    games::GameMatch match;
    if (!games::DescribeMatch(db, hit, pattern, &match)) continue;
    const games::GameInfo& g = match.info;
    out << g.source << "\t" << games::PlayerText(g.black, g.blackRank) << " - "
        << games::PlayerText(g.white, g.whiteRank) << "\t" << g.date << "\t" << g.result << "\t"
        << games::CornerName(match.corner) << "\t"
        << "move " << match.firstMove << "\n";
  }
  return ReadFailed(db, dbPath, err) ? kExitFailure : kExitOk;
}

}  // namespace

int RunGames(const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandLine line(QStringLiteral("games"),
                   QStringLiteral("Lists, counts or removes the games of the collection, or "
                                  "prints the games that played an entry's joseki."),
                   QStringLiteral("[ID...]"));
  line.AddValueOption(QStringLiteral("db"), QStringLiteral("DB"),
                      QStringLiteral("The joseki database."));
  line.AddFlagOption(QStringLiteral("count"), QStringLiteral("Prints the number of games."));
  line.AddFlagOption(QStringLiteral("remove"),
                     QStringLiteral("Removes the games whose ids are given."));
  line.AddValueOption(QStringLiteral("entry"), QStringLiteral("N"),
                      QStringLiteral("Prints the games that played entry N of the section "
                                     "(file, players, date, result, corner, first move)."));
  line.AddSectionOption(QStringLiteral("The section of --entry:"));
  line.DescribeOperand(QStringLiteral("ID"), QStringLiteral("A game id, as the listing shows it "
                                                            "(with --remove)."));
  if (const std::optional<int> status = line.Parse(args, out, err, 0, -1, {QStringLiteral("db")}))
    return *status;
  const QString dbPath = line.Value(QStringLiteral("db"));
  const bool count = line.IsSet(QStringLiteral("count"));
  const bool remove = line.IsSet(QStringLiteral("remove"));
  const bool entryAsked =
      line.IsSet(QStringLiteral("entry")) || line.IsSet(QStringLiteral("section"));
  if (int{count} + int{remove} + int{entryAsked} > 1)
    return line.UsageError(err, QStringLiteral("--count, --remove and --entry go alone"));
  if (!remove && !line.Operands().isEmpty())
    return line.UsageError(err, QStringLiteral("game ids go with --remove"));
  std::vector<std::int64_t> ids;
  for (const QString& text : line.Operands()) {
    const std::optional<qint64> id = ParseNumber(text, 1, std::numeric_limits<qint64>::max());
    if (!id) return line.UsageError(err, QStringLiteral("'%1' is not a game id").arg(text));
    ids.push_back(*id);
  }
  if (remove && ids.empty()) return line.UsageError(err, QStringLiteral("--remove needs ids"));
  int section = 0;
  int entry = 0;
  if (entryAsked) {
    if (!line.IsSet(QStringLiteral("entry")) || !line.IsSet(QStringLiteral("section")))
      return line.UsageError(err, QStringLiteral("--entry and --section go together"));
    const std::optional<int> s = ParseSection(line.Value(QStringLiteral("section")));
    if (!s) return line.UsageError(err, SectionProblem(line.Value(QStringLiteral("section"))));
    const std::optional<qint64> e =
        ParseNumber(line.Value(QStringLiteral("entry")), 1, std::numeric_limits<int>::max());
    if (!e) {
      return line.UsageError(
          err,
          QStringLiteral("'%1' is not an entry number").arg(line.Value(QStringLiteral("entry"))));
    }
    section = *s;
    entry = static_cast<int>(*e);
  }
  if (entryAsked) return PrintEntryGames(dbPath, section, entry, out, err);

  if (remove) {
    int removed = 0;
    QString error;
    if (!QFileInfo(dbPath).isFile() || !WriteDatabaseAtomically(
                                           dbPath, AtomicStart::CopyOfTarget,
                                           [&](sql::Database& db, QString* why) {
                                             removed = games::RemoveGames(db, ids, why);
                                             return removed >= 0;
                                           },
                                           &error)) {
      err << "moraku-db: " << dbPath << ": " << (error.isEmpty() ? "no such file" : error) << "\n";
      return kExitFailure;
    }
    out << removed << " removed\n";
    return kExitOk;
  }

  sql::Database db;
  if (!OpenReadOnly(db, dbPath, err)) return kExitFailure;
  if (count) {
    const int games = games::CountGames(db);
    if (ReadFailed(db, dbPath, err)) return kExitFailure;
    out << games << "\n";
    return kExitOk;
  }
  for (const games::GameInfo& g : games::ListGames(db)) {
    out << g.id << "\t" << games::PlayerText(g.black, g.blackRank) << " - "
        << games::PlayerText(g.white, g.whiteRank) << "\t" << g.date << "\t" << g.result << "\t"
        << g.event << "\t" << g.source << "\n";
  }
  return ReadFailed(db, dbPath, err) ? kExitFailure : kExitOk;
}

}  // namespace moraku::cli
