// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db import-games, games and next on files and folders made here.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "cli/commands.h"
#include "data/section_loader.h"
#include "games/corner_sequence.h"
#include "games_test_support.h"
#include "test_paths.h"

namespace moraku {
namespace {

using test::HandGame;
using test::kElsewhere;

bool Write(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

struct CommandRun {
  int status = 0;
  QString out, err;
};

CommandRun Command(int (*command)(const QStringList&, QTextStream&, QTextStream&),
                   const QStringList& args) {
  CommandRun run;
  QTextStream out(&run.out);
  QTextStream err(&run.err);
  run.status = command(args, out, err);
  out.flush();
  err.flush();
  return run;
}

// Everything the window shows of each entry of a section, one string per entry.
QStringList SectionContent(const QString& db, int section) {
  const SectionLoad load = LoadSection(db, section);
  QStringList rows{load.error};
  for (int k = 1; k <= load.table.Count(); ++k) {
    const Entry& e = load.table.entries[static_cast<std::size_t>(k)];
    rows << QStringList{e.title, e.preset, e.moves, e.record, e.comment}.join(u'|');
  }
  return rows;
}

class ImportGamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    db_ = dir_.filePath("goc.db");
    ASSERT_TRUE(QFile::copy(test::ShippedDatabase(), db_));
    QFile::setPermissions(db_, QFile::ReadOwner | QFile::WriteOwner);
  }
  QString Path(const QString& name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
  QString db_;
};

TEST_F(ImportGamesTest, CountsImportedDuplicateAndSkippedAndLeavesTheEntriesAlone) {
  const QStringList before = SectionContent(db_, 2);
  const QByteArray joseki =
      HandGame({{4, 4}, {3, 6}, {6, 3}, {2, 4}, {3, 3}, {3, 9}, kElsewhere}, {},
               QStringLiteral("PB[黒田]BR[5d]PW[白井]WR[6d]DT[2026-05-01]EV[例会]RE[B+R]"));
  ASSERT_TRUE(Write(Path("games/a.sgf"), joseki));
  // The same moves under other names, in a nested folder: a duplicate.
  ASSERT_TRUE(Write(Path("games/deeper/copy.SGF"),
                    HandGame({{4, 4}, {3, 6}, {6, 3}, {2, 4}, {3, 3}, {3, 9}, kElsewhere}, {},
                             QStringLiteral("PB[other]"))));
  // Two games in one file, one of them on a 13 x 13 board.
  ASSERT_TRUE(Write(
      Path("games/two.sgf"),
      HandGame({{4, 4}, {3, 3}, {3, 4}}, {games::CornerTurn{2, false}}) + "(;SZ[13];B[dd];W[jj])"));
  ASSERT_TRUE(Write(Path("games/broken.sgf"), "(;SZ[19];B[dd];W[pp"));
  ASSERT_TRUE(Write(Path("games/off.sgf"), "(;SZ[19];B[dd];W[zz])"));
  ASSERT_TRUE(Write(Path("games/notes.txt"), "(;B[aa])"));  // not an .sgf file: not read

  const CommandRun import =
      Command(cli::RunImportGames, {Path("games"), QStringLiteral("--db"), db_});
  EXPECT_EQ(import.status, 0) << import.err.toStdString();
  EXPECT_EQ(import.out, QStringLiteral("goc.db: 2 imported, 1 duplicate, 3 skipped (1 a move off "
                                       "the board, 1 not 19 x 19, 1 not SGF)\n"));
  EXPECT_TRUE(import.err.contains(QStringLiteral("broken.sgf"))) << import.err.toStdString();
  EXPECT_EQ(SectionContent(db_, 2), before);

  // Importing again adds nothing.
  const CommandRun again = Command(cli::RunImportGames, {Path("games/a.sgf"), "--db", db_});
  EXPECT_TRUE(again.out.startsWith(QStringLiteral("goc.db: 0 imported, 1 duplicate")));

  const CommandRun list = Command(cli::RunGames, {"--db", db_});
  EXPECT_EQ(list.out.count(u'\n'), 2);
  EXPECT_TRUE(list.out.contains(QStringLiteral("黒田 5d - 白井 6d\t2026-05-01\tB+R\t例会")))
      << list.out.toStdString();

  // The entry of the star-point section that this game's upper-left corner played: its listing
  // names the file, the corner and the move where the joseki began (the approach, move 2).
  const SectionLoad star = LoadSection(db_, 2);
  const QString gameKey = games::EntryCornerKey(QStringLiteral("442361632241332391"));
  int entry = 0;
  for (int k = 1; k <= star.table.Count() && entry == 0; ++k) {
    const QString key = games::EntryCornerKey(star.table.records[k - 1].stones);
    if (key.size() > 3 && gameKey.startsWith(key)) entry = k;
  }
  ASSERT_NE(entry, 0);
  const CommandRun games =
      Command(cli::RunGames, {"--db", db_, "--entry", QString::number(entry), "--section", "2"});
  EXPECT_TRUE(games.out.contains(QStringLiteral(": 1 game\n"))) << games.out.toStdString();
  EXPECT_TRUE(
      games.out.contains(QStringLiteral("a.sgf\t黒田 5d - 白井 6d\t2026-05-01\tB+R\t左上\tmove 2")))
      << games.out.toStdString();

  const CommandRun next = Command(cli::RunNext, {"--db", db_, "--section", "2", "4,4", "3,6"});
  EXPECT_EQ(next.status, 0);
  EXPECT_TRUE(next.out.startsWith(QStringLiteral("1 continuation\n6,3\tB\t1\t100% B")))
      << next.out.toStdString();

  const CommandRun removed = Command(cli::RunGames, {"--db", db_, "--remove", "1", "99"});
  EXPECT_EQ(removed.out, QStringLiteral("1 removed\n"));
  EXPECT_EQ(Command(cli::RunGames, {"--db", db_, "--count"}).out, QStringLiteral("1\n"));
  EXPECT_EQ(SectionContent(db_, 2), before);
}

TEST_F(ImportGamesTest, ADatabaseWithoutTheCollectionReadsAsEmpty) {
  EXPECT_EQ(Command(cli::RunGames, {"--db", db_, "--count"}).out, QStringLiteral("0\n"));
  const CommandRun entry = Command(cli::RunGames, {"--db", db_, "--entry", "1", "--section", "2"});
  EXPECT_EQ(entry.status, 0);
  EXPECT_TRUE(entry.out.endsWith(QStringLiteral(": 0 games\n"))) << entry.out.toStdString();
  // A batch of nothing but bad files still succeeds and leaves the entries as they were.
  ASSERT_TRUE(Write(Path("bad.sgf"), "not a game record"));
  const CommandRun import =
      Command(cli::RunImportGames, {Path("bad.sgf"), Path("gone.sgf"), "--db", db_});
  EXPECT_EQ(import.status, 0);
  EXPECT_TRUE(import.out.contains(QStringLiteral("0 imported, 0 duplicate, 2 skipped")));
}

}  // namespace
}  // namespace moraku
