// moraku-db next --db DB --section N POINTS...: the moves played next in the collection's
// corners after a sequence of points (as the search takes them), with how often, Black's
// winning share and the entry of the section each leads to.

#include <sqlite3.h>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include "board/coords.h"
#include "cli/commands.h"
#include "data/section_loader.h"
#include "data/sections.h"
#include "games/corner_sequence.h"
#include "games/game_store.h"

namespace moraku::cli {

namespace {

void PrintUsage(QTextStream& err) {
  err << "usage: moraku-db next --db DB --section 1|2|3 POINTS...\n"
      << "  POINTS: the moves in order from Black's first stone, each row,col (1-19) or ? for a\n"
      << "          move played elsewhere\n";
}

}  // namespace

int RunNext(const QStringList& args, QTextStream& out, QTextStream& err) {
  QString dbPath;
  int section = 0;
  QString stones;
  int color = games::kBlack;
  static const QRegularExpression point(QStringLiteral("^(\\d{1,2}),(\\d{1,2})$"));
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    bool ok = true;
    if (arg == QLatin1String("--db") && i + 1 < args.size()) {
      dbPath = args[++i];
    } else if (arg == QLatin1String("--section") && i + 1 < args.size()) {
      section = args[++i].toInt(&ok);
      ok = ok && FindSection(section) != nullptr;
    } else if (arg == QLatin1String("?")) {
      stones += QLatin1String("???");
      color = 3 - color;
    } else if (const QRegularExpressionMatch m = point.match(arg); m.hasMatch()) {
      const int row = m.captured(1).toInt();
      const int col = m.captured(2).toInt();
      ok = row >= 1 && row <= kBoardSize && col >= 1 && col <= kBoardSize;
      stones += CharFromCoord(row);
      stones += CharFromCoord(col);
      stones += QChar(u'0' + color);
      color = 3 - color;
    } else {
      ok = false;
    }
    if (!ok) {
      PrintUsage(err);
      return 2;
    }
  }
  if (dbPath.isEmpty() || section == 0 || stones.isEmpty()) {
    PrintUsage(err);
    return 2;
  }
  const SectionLoad load = LoadSection(dbPath, section);
  if (!load.error.isEmpty()) {
    err << "moraku-db: " << load.error << "\n";
    return 1;
  }
  // The entries by their corner key: a continuation that completes one leads to it.
  QHash<QString, QString> entryOfKey;
  for (int k = 1; k <= load.table.Count(); ++k) {
    const QString key =
        games::EntryCornerKey(load.table.records[static_cast<std::size_t>(k) - 1].stones);
    if (!entryOfKey.contains(key))
      entryOfKey.insert(key, load.table.entries[static_cast<std::size_t>(k)].title);
  }
  sql::Database db;
  if (db.Open(dbPath, SQLITE_OPEN_READONLY) != SQLITE_OK) {
    err << "moraku-db: " << dbPath << ": " << db.ErrorText() << "\n";
    return 1;
  }
  const QString prefix = games::EntryCornerKey(stones);
  const std::vector<games::Continuation> next = games::FindContinuations(db, prefix);
  out << next.size() << (next.size() == 1 ? " continuation" : " continuations") << "\n";
  for (const games::Continuation& c : next) {
    const int row = CoordFromChar(QStringView(c.triple).first(1));
    const int col = CoordFromChar(QStringView(c.triple).sliced(1, 1));
    const bool black = c.triple.at(2) == QLatin1Char('2');
    out << row << "," << col << "\t" << (black ? "B" : "W") << "\t" << c.count << "\t";
    if (c.decided > 0)
      out << QString::number(100.0 * c.blackWins / c.decided, 'f', 0) << "% B";
    else
      out << "-";
    const auto entry = entryOfKey.constFind(prefix + c.triple);
    if (entry != entryOfKey.constEnd()) out << "\t" << entry.value();
    out << "\n";
  }
  return 0;
}

}  // namespace moraku::cli
