// moraku-db load CSV DB: builds the joseki database from its CSV source.

#include <QFile>
#include <QFileInfo>

#include "cli/commands.h"
#include "store/atomic_db_write.h"
#include "store/csv.h"
#include "store/gocs_table.h"

namespace moraku::cli {

int RunLoad(const QStringList& args, QTextStream& out, QTextStream& err) {
  if (args.size() != 2) {
    err << "usage: moraku-db load CSV DB\n";
    return 2;
  }
  const QString& csvPath = args[0];
  const QString& dbPath = args[1];

  QFile csvFile(csvPath);
  if (!csvFile.open(QIODevice::ReadOnly)) {
    err << "moraku-db: " << csvPath << ": " << csvFile.errorString() << "\n";
    return 1;
  }
  const QByteArray bytes = csvFile.readAll();
  if (csvFile.error() != QFileDevice::NoError) {
    err << "moraku-db: " << csvPath << ": " << csvFile.errorString() << "\n";
    return 1;
  }
  csvFile.close();

  const GocsRows rows = GocsFromCsv(ParseCsv(bytes));
  if (!rows.ok()) {
    err << "moraku-db: " << csvPath << ":" << rows.errorLine << ": " << rows.error << "\n";
    return 1;
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
    return 1;
  }
  out << QFileInfo(dbPath).fileName() << ": " << rows.rows.size() << " entries loaded\n";
  return 0;
}

}  // namespace moraku::cli
