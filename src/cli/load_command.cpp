// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db load CSV DB: builds the joseki database from its CSV source.

#include <QFileInfo>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/input_file.h"
#include "store/atomic_db_write.h"
#include "store/csv.h"
#include "store/gocs_table.h"

namespace moraku::cli {

int RunLoad(const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandLine line(QStringLiteral("load"), QStringLiteral("Builds the database DB from CSV."),
                   QStringLiteral("CSV DB"));
  line.DescribeOperand(
      QStringLiteral("CSV"),
      QStringLiteral("The table gocs as CSV (UTF-8, header row), at most 64 MiB."));
  line.DescribeOperand(QStringLiteral("DB"), QStringLiteral("The database file to write."));
  if (const std::optional<int> status = line.Parse(args, out, err, 2, 2)) return *status;
  const QString csvPath = line.Operands()[0];
  const QString dbPath = line.Operands()[1];
  if (SameFile(csvPath, dbPath)) {
    err << "moraku-db: " << dbPath << " is the input; writing it would destroy the CSV\n";
    return kExitFailure;
  }

  QByteArray bytes;
  QString readError;
  if (!ReadInputFile(csvPath, kMaxInputBytes, &bytes, &readError)) {
    err << "moraku-db: " << readError << "\n";
    return kExitFailure;
  }
  const GocsRows rows = GocsFromCsv(ParseCsv(bytes));
  bytes.clear();
  if (!rows.ok()) {
    err << "moraku-db: " << csvPath << ":" << rows.errorLine << ": " << rows.error << "\n";
    return kExitFailure;
  }

  int failedLine = -1;
  QString error;
  const bool written = WriteDatabaseAtomically(
      dbPath, AtomicStart::Empty,
      [&](sql::Database& db, QString* why) {
        failedLine = 0;
        if (!CreateGocsTable(db, why)) return false;
        return InsertGocs(db, rows.rows, &failedLine, why);
      },
      &error);
  if (!written) {
    if (failedLine > 0) {
      err << "moraku-db: " << csvPath << ":" << failedLine << ": " << error << "\n";
    } else {
      err << "moraku-db: " << dbPath << ": " << error << "\n";
    }
    return kExitFailure;
  }
  out << QFileInfo(dbPath).fileName() << ": " << rows.rows.size() << " entries loaded\n";
  return kExitOk;
}

}  // namespace moraku::cli
