// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db next --db DB --section N POINTS...: the moves played next in the collection's
// corners after a sequence of points (as the search takes them), with how often, Black's
// winning share and the entry of the section whose line each follows.

#include <sqlite3.h>
#include <QFileInfo>
#include <QRegularExpression>
#include <chrono>

#include "board/coords.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "data/section_loader.h"
#include "data/sections.h"
#include "games/corner_sequence.h"
#include "games/game_store.h"
#include "games/next_moves.h"

namespace moraku::cli {

namespace {

constexpr std::chrono::milliseconds kReadBudget{30000};

}  // namespace

int RunNext(const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandLine line(QStringLiteral("next"),
                   QStringLiteral("Prints the moves the collection's games played next after a "
                                  "sequence, with how often, Black's winning share and the entry "
                                  "each leads to."),
                   QStringLiteral("POINTS..."));
  line.AddValueOption(QStringLiteral("db"), QStringLiteral("DB"),
                      QStringLiteral("The joseki database."));
  line.AddSectionOption(QStringLiteral("The section whose entries the moves lead to:"));
  line.DescribeOperand(QStringLiteral("POINTS"),
                       QStringLiteral("The moves in order from Black's first stone, each row,col "
                                      "(1-19) or ? for a move played elsewhere."));
  if (const std::optional<int> status =
          line.Parse(args, out, err, 1, -1, {QStringLiteral("db"), QStringLiteral("section")}))
    return *status;
  const std::optional<int> chosen = ParseSection(line.Value(QStringLiteral("section")));
  if (!chosen) return line.UsageError(err, SectionProblem(line.Value(QStringLiteral("section"))));
  const int section = *chosen;
  const QString dbPath = line.Value(QStringLiteral("db"));
  QString stones;
  int color = games::kBlack;
  static const QRegularExpression point(QStringLiteral("^(\\d{1,2}),(\\d{1,2})$"));
  for (const QString& arg : line.Operands()) {
    if (arg == QLatin1String("?")) {
      stones += QLatin1String("???");
    } else {
      const QRegularExpressionMatch m = point.match(arg);
      const int row = m.hasMatch() ? m.captured(1).toInt() : 0;
      const int col = m.hasMatch() ? m.captured(2).toInt() : 0;
      if (row < 1 || row > kBoardSize || col < 1 || col > kBoardSize)
        return line.UsageError(err, QStringLiteral("'%1' is not a point").arg(arg));
      stones += CharFromCoord(row);
      stones += CharFromCoord(col);
      stones += QChar(u'0' + color);
    }
    color = 3 - color;
  }
  const SectionLoad load = LoadSection(dbPath, section);
  if (!load.error.isEmpty()) {
    err << "moraku-db: " << load.error << "\n";
    return kExitFailure;
  }
  sql::Database db;
  if (db.OpenUntrusted(dbPath, kReadBudget) != SQLITE_OK) {
    err << "moraku-db: " << dbPath << ": " << db.ErrorText() << "\n";
    return kExitFailure;
  }
  games::EntryKeys keys;
  const std::vector<games::NextMove> next = games::FindNextMoves(db, stones, load.table, keys);
  if (db.TimedOut()) {
    err << "moraku-db: " << dbPath << ": reading the games took too long\n";
    return kExitFailure;
  }
  out << next.size() << (next.size() == 1 ? " continuation" : " continuations") << "\n";
  for (const games::NextMove& m : next) {
    out << m.point.row << "," << m.point.col << "\t" << (m.color == StoneColor::Black ? "B" : "W")
        << "\t" << m.count << "\t";
    if (m.decided > 0)
      out << QString::number(100.0 * m.blackWins / m.decided, 'f', 0) << "% B";
    else
      out << "-";
    if (m.entry > 0) out << "\t" << load.table.entries[static_cast<std::size_t>(m.entry)].title;
    out << "\n";
  }
  return kExitOk;
}

}  // namespace moraku::cli
