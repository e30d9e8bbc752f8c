// moraku-db games --db DB [--count | --remove ID... | --entry N --section S]: lists, counts and
// removes the games of the collection, or prints the games that played an entry's joseki.

#include <sqlite3.h>
#include <QFileInfo>

#include "cli/commands.h"
#include "data/section_loader.h"
#include "data/sections.h"
#include "games/game_match.h"
#include "games/game_store.h"
#include "store/atomic_db_write.h"

namespace moraku::cli {

namespace {

void PrintUsage(QTextStream& err) {
  err << "usage: moraku-db games --db DB                    list the games\n"
      << "       moraku-db games --db DB --count            count them\n"
      << "       moraku-db games --db DB --remove ID...     remove games by id\n"
      << "       moraku-db games --db DB --entry N --section 1|2|3\n"
      << "                                          the games that played entry N's joseki\n";
}

bool OpenReadOnly(sql::Database& db, const QString& path, QTextStream& err) {
  if (!QFileInfo(path).isFile() || db.Open(path, SQLITE_OPEN_READONLY) != SQLITE_OK) {
    err << "moraku-db: " << path << ": cannot open the database\n";
    return false;
  }
  return true;
}

int PrintEntryGames(const QString& dbPath, int sectionIndex, int entry, QTextStream& out,
                    QTextStream& err) {
  const SectionLoad load = LoadSection(dbPath, sectionIndex);
  if (!load.error.isEmpty()) {
    err << "moraku-db: " << load.error << "\n";
    return 1;
  }
  if (entry < 1 || entry > load.table.Count()) {
    err << "moraku-db: section " << sectionIndex << " has no entry " << entry << " (1-"
        << load.table.Count() << ")\n";
    return 2;
  }
  const Entry& e = load.table.entries[static_cast<std::size_t>(entry)];
  const games::EntryPattern pattern = games::PatternOfEntry(
      load.table.records[static_cast<std::size_t>(entry) - 1].stones, e.presetCount);
  sql::Database db;
  if (!OpenReadOnly(db, dbPath, err)) return 1;
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
  return 0;
}

}  // namespace

int RunGames(const QStringList& args, QTextStream& out, QTextStream& err) {
  QString dbPath;
  bool count = false;
  bool remove = false;
  int section = 0;
  int entry = 0;
  std::vector<std::int64_t> ids;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    const bool hasNext = i + 1 < args.size();
    bool ok = true;
    if (arg == QLatin1String("--db") && hasNext) {
      dbPath = args[++i];
    } else if (arg == QLatin1String("--count")) {
      count = true;
    } else if (arg == QLatin1String("--remove")) {
      remove = true;
    } else if (arg == QLatin1String("--section") && hasNext) {
      section = args[++i].toInt(&ok);
      ok = ok && FindSection(section) != nullptr;
    } else if (arg == QLatin1String("--entry") && hasNext) {
      entry = args[++i].toInt(&ok);
    } else if (remove && !arg.startsWith(QLatin1String("--"))) {
      ids.push_back(arg.toLongLong(&ok));
    } else {
      ok = false;
    }
    if (!ok) {
      PrintUsage(err);
      return 2;
    }
  }
  const bool entryAsked = section != 0 || entry != 0;
  if (dbPath.isEmpty() || (remove && ids.empty()) || int{count} + int{remove} + entryAsked > 1 ||
      (entryAsked && (section == 0 || entry == 0))) {
    PrintUsage(err);
    return 2;
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
      return 1;
    }
    out << removed << " removed\n";
    return 0;
  }

  sql::Database db;
  if (!OpenReadOnly(db, dbPath, err)) return 1;
  if (count) {
    out << games::CountGames(db) << "\n";
    return 0;
  }
  for (const games::GameInfo& g : games::ListGames(db)) {
    out << g.id << "\t" << games::PlayerText(g.black, g.blackRank) << " - "
        << games::PlayerText(g.white, g.whiteRank) << "\t" << g.date << "\t" << g.result << "\t"
        << g.event << "\t" << g.source << "\n";
  }
  return 0;
}

}  // namespace moraku::cli
