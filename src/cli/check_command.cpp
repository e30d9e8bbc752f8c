// moraku-db check --db DB: verifies every entry of the joseki database.

#include "cli/commands.h"
#include "store/entry_checker.h"

namespace moraku::cli {

int RunCheck(const QStringList& args, QTextStream& out, QTextStream& err) {
  if (args.size() != 2 || args[0] != QLatin1String("--db")) {
    err << "usage: moraku-db check --db DB\n";
    return 2;
  }
  std::vector<RawEntry> entries;
  QString error;
  if (!ReadRawEntries(args[1], &entries, &error)) {
    err << "moraku-db: cannot read the joseki database " << error << "\n";
    return 1;
  }
  const QStringList problems = CheckEntries(entries);
  for (const QString& line : problems) out << line << "\n";
  out << entries.size() << (entries.size() == 1 ? " entry, " : " entries, ");
  if (!problems.isEmpty()) {
    out << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
    return 1;
  }
  out << "no problems\n";
  return 0;
}

}  // namespace moraku::cli
