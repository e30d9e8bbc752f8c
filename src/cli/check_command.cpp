// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db check --db DB: verifies the database file and every entry of the joseki database.

#include <sqlite3.h>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "data/section_loader.h"
#include "data/sections.h"
#include "data/sqlite_db.h"
#include "store/entry_checker.h"

namespace moraku::cli {

namespace {

// SQLite's quick_check of the whole file reports at most this many faults.
constexpr int kFileFaultsShown = 20;

// Runs SQLite's quick check on the file. Returns false after printing what it found (or why it
// could not run) to `err`.
bool FileIsWhole(const QString& path, QTextStream& err) {
  sql::Database db;
  sql::Statement check;
  if (db.OpenUntrusted(path, kCheckBudget) != SQLITE_OK ||
      check.Prepare(db, "PRAGMA quick_check(20)") != SQLITE_OK) {
    err << "moraku-db: cannot read the joseki database " << path << ": " << db.ErrorText() << "\n";
    return false;
  }
  int faults = 0;
  for (;;) {
    const sql::StepResult step = check.Step();
    if (step == sql::StepResult::Done) break;
    if (step == sql::StepResult::Error) {
      err << "moraku-db: " << path << ": the file is damaged: " << db.ErrorText() << "\n";
      return false;
    }
    const QString line = check.ColumnText(0);
    if (line == QLatin1String("ok")) return true;
    if (++faults <= kFileFaultsShown) {
      err << "moraku-db: " << path << ": the file is damaged: " << line.left(200) << "\n";
    }
  }
  return faults == 0;
}

}  // namespace

int RunCheck(const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandLine line(QStringLiteral("check"),
                   QStringLiteral("Verifies the database file DB and every entry in it: the file "
                                  "is whole, both sections load as the joseki window loads them, "
                                  "and each entry's fields can be shown and played out."));
  line.AddValueOption(QStringLiteral("db"), QStringLiteral("DB"),
                      QStringLiteral("The joseki database to check."));
  if (const std::optional<int> status = line.Parse(args, out, err, 0, 0, {QStringLiteral("db")})) {
    return *status;
  }
  const QString path = line.Value(QStringLiteral("db"));
  if (!FileIsWhole(path, err)) return kExitFailure;
  // What the window would say for each section is the first verdict.
  for (const Section& section : AllSections()) {
    const SectionLoad load = LoadSection(path, section.index, kCheckBudget);
    if (!load.error.isEmpty()) {
      err << "moraku-db: section " << section.index << " cannot be loaded: " << load.error << "\n";
      return kExitFailure;
    }
  }
  // Problems are printed as they are found, so a large database needs no large report in memory.
  qint64 entries = 0;
  qint64 problems = 0;
  QSet<QString> seenIds;
  QString error;
  const bool read = ForEachGocsRow(
      path,
      [&](const GocsRow& entry) {
        ++entries;
        problems += ReportEntryProblems(entry, seenIds,
                                        [&out](const QString& text) { out << text << "\n"; });
      },
      &error);
  if (!read) {
    err << "moraku-db: cannot read the joseki database " << error << "\n";
    return kExitFailure;
  }
  out << entries << (entries == 1 ? " entry, " : " entries, ");
  if (problems > 0) {
    out << problems << (problems == 1 ? " problem\n" : " problems\n");
    return kExitFailure;
  }
  out << "no problems\n";
  return kExitOk;
}

}  // namespace moraku::cli
