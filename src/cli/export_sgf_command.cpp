// moraku-db export-sgf --db DB --section 1|2|3 --out FILE.sgf: writes a section as one SGF tree.

#include <QFileInfo>
#include <QSaveFile>
#include <optional>

#include "cli/commands.h"
#include "data/section_loader.h"
#include "data/sections.h"
#include "sgf/sgf_export.h"

namespace moraku::cli {

namespace {

struct Arguments {
  QString db;
  QString out;
  int section = 0;
};

void PrintUsage(QTextStream& err) {
  err << "usage: moraku-db export-sgf --db DB --section 1|2|3 --out FILE.sgf\n";
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
      a.section = args[++i].toInt(&ok);
      if (!ok) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  if (a.db.isEmpty() || a.out.isEmpty()) return std::nullopt;
  if (FindSection(a.section) == nullptr) return std::nullopt;
  return a;
}

}  // namespace

int RunExportSgf(const QStringList& args, QTextStream& out, QTextStream& err) {
  const std::optional<Arguments> a = Parse(args);
  if (!a) {
    PrintUsage(err);
    return 2;
  }
  const SectionLoad load = LoadSection(a->db, a->section);
  if (!load.error.isEmpty()) {
    err << "moraku-db: " << load.error << "\n";
    return 1;
  }
  const QString name = QString::fromUtf8(FindSection(a->section)->caption);
  const SgfExport sgf = SectionToSgf(load.table, name);
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
  return 0;
}

}  // namespace moraku::cli
