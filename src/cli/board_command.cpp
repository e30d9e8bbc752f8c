// moraku-db board: the record board after replaying a record text, as text.

#include "board/capture_grid.h"
#include "cli/commands.h"
#include "joseki/record_text.h"

namespace moraku::cli {

namespace {

void Usage(QTextStream& err) {
  err << "usage: moraku-db board --record TEXT [--to M]\n";
}

}  // namespace

int RunBoard(const QStringList& args, QTextStream& out, QTextStream& err) {
  QString record;
  bool haveRecord = false;
  int to = -1;  // -1: every move of the record
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& option = args[i];
    if (i + 1 >= args.size()) {
      err << "moraku-db board: option " << option << " needs a value\n";
      Usage(err);
      return 2;
    }
    const QString& value = args[++i];
    if (option == QLatin1String("--record")) {
      record = value;
      haveRecord = true;
    } else if (option == QLatin1String("--to")) {
      bool ok = false;
      to = value.toInt(&ok);
      if (!ok || to < 0) {
        err << "moraku-db board: --to needs a move number, not '" << value << "'\n";
        Usage(err);
        return 2;
      }
    } else {
      err << "moraku-db board: unknown option '" << option << "'\n";
      Usage(err);
      return 2;
    }
  }
  if (!haveRecord) {
    err << "moraku-db board: --record is required\n";
    Usage(err);
    return 2;
  }
  const std::optional<RecordParts> parts = SplitRecordText(record);
  if (!parts) {
    err << "moraku-db board: not a record text (expected CAPTION|FIRST/LAST|MOVES): " << record
        << "\n";
    return 1;
  }
  const int moves = RecordMoveCount(parts->moves);
  if (to > moves) {
    err << "moraku-db board: the record has " << moves << " moves; there is no move " << to << "\n";
    return 1;
  }
  if (to < 0) to = moves;

  CaptureGrid grid;
  for (int m = 1; m <= to; ++m) {
    const RecordPoint p = RecordMoveAt(parts->moves, m);
    if (p.row == 0 || p.col == 0) continue;  // a move without a point is only counted
    const int colour = m % 2 != 0 ? 1 : 2;
    grid.Place(p.col, p.row, colour);
    grid.Capture(p.col, p.row, colour, {});
  }
  for (int row = 1; row <= 19; ++row) {
    QString line;
    for (int col = 1; col <= 19; ++col) {
      const int v = grid.At(col, row);
      line += v == 0 ? QChar(u'.') : v % 2 != 0 ? QChar(u'X') : QChar(u'O');
    }
    out << line << "\n";
  }
  return 0;
}

}  // namespace moraku::cli
