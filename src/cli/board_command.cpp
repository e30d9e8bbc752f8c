// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db board: the record board after replaying a record text, as text.

#include "board/capture_grid.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "joseki/record_text.h"

namespace moraku::cli {

int RunBoard(const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandLine line(QStringLiteral("board"),
                   QStringLiteral("Prints the record board after replaying a record text."));
  line.AddValueOption(QStringLiteral("record"), QStringLiteral("TEXT"),
                      QStringLiteral("The record text CAPTION|FIRST/LAST|MOVES."));
  line.AddValueOption(QStringLiteral("to"), QStringLiteral("M"),
                      QStringLiteral("Replay up to move M (default: every move)."));
  if (const std::optional<int> status =
          line.Parse(args, out, err, 0, 0, {QStringLiteral("record")})) {
    return *status;
  }
  const QString record = line.Value(QStringLiteral("record"));
  int to = -1;  // -1: every move of the record
  if (line.IsSet(QStringLiteral("to"))) {
    const std::optional<qint64> m = ParseNumber(line.Value(QStringLiteral("to")), 0, 1 << 20);
    if (!m) {
      return line.UsageError(err, QStringLiteral("--to needs a move number, not '%1'")
                                      .arg(line.Value(QStringLiteral("to"))));
    }
    to = static_cast<int>(*m);
  }
  const std::optional<RecordParts> parts = SplitRecordText(record);
  if (!parts) {
    err << "moraku-db board: not a record text (expected CAPTION|FIRST/LAST|MOVES): " << record
        << "\n";
    return kExitFailure;
  }
  const int moves = RecordMoveCount(parts->moves);
  if (to > moves) {
    err << "moraku-db board: the record has " << moves << " moves; there is no move " << to << "\n";
    return kExitFailure;
  }
  if (to < 0) to = moves;

  CaptureGrid grid;
  for (int m = 1; m <= to; ++m) {
    const BoardPoint p = RecordMoveAt(parts->moves, m);
    if (p.row == 0 || p.col == 0) continue;  // a move without a point is only counted
    grid.Place(p, ColorOfNumber(m));
    grid.Capture(p, ColorOfNumber(m), {});
  }
  for (int row = 1; row <= 19; ++row) {
    QString rowText;
    for (int col = 1; col <= 19; ++col) {
      const int v = grid.At(row, col);
      rowText += v == 0 ? QChar(u'.') : v % 2 != 0 ? QChar(u'X') : QChar(u'O');
    }
    out << rowText << "\n";
  }
  return kExitOk;
}

}  // namespace moraku::cli
