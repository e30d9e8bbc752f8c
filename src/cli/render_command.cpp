// moraku-db render: draws an entry of a section as the joseki window shows it and saves the
// board picture.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>

#include "cli/commands.h"
#include "data/sections.h"
#include "joseki/entry_selection.h"
#include "joseki/joseki_session.h"
#include "joseki/playback.h"
#include "joseki/record_text.h"
#include "joseki/recording_controls.h"
#include "joseki/window_load.h"

namespace moraku::cli {

namespace {

struct RenderArgs {
  QString db;
  int section = 0;
  int entry = 0;
  int recordMove = -1;  // -1: the record as the entry's display leaves it
  QString out;
};

bool ParseCount(const QString& text, int& value) {
  bool ok = false;
  value = text.toInt(&ok);
  return ok && value >= 0;
}

// Reads the options; returns an empty string or the complaint about the arguments.
QString ParseArgs(const QStringList& args, RenderArgs& r) {
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& option = args[i];
    if (i + 1 >= args.size()) return QStringLiteral("option %1 needs a value").arg(option);
    const QString& value = args[++i];
    if (option == QLatin1String("--db")) {
      r.db = value;
    } else if (option == QLatin1String("--out")) {
      r.out = value;
    } else if (option == QLatin1String("--section")) {
      if (!ParseCount(value, r.section) || FindSection(r.section) == nullptr)
        return QStringLiteral("unknown section '%1' (1 handicap, 2 star point, 3 3-4 point)")
            .arg(value);
    } else if (option == QLatin1String("--entry")) {
      if (!ParseCount(value, r.entry) || r.entry < 1)
        return QStringLiteral("--entry needs an entry number from 1, not '%1'").arg(value);
    } else if (option == QLatin1String("--record-move")) {
      if (!ParseCount(value, r.recordMove))
        return QStringLiteral("--record-move needs a move number, not '%1'").arg(value);
    } else {
      return QStringLiteral("unknown option '%1'").arg(option);
    }
  }
  if (r.db.isEmpty()) return QStringLiteral("--db is required");
  if (r.section == 0) return QStringLiteral("--section is required");
  if (r.entry == 0) return QStringLiteral("--entry is required");
  if (r.out.isEmpty()) return QStringLiteral("--out is required");
  return {};
}

}  // namespace

int RunRender(const QStringList& args, QTextStream&, QTextStream& err) {
  RenderArgs r;
  if (const QString problem = ParseArgs(args, r); !problem.isEmpty()) {
    err << "moraku-db render: " << problem << "\n"
        << "usage: moraku-db render --db DB --section 1|2|3 --entry N [--record-move M] "
           "--out FILE.png\n";
    return 2;
  }
  if (!QFileInfo(r.db).isFile()) {
    err << "moraku-db render: database not found: " << r.db << "\n";
    return 1;
  }
  const QString fld2 = QCoreApplication::applicationDirPath() + QStringLiteral("/fld2");
  if (!QFileInfo(fld2).isDir()) {
    err << "moraku-db render: image folder not found: " << fld2 << "\n";
    return 1;
  }

  RecordingControls controls;
  ImageStore images(fld2);
  JosekiSession session(controls, images);
  session.state.SectionIndex = r.section;
  if (const QString problem = OpenSection(session, r.db); !problem.isEmpty()) {
    err << "moraku-db render: " << problem << "\n";
    return 1;
  }
  const int count = session.state.Entries.Count();
  if (r.entry > count) {
    err << "moraku-db render: section " << r.section << " has " << count
        << " entries; there is no entry " << r.entry << "\n";
    return 1;
  }
  SelectListRow(session, r.entry - 1);

  if (r.recordMove >= 0) {
    const JosekiState& s = session.state;
    const int moves = RecordMoveCount(s.RecordMoves);
    if (s.RecordMoves.isEmpty()) {
      err << "moraku-db render: entry " << r.entry << " has no record\n";
      return 1;
    }
    if (r.recordMove > moves) {
      err << "moraku-db render: the record of entry " << r.entry << " has " << moves
          << " moves; there is no move " << r.recordMove << "\n";
      return 1;
    }
    session.state.TargetMove = r.recordMove;
    ClearRecordBoard(session);
    ReplayRecord(session, session.state.TargetMove);
  }

  const QString outDir = QFileInfo(r.out).absolutePath();
  if (!QDir(outDir).exists() || !session.canvas.Display().save(r.out, "PNG")) {
    err << "moraku-db render: cannot write " << r.out << "\n";
    return 1;
  }
  return 0;
}

}  // namespace moraku::cli
