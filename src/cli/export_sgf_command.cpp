// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db export-sgf --db DB [--section 1|2|3] --out FILE.sgf: writes the entries of the
// database (or of one section's code) as SGF that import-sgf reads back into the same rows.

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <optional>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "data/sections.h"
#include "sgf/sgf_export.h"
#include "store/entry_checker.h"

namespace moraku::cli {

int RunExportSgf(const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandLine line(QStringLiteral("export-sgf"),
                   QStringLiteral("Writes the whole table (one game tree per section) or one "
                                  "section's entries as SGF."));
  line.AddValueOption(QStringLiteral("db"), QStringLiteral("DB"),
                      QStringLiteral("The joseki database."));
  line.AddSectionOption(QStringLiteral("Only the entries of this section (default: every entry):"));
  line.AddValueOption(QStringLiteral("out"), QStringLiteral("FILE.sgf"),
                      QStringLiteral("The SGF file to write."));
  if (const std::optional<int> status =
          line.Parse(args, out, err, 0, 0, {QStringLiteral("db"), QStringLiteral("out")})) {
    return *status;
  }
  QChar sectionCode;  // null for every entry
  if (line.IsSet(QStringLiteral("section"))) {
    const std::optional<int> section = ParseSection(line.Value(QStringLiteral("section")));
    if (!section) {
      return line.UsageError(err, SectionProblem(line.Value(QStringLiteral("section"))));
    }
    sectionCode = QChar(FindSection(*section)->code);
  }
  const QString dbPath = line.Value(QStringLiteral("db"));
  const QString outPath = line.Value(QStringLiteral("out"));
  if (SameFile(dbPath, outPath)) {
    err << "moraku-db: " << outPath << " is the database; writing it would destroy it\n";
    return kExitFailure;
  }
  std::vector<GocsRow> rows;
  QString error;
  if (!ReadGocsRows(dbPath, &rows, &error)) {
    err << "moraku-db: " << error << "\n";
    return kExitFailure;
  }
  if (!sectionCode.isNull()) {
    std::erase_if(rows, [&](const GocsRow& e) { return !e.five.startsWith(sectionCode); });
  }
  const SgfExport sgf = RowsToSgf(rows);
  for (const QString& left : sgf.leftOut) {
    err << "moraku-db: left out " << left << "\n";
  }
  // Written beside the target and renamed over it, so a failure leaves no half-written file.
  QSaveFile file(outPath);
  if (!file.open(QIODevice::WriteOnly)) {
    err << "moraku-db: " << outPath << ": " << file.errorString() << "\n";
    return kExitFailure;
  }
  if (file.write(sgf.text) != sgf.text.size() || !file.flush()) {
    // QSaveFile may keep no reason of its own ("Unknown error"); the system's is in errno.
    const QString why = QString::fromLocal8Bit(std::strerror(errno));
    file.cancelWriting();
    err << "moraku-db: " << outPath << ": " << why << "\n";
    return kExitFailure;
  }
  if (!file.commit()) {
    err << "moraku-db: " << outPath << ": " << file.errorString() << "\n";
    return kExitFailure;
  }
  out << QFileInfo(outPath).fileName() << ": " << sgf.written << " entries written";
  if (!sgf.leftOut.isEmpty()) out << ", " << sgf.leftOut.size() << " left out";
  out << "\n";
  return sgf.leftOut.isEmpty() ? kExitOk : kExitFailure;
}

}  // namespace moraku::cli
