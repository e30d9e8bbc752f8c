// moraku-db import-sgf FILE... --db DB [--section 1|2|3] [--preset N] [--strict]: adds the
// entries of SGF files to the database: the entries of our own source files as they stand, one
// entry per path of other game trees.

#include <QFile>
#include <QFileInfo>
#include <memory>
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
  QChar section;  // null when not given
  int preset = kDefaultPreset;
  bool strict = false;
};

void PrintUsage(QTextStream& err) {
  err << "usage: moraku-db import-sgf FILE... --db DB [--section 1|2|3] [--preset N] [--strict]\n"
      << "  entries of files with MKCODE go to the section their code names; lines of other\n"
      << "  files go to --section (1 handicap, 2 star point, 3 the 3-4 point)\n"
      << "  N: preset stones of lines without MKPRESET, odd, 1-19 (default 1)\n"
      << "  --strict: a file that cannot be read stops the import (otherwise it is skipped)\n";
}

std::optional<Arguments> Parse(const QStringList& args) {
  Arguments a;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    const bool hasNext = i + 1 < args.size();
    bool ok = true;
    if (arg == QLatin1String("--db") && hasNext) {
      a.db = args[++i];
    } else if (arg == QLatin1String("--section") && hasNext) {
      const int section = args[++i].toInt(&ok);
      const Section* chosen = ok ? FindSection(section) : nullptr;
      ok = chosen != nullptr;
      if (ok) a.section = QChar(chosen->code);
    } else if (arg == QLatin1String("--preset") && hasNext) {
      // Only counts the checker accepts: the preset stones end with Black's.
      a.preset = args[++i].toInt(&ok);
      ok = ok && a.preset >= 1 && a.preset <= kLargestPreset && a.preset % 2 == 1;
    } else if (arg == QLatin1String("--strict")) {
      a.strict = true;
    } else if (arg.startsWith(QLatin1String("--"))) {
      ok = false;
    } else {
      a.files << arg;
    }
    if (!ok) return std::nullopt;
  }
  if (a.files.isEmpty() || a.db.isEmpty()) return std::nullopt;
  return a;
}

// The paths of one file that was read.
struct ReadFile {
  QString path;
  SgfPaths paths;
};

// Reads one file. Returns nullopt after naming the file and the fault on `err`.
std::optional<ReadFile> ReadOne(const QString& path, const SgfImportOptions& options,
                                QTextStream& err) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    err << "moraku-db: " << path << ": " << file.errorString() << "\n";
    return std::nullopt;
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    err << "moraku-db: " << path << ": " << file.errorString() << "\n";
    return std::nullopt;
  }
  const sgf::ParseResult parsed = sgf::Parse(std::move(bytes));
  if (!parsed.ok()) {
    err << "moraku-db: " << path << ":" << parsed.line << ":" << parsed.column << ": "
        << parsed.error << "\n";
    return std::nullopt;
  }
  for (const QString& warning : parsed.warnings) {
    err << "moraku-db: " << path << ":" << warning << "\n";
  }
  ReadFile read{path, EntriesFromSgf(parsed.collection, options)};
  if (!read.paths.ok()) {
    err << "moraku-db: " << path << ":" << read.paths.line << ":" << read.paths.column << ": "
        << read.paths.error << "\n";
    return std::nullopt;
  }
  return read;
}

}  // namespace

int RunImportSgf(const QStringList& args, QTextStream& out, QTextStream& err) {
  const std::optional<Arguments> a = Parse(args);
  if (!a) {
    PrintUsage(err);
    return 2;
  }

  // Every file is read and understood before the database is touched.
  const SgfImportOptions options{a->section, a->preset};
  std::vector<ReadFile> files;
  int skippedFiles = 0;
  for (const QString& path : a->files) {
    std::optional<ReadFile> read = ReadOne(path, options, err);
    if (!read) {
      if (a->strict) {
        err << "moraku-db: nothing imported (--strict)\n";
        return 1;
      }
      ++skippedFiles;
      continue;
    }
    files.push_back(std::move(*read));
  }
  SgfPaths total;
  std::vector<SourcedEntry> entries;
  for (const ReadFile& f : files) {
    total.notOnOpeningPoint += f.paths.notOnOpeningPoint;
    total.whiteFirst += f.paths.whiteFirst;
    total.otherBoardSize += f.paths.otherBoardSize;
    total.setupStones += f.paths.setupStones;
    total.noSection += f.paths.noSection;
    total.marksDropped += f.paths.marksDropped;
    for (const SgfEntry& e : f.paths.entries) entries.push_back({&e, f.path});
  }

  // A database that does not exist yet is made; an existing one is copied, added to and put in
  // place as a whole, or left exactly as it was.
  SgfStoreCounts counts;
  if (!files.empty()) {
    const bool exists = QFileInfo::exists(a->db);
    bool nothingToAdd = false;
    QString error;
    const bool written = WriteDatabaseAtomically(
        a->db, exists ? AtomicStart::CopyOfTarget : AtomicStart::Empty,
        [&](sql::Database& db, QString* why) {
          if (!exists && !CreateGocsTable(db, why)) return false;
          if (!AddSgfEntries(db, entries, &counts, why)) return false;
          nothingToAdd = counts.added == 0 && exists;
          return !nothingToAdd;  // no need to rewrite a file that stays the same
        },
        &error);
    if (!written && !nothingToAdd) {
      err << "moraku-db: " << a->db << ": " << error << "\n";
      return 1;
    }
  }
  out << QFileInfo(a->db).fileName() << ": " << counts.added << " added, " << counts.alreadyPresent
      << " already present, " << counts.repeated << " repeated in the import\n";
  const std::pair<int, const char*> reasons[] = {
      {total.notOnOpeningPoint, "not starting on the section's opening point"},
      {total.whiteFirst, "starting with White"},
      {total.otherBoardSize, "not on a 19x19 board"},
      {total.setupStones, "setup stones"},
      {total.noSection, "no MKCODE and no --section"}};
  for (const auto& [count, reason] : reasons) {
    if (count > 0) out << reason << ": " << count << " paths skipped\n";
  }
  if (total.marksDropped > 0) {
    out << "marks and labels no entry can show: " << total.marksDropped << " dropped\n";
  }
  out << files.size() << " files imported, " << skippedFiles << " skipped\n";
  return skippedFiles > 0 ? 1 : 0;
}

}  // namespace moraku::cli
