// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db render: draws an entry of a section as the joseki window shows it and saves the
// board picture.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <limits>

#include "cli/command_line.h"
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

}  // namespace

int RunRender(const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandLine line(QStringLiteral("render"),
                   QStringLiteral("Draws an entry as the joseki window shows it and saves the "
                                  "board picture as PNG."));
  line.AddValueOption(QStringLiteral("db"), QStringLiteral("DB"),
                      QStringLiteral("The joseki database."));
  line.AddSectionOption(QStringLiteral("The section:"));
  line.AddValueOption(QStringLiteral("entry"), QStringLiteral("N"),
                      QStringLiteral("The entry's place in the list, from 1."));
  line.AddValueOption(QStringLiteral("record-move"), QStringLiteral("M"),
                      QStringLiteral("Show the record board at move M (default: as the entry's "
                                     "display leaves it)."));
  line.AddValueOption(QStringLiteral("out"), QStringLiteral("FILE.png"),
                      QStringLiteral("The picture to write."));
  if (const std::optional<int> status =
          line.Parse(args, out, err, 0, 0,
                     {QStringLiteral("db"), QStringLiteral("section"), QStringLiteral("entry"),
                      QStringLiteral("out")})) {
    return *status;
  }
  RenderArgs r;
  r.db = line.Value(QStringLiteral("db"));
  r.out = line.Value(QStringLiteral("out"));
  const std::optional<int> section = ParseSection(line.Value(QStringLiteral("section")));
  if (!section) return line.UsageError(err, SectionProblem(line.Value(QStringLiteral("section"))));
  r.section = *section;
  const std::optional<qint64> entry =
      ParseNumber(line.Value(QStringLiteral("entry")), 1, std::numeric_limits<int>::max());
  if (!entry) {
    return line.UsageError(err, QStringLiteral("--entry needs an entry number from 1, not '%1'")
                                    .arg(line.Value(QStringLiteral("entry"))));
  }
  r.entry = static_cast<int>(*entry);
  if (line.IsSet(QStringLiteral("record-move"))) {
    const std::optional<qint64> move =
        ParseNumber(line.Value(QStringLiteral("record-move")), 0, std::numeric_limits<int>::max());
    if (!move) {
      return line.UsageError(err, QStringLiteral("--record-move needs a move number, not '%1'")
                                      .arg(line.Value(QStringLiteral("record-move"))));
    }
    r.recordMove = static_cast<int>(*move);
  }
  if (SameFile(r.db, r.out)) {
    err << "moraku-db render: " << r.out << " is the database; writing it would destroy it\n";
    return kExitFailure;
  }
  if (!QFileInfo(r.db).isFile()) {
    err << "moraku-db render: database not found: " << r.db << "\n";
    return kExitFailure;
  }
  const QString fld2 = QCoreApplication::applicationDirPath() + QStringLiteral("/fld2");
  if (!QFileInfo(fld2).isDir()) {
    err << "moraku-db render: image folder not found: " << fld2 << "\n";
    return kExitFailure;
  }

  RecordingControls controls;
  ImageStore images(fld2);
  JosekiSession session(controls, images);
  session.state.SectionIndex = r.section;
  if (const QString problem = OpenSection(session, r.db); !problem.isEmpty()) {
    err << "moraku-db render: " << problem << "\n";
    return kExitFailure;
  }
  const int count = session.state.Entries.Count();
  if (r.entry > count) {
    err << "moraku-db render: section " << r.section << " has " << count
        << " entries; there is no entry " << r.entry << "\n";
    return kExitFailure;
  }
  SelectListRow(session, r.entry - 1);

  if (r.recordMove >= 0) {
    const JosekiState& s = session.state;
    const int moves = RecordMoveCount(s.RecordMoves);
    if (s.RecordMoves.isEmpty()) {
      err << "moraku-db render: entry " << r.entry << " has no record\n";
      return kExitFailure;
    }
    if (r.recordMove > moves) {
      err << "moraku-db render: the record of entry " << r.entry << " has " << moves
          << " moves; there is no move " << r.recordMove << "\n";
      return kExitFailure;
    }
    session.state.TargetMove = r.recordMove;
    ClearRecordBoard(session);
    ReplayRecord(session, session.state.TargetMove);
  }

  // Written beside the target and renamed over it, so a failed write (a full disk) leaves no
  // truncated picture and is reported.
  QSaveFile file(r.out);
  if (!file.open(QIODevice::WriteOnly)) {
    err << "moraku-db render: cannot write " << r.out << ": " << file.errorString() << "\n";
    return kExitFailure;
  }
  QImageWriter writer(&file, "png");
  if (!writer.write(session.canvas.Display()) || !file.flush()) {
    const QString why =
        file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
    file.cancelWriting();
    err << "moraku-db render: cannot write " << r.out << ": " << why << "\n";
    return kExitFailure;
  }
  if (!file.commit()) {
    err << "moraku-db render: cannot write " << r.out << ": " << file.errorString() << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace moraku::cli
