// moraku-db export-sgf --db DB [--section 1|2|3] --out FILE.sgf: writes the entries of the
// database (or of one section's code) as SGF that import-sgf reads back into the same rows.

#include <QFileInfo>
#include <QSaveFile>
#include <optional>

#include "cli/commands.h"
#include "data/sections.h"
#include "sgf/sgf_export.h"
#include "store/entry_checker.h"

namespace moraku::cli {

namespace {

struct Arguments {
  QString db;
  QString out;
  QChar section;  // the code character; null for every entry
};

void PrintUsage(QTextStream& err) {
  err << "usage: moraku-db export-sgf --db DB [--section 1|2|3] --out FILE.sgf\n"
      << "  --section N: only the entries whose code begins with section N's character\n";
}

std::optional<Arguments> Parse(const QStringList& args) {
  Arguments a;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (i + 1 >= args.size()) return std::nullopt;
    if (arg == QLatin1String("--db")) {
      a.db = args[++i];
    } else if (arg == QLatin1String("--out")) {
      a.out = args[++i];
    } else if (arg == QLatin1String("--section")) {
      bool ok = false;
      const int section = args[++i].toInt(&ok);
      const Section* chosen = ok ? FindSection(section) : nullptr;
      if (chosen == nullptr) return std::nullopt;
      a.section = QChar(chosen->code);
    } else {
      return std::nullopt;
    }
  }
  if (a.db.isEmpty() || a.out.isEmpty()) return std::nullopt;
  return a;
}

}  // namespace

int RunExportSgf(const QStringList& args, QTextStream& out, QTextStream& err) {
  const std::optional<Arguments> a = Parse(args);
  if (!a) {
    PrintUsage(err);
    return 2;
  }
  std::vector<RawEntry> rows;
  QString error;
  if (!ReadRawEntries(a->db, &rows, &error)) {
    err << "moraku-db: " << error << "\n";
    return 1;
  }
  if (!a->section.isNull()) {
    std::erase_if(rows, [&](const RawEntry& e) { return !e.five.startsWith(a->section); });
  }
  const SgfExport sgf = RowsToSgf(rows);
  for (const QString& line : sgf.leftOut) {
    err << "moraku-db: left out " << line << "\n";
  }
  // Written beside the target and renamed over it, so a failure leaves no half-written file.
  QSaveFile file(a->out);
  if (!file.open(QIODevice::WriteOnly) || file.write(sgf.text) != sgf.text.size() ||
      !file.commit()) {
    err << "moraku-db: " << a->out << ": " << file.errorString() << "\n";
    return 1;
  }
  out << QFileInfo(a->out).fileName() << ": " << sgf.written << " entries written";
  if (!sgf.leftOut.isEmpty()) out << ", " << sgf.leftOut.size() << " left out";
  out << "\n";
  return sgf.leftOut.isEmpty() ? 0 : 1;
}

}  // namespace moraku::cli
