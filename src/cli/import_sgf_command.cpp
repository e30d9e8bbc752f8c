// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db import-sgf FILE|DIR... --db DB [--section 1|2|3] [--preset N] [--strict]: adds the
// entries of SGF files (folders searched recursively for *.sgf) to the database: the entries of our
// own source files as they stand, one entry per path of other game trees.

#include <QFileInfo>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/input_file.h"
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

// At most this many entries come from one file unless --max-entries says otherwise, with at
// most kNodesPerEntry nodes along each on average: far more than a joseki collection holds, and a
// bound on what a small hostile file may make (a side variation at every move of a long line
// makes one long entry per move).
constexpr int kDefaultMaxEntries = 50000;
constexpr qint64 kNodesPerEntry = 100;

// The paths (leaves) of the collection's game trees and the nodes along all of them.
struct PathTotals {
  qint64 paths = 0;
  qint64 nodes = 0;
};

PathTotals CountPaths(const sgf::Collection& sgf) {
  PathTotals totals;
  std::vector<std::pair<int, qint64>> stack;  // node and its depth
  for (const sgf::GameTree& tree : sgf.trees) {
    stack.emplace_back(tree.root, 1);
    while (!stack.empty()) {
      const auto [node, depth] = stack.back();
      stack.pop_back();
      const int first = sgf.nodes[static_cast<std::size_t>(node)].firstChild;
      if (first < 0) {
        ++totals.paths;
        totals.nodes += depth;
      }
      for (int child = first; child >= 0;
           child = sgf.nodes[static_cast<std::size_t>(child)].nextSibling) {
        stack.emplace_back(child, depth + 1);
      }
    }
  }
  return totals;
}

// The paths of one file that was read.
struct ReadFile {
  QString path;
  SgfPaths paths;
};

// Reads one file and prints the character sets it was read in. Returns nullopt after naming
// the file and the fault on `err`.
std::optional<ReadFile> ReadOne(const QString& path, const SgfImportOptions& options,
                                int maxEntries, QTextStream& out, QTextStream& err) {
  QByteArray bytes;
  QString readError;
  if (!ReadInputFile(path, kMaxInputBytes, &bytes, &readError)) {
    err << "moraku-db: " << readError << "\n";
    return std::nullopt;
  }
  const sgf::ParseResult parsed = sgf::Parse(std::move(bytes));
  if (!parsed.ok()) {
    err << "moraku-db: " << path << ":" << parsed.line << ":" << parsed.column << ": "
        << parsed.error << "\n";
    return std::nullopt;
  }
  out << path << ": " << parsed.charsets.join(QStringLiteral(", ")) << "\n";
  for (const QString& warning : parsed.warnings) {
    err << "moraku-db: " << path << ":" << warning << "\n";
  }
  // A file that would make more or longer entries than allowed is refused before they are
  // spelled out.
  const PathTotals totals = CountPaths(parsed.collection);
  if (totals.paths > maxEntries || totals.nodes > kNodesPerEntry * maxEntries) {
    err << "moraku-db: " << path << ": " << totals.paths << " paths of " << totals.nodes
        << " nodes, more than the " << maxEntries << " entries of " << kNodesPerEntry * maxEntries
        << " nodes one file may make (--max-entries raises the bound)\n";
    return std::nullopt;
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
  CommandLine line(QStringLiteral("import-sgf"),
                   QStringLiteral("Adds the entries of SGF files to the database DB (made when it "
                                  "does not exist): the entries of our own source files as they "
                                  "stand (to the section their MKCODE names), one entry per path "
                                  "of other game trees (to --section)."),
                   QStringLiteral("FILE|DIR..."));
  line.AddValueOption(QStringLiteral("db"), QStringLiteral("DB"),
                      QStringLiteral("The joseki database to add to."));
  line.AddSectionOption(QStringLiteral("The section of the lines of files without MKCODE:"));
  line.AddValueOption(QStringLiteral("preset"), QStringLiteral("N"),
                      QStringLiteral("Preset stones of lines without MKPRESET, odd, 1-19 "
                                     "(default 1)."));
  line.AddFlagOption(QStringLiteral("strict"),
                     QStringLiteral("A file that cannot be read stops the import (otherwise it "
                                    "is skipped)."));
  line.AddValueOption(QStringLiteral("max-entries"), QStringLiteral("N"),
                      QStringLiteral("Refuse a file that makes more than N entries or more "
                                     "than 100 N nodes along them (default 50000)."));
  line.DescribeOperand(QStringLiteral("FILE"), QStringLiteral("An SGF file, at most 64 MiB."));
  line.DescribeOperand(QStringLiteral("DIR"),
                       QStringLiteral("A folder: its *.sgf files and its subfolders' are read."));
  if (const std::optional<int> status = line.Parse(args, out, err, 1, -1, {QStringLiteral("db")})) {
    return *status;
  }
  QChar sectionCode;  // null when not given
  if (line.IsSet(QStringLiteral("section"))) {
    const std::optional<int> section = ParseSection(line.Value(QStringLiteral("section")));
    if (!section) {
      return line.UsageError(err, SectionProblem(line.Value(QStringLiteral("section"))));
    }
    sectionCode = QChar(FindSection(*section)->code);
  }
  int preset = kDefaultPreset;
  if (line.IsSet(QStringLiteral("preset"))) {
    // Only counts the checker accepts: the preset stones end with Black's.
    const std::optional<qint64> n =
        ParseNumber(line.Value(QStringLiteral("preset")), 1, kLargestPreset);
    if (!n || *n % 2 == 0) {
      return line.UsageError(err, QStringLiteral("--preset needs an odd number 1-19, not '%1'")
                                      .arg(line.Value(QStringLiteral("preset"))));
    }
    preset = static_cast<int>(*n);
  }
  int maxEntries = kDefaultMaxEntries;
  if (line.IsSet(QStringLiteral("max-entries"))) {
    const std::optional<qint64> n =
        ParseNumber(line.Value(QStringLiteral("max-entries")), 1, std::numeric_limits<int>::max());
    if (!n) {
      return line.UsageError(err, QStringLiteral("--max-entries needs a number from 1, not '%1'")
                                      .arg(line.Value(QStringLiteral("max-entries"))));
    }
    maxEntries = static_cast<int>(*n);
  }
  const bool strict = line.IsSet(QStringLiteral("strict"));
  const QString dbPath = line.Value(QStringLiteral("db"));
  // Folders stand for their *.sgf files; a folder without any counts as a file skipped.
  QStringList paths;
  int emptyFolders = 0;
  for (const QString& operand : line.Operands()) {
    const QStringList found = SgfFilesOf({operand});
    if (found.isEmpty()) {
      err << "moraku-db: " << operand << ": no *.sgf files in the folder\n";
      if (strict) {
        err << "moraku-db: nothing imported (--strict)\n";
        return kExitFailure;
      }
      ++emptyFolders;
    }
    paths << found;
  }
  for (const QString& path : paths) {
    if (SameFile(path, dbPath)) {
      err << "moraku-db: " << dbPath << " is also an input file\n";
      return kExitFailure;
    }
  }

  // Every file is read and understood before the database is touched.
  const SgfImportOptions options{sectionCode, preset};
  std::vector<ReadFile> files;
  int skippedFiles = emptyFolders;
  for (const QString& path : paths) {
    std::optional<ReadFile> read = ReadOne(path, options, maxEntries, out, err);
    if (!read) {
      if (strict) {
        err << "moraku-db: nothing imported (--strict)\n";
        return kExitFailure;
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
    const bool exists = QFileInfo::exists(dbPath);
    bool nothingToAdd = false;
    QString error;
    const bool written = WriteDatabaseAtomically(
        dbPath, exists ? AtomicStart::CopyOfTarget : AtomicStart::Empty,
        [&](sql::Database& db, QString* why) {
          if (!exists && !CreateGocsTable(db, why)) return false;
          if (!AddSgfEntries(db, entries, &counts, why)) return false;
          nothingToAdd = counts.added == 0 && exists;
          return !nothingToAdd;  // no need to rewrite a file that stays the same
        },
        &error);
    if (!written && !nothingToAdd) {
      err << "moraku-db: " << dbPath << ": " << error << "\n";
      return kExitFailure;
    }
  }
  out << QFileInfo(dbPath).fileName() << ": " << counts.added << " added, " << counts.alreadyPresent
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
  return skippedFiles > 0 ? kExitFailure : kExitOk;
}

}  // namespace moraku::cli
