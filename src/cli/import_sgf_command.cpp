// moraku-db import-sgf FILE... --db DB --section 1|2 [--preset N]: adds one entry per path of
// the SGF files' game trees to a section of the database.

#include <QFile>
#include <QFileInfo>
#include <optional>

#include "cli/commands.h"
#include "data/sections.h"
#include "sgf/sgf_import.h"
#include "sgf/sgf_parser.h"
#include "store/atomic_db_write.h"
#include "store/gocs_table.h"
#include "store/sgf_store.h"

namespace moraku::cli {

namespace {

constexpr int kDefaultPreset = 1;
constexpr int kLargestPreset = 19;

struct Arguments {
  QStringList files;
  QString db;
  int section = 0;
  int preset = kDefaultPreset;
};

void PrintUsage(QTextStream& err) {
  err << "usage: moraku-db import-sgf FILE... --db DB --section 1|2 [--preset N]\n"
      << "  N: the number of preset stones of each entry, 0-19 (default 1); a path's own MP[n]\n"
      << "     overrides it\n";
}

std::optional<Arguments> Parse(const QStringList& args) {
  Arguments a;
  bool sectionGiven = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    const bool hasNext = i + 1 < args.size();
    bool ok = true;
    if (arg == QLatin1String("--db") && hasNext) {
      a.db = args[++i];
    } else if (arg == QLatin1String("--section") && hasNext) {
      a.section = args[++i].toInt(&ok);
      ok = ok && (a.section == kHandicapSection || a.section == kStarPointSection);
      sectionGiven = true;
    } else if (arg == QLatin1String("--preset") && hasNext) {
      a.preset = args[++i].toInt(&ok);
      ok = ok && a.preset >= 0 && a.preset <= kLargestPreset;
    } else if (arg.startsWith(QLatin1String("--"))) {
      ok = false;
    } else {
      a.files << arg;
    }
    if (!ok) return std::nullopt;
  }
  if (a.files.isEmpty() || a.db.isEmpty() || !sectionGiven) return std::nullopt;
  return a;
}

}  // namespace

int RunImportSgf(const QStringList& args, QTextStream& out, QTextStream& err) {
  const std::optional<Arguments> a = Parse(args);
  if (!a) {
    PrintUsage(err);
    return 2;
  }

  // Every file is read and understood before the database is touched.
  std::vector<SgfEntry> entries;
  int notOnStarPoint = 0;
  int whiteFirst = 0;
  int otherBoardSize = 0;
  for (const QString& path : a->files) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      err << "moraku-db: " << path << ": " << file.errorString() << "\n";
      return 1;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
      err << "moraku-db: " << path << ": " << file.errorString() << "\n";
      return 1;
    }
    const sgf::ParseResult parsed = sgf::Parse(std::move(bytes));
    if (!parsed.ok()) {
      err << "moraku-db: " << path << ":" << parsed.line << ":" << parsed.column << ": "
          << parsed.error << "\n";
      return 1;
    }
    for (const QString& warning : parsed.warnings) {
      err << "moraku-db: " << path << ":" << warning << "\n";
    }
    SgfPaths paths = EntriesFromSgf(parsed.collection, a->preset);
    if (!paths.ok()) {
      err << "moraku-db: " << path << ":" << paths.line << ":" << paths.column << ": "
          << paths.error << "\n";
      return 1;
    }
    notOnStarPoint += paths.notOnStarPoint;
    whiteFirst += paths.whiteFirst;
    otherBoardSize += paths.otherBoardSize;
    entries.insert(entries.end(), std::make_move_iterator(paths.entries.begin()),
                   std::make_move_iterator(paths.entries.end()));
  }

  // A database that does not exist yet is made; an existing one is copied, added to and put in
  // place as a whole, or left exactly as it was.
  const bool exists = QFileInfo::exists(a->db);
  SgfStoreCounts counts;
  bool nothingToAdd = false;
  QString error;
  const bool written = WriteDatabaseAtomically(
      a->db, exists ? AtomicStart::CopyOfTarget : AtomicStart::Empty,
      [&](sql::Database& db, QString* why) {
        if (!exists && !CreateGocsTable(db, why)) return false;
        if (!AddSgfEntries(db, a->section, entries, &counts, why)) return false;
        nothingToAdd = counts.added == 0 && exists;
        return !nothingToAdd;  // no need to rewrite a file that stays the same
      },
      &error);
  if (!written && !nothingToAdd) {
    err << "moraku-db: " << a->db << ": " << error << "\n";
    return 1;
  }
  const int skipped = notOnStarPoint + whiteFirst + otherBoardSize;
  out << QFileInfo(a->db).fileName() << ": " << counts.added << " added, " << skipped
      << " skipped (" << notOnStarPoint << " not starting on a 4-4 point, " << whiteFirst
      << " starting with White, " << otherBoardSize << " not on a 19x19 board), "
      << counts.alreadyPresent << " already present, " << counts.repeated
      << " repeated in the import\n";
  return 0;
}

}  // namespace moraku::cli
