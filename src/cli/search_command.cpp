// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db search: enters the points as clicks on the record board and searches the section as
// the joseki window does.

#include <QCoreApplication>
#include <QRegularExpression>
#include <optional>
#include <vector>

#include "board/coords.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "data/section_loader.h"
#include "data/sections.h"
#include "joseki/joseki_controls.h"
#include "joseki/joseki_session.h"
#include "joseki/recording_controls.h"
#include "search/search_input.h"
#include "search/search_run.h"
#include "search/search_scan.h"

namespace moraku::cli {

namespace {

// A clicked point of the record board; a tenuki is clicked on row 10, column 17.
std::optional<BoardPoint> ParsePoint(const QString& text) {
  if (text == QLatin1String("?")) return BoardPoint{10, 17};
  static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}),(\\d{1,2})$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  const int row = match.captured(1).toInt();
  const int col = match.captured(2).toInt();
  if (row < 1 || row > kBoardSize || col < 1 || col > kBoardSize) return std::nullopt;
  return BoardPoint{row, col};
}

// The image folder beside the program; drawing there only mirrors the window, the texts do not
// depend on it.
QString ImageFolder() {
  if (QCoreApplication::instance() == nullptr) return QString();
  return QCoreApplication::applicationDirPath() + QStringLiteral("/fld2");
}

QString OneLine(QString message) {
  return message.replace(QStringLiteral("\r\n"), "\n");
}

}  // namespace

int RunSearch(const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandLine line(QStringLiteral("search"),
                   QStringLiteral("Searches a section as the joseki window does."),
                   QStringLiteral("POINTS..."));
  line.AddValueOption(QStringLiteral("db"), QStringLiteral("DB"),
                      QStringLiteral("The joseki database."));
  line.AddSectionOption(QStringLiteral("The section:"));
  line.DescribeOperand(QStringLiteral("POINTS"),
                       QStringLiteral("The clicked points of the record board in order, each "
                                      "row,col (1-19) or ? for a move played elsewhere."));
  if (const std::optional<int> status =
          line.Parse(args, out, err, 1, -1, {QStringLiteral("db"), QStringLiteral("section")})) {
    return *status;
  }
  const std::optional<int> section = ParseSection(line.Value(QStringLiteral("section")));
  if (!section) return line.UsageError(err, SectionProblem(line.Value(QStringLiteral("section"))));
  std::vector<BoardPoint> points;
  for (const QString& operand : line.Operands()) {
    const std::optional<BoardPoint> point = ParsePoint(operand);
    if (!point) return line.UsageError(err, QStringLiteral("'%1' is not a point").arg(operand));
    points.push_back(*point);
  }
  const QString db = line.Value(QStringLiteral("db"));

  RecordingControls controls;
  ImageStore images(ImageFolder());
  JosekiSession session(controls, images);
  session.state.SectionIndex = *section;
  session.state.NoBoardInput = false;

  // Enter the points as clicks in the middle of their cells.
  for (const BoardPoint& p : points) {
    TrackPointer(session, CellX(Board::Record, p.col) + kCellWidth / 2,
                 CellY(p.row) + kCellHeight / 2);
    AddSearchStone(session);
    if (!controls.messages.isEmpty()) {
      err << OneLine(controls.messages.last()) << "\n";
      return kExitFailure;
    }
  }

  SectionLoad load = LoadSection(db, *section);
  if (!load.error.isEmpty()) {
    err << "moraku-db: " << load.error << "\n";
    return kExitFailure;
  }
  session.state.Entries = std::move(load.table);

  out << "search text: " << session.state.SearchText << "\n";
  out << "mirror text: " << session.state.MirrorText << "\n";
  moraku::RunSearch(session);
  const int dropped = session.state.DroppedStones;
  if (!controls.hitDeliveryTimerEnabled) {
    out << "dropped stones: " << dropped << "\n";
    err << OneLine(controls.messages.isEmpty() ? SearchFailureMessage(dropped)
                                               : controls.messages.last())
        << "\n";
    return kExitFailure;
  }

  const int entry = session.state.CurrentEntry - 1;
  const EntryTable& table = session.state.Entries;
  out << "entry: " << entry << "\n";
  if (entry >= 1 && entry <= table.Count()) {
    out << "key: " << table.records[static_cast<size_t>(entry - 1)].key << "\n";
    out << "title: " << table.entries[static_cast<size_t>(entry)].title << "\n";
  }
  out << "dropped stones: " << dropped << "\n";
  out << "message: " << OneLine(SearchSuccessMessage(dropped)) << "\n";
  return kExitOk;
}

}  // namespace moraku::cli
