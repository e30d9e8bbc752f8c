// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db import-sgf and export-sgf, driven through their command functions.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <iostream>

#include "cli/commands.h"
#include "data/section_loader.h"
#include "data/sqlite_db.h"
#include "gocs_fixture.h"
#include "temporary_database.h"
#include "test_paths.h"

namespace moraku {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The fields of a row of gocs, in table order, one string per row (id order).
QStringList Rows(const QString& db) {
  sql::Database d;
  if (d.Open(db, SQLITE_OPEN_READONLY) != SQLITE_OK) return {"cannot open"};
  sql::Statement s;
  if (s.Prepare(d, "SELECT * FROM gocs ORDER BY id") != SQLITE_OK) return {"cannot read"};
  QStringList rows;
  while (s.Step() == sql::StepResult::Row) {
    QStringList fields;
    for (int i = 0; i < s.ColumnCount(); ++i) fields << s.ColumnText(i);
    rows << fields.join(u'|');
  }
  return rows;
}

class SgfCommandTest : public ::testing::Test {
 protected:
  QString PathOf(const QString& name) const { return dir_.filePath(name); }

  QString Write(const QString& name, const QByteArray& bytes) {
    QFile f(PathOf(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
  }

  int Import(QStringList args) { return Run(cli::RunImportSgf, args); }
  int Export(QStringList args) { return Run(cli::RunExportSgf, args); }

  int Run(int (*command)(const QStringList&, QTextStream&, QTextStream&), const QStringList& args) {
    out_.clear();
    err_.clear();
    QTextStream out(&out_);
    QTextStream err(&err_);
    const int status = command(args, out, err);
    out.flush();
    err.flush();
    return status;
  }

  QTemporaryDir dir_;
  QString out_;
  QString err_;
};

TEST_F(SgfCommandTest, ImportNumbersRowsAfterTheLastAndSkipsLinesTheSectionHoldsInAnyForm) {
  const QString db = PathOf("goc.db");
  test::NullableRow listed = test::Row("listed", "0A0000");
  listed.stones = "442361";
  test::NullableRow starOnly = test::Row("star only", "1B0000");
  starOnly.stones = "442331";
  test::NullableRow earlier = test::Row("earlier import", "1S000007");
  earlier.stones = "442391";
  ASSERT_TRUE(test::WriteGocs(db, {listed, starOnly, earlier}));

  const QString file = Write("a.sgf",
                             "(;GM[1]GN[Book]"
                             "(;B[dd];W[fc])"           // listed in section 1 already
                             "(;B[pd];W[qf])"           // the same line mirrored: listed too
                             "(;B[dd];W[cc])"           // listed only in section 2: added
                             "(;B[dd];W[cc])"           // the same path again: repeated
                             "(;B[dd];W[cc]N[titled])"  // the same stones, titled: added
                             "(;B[cd];W[fc])"           // not on a 4-4 point
                             "(;W[dd]))");              // White first
  ASSERT_EQ(Import({file, "--db", db, "--section", "1"}), 0) << err_.toStdString();
  EXPECT_EQ(out_,
            file + QStringLiteral(": UTF-8\n"
                                  "goc.db: 2 added, 2 already present, 1 repeated in the import\n"
                                  "not starting on the section's opening point: 1 paths skipped\n"
                                  "starting with White: 1 paths skipped\n"
                                  "1 files imported, 0 skipped\n"));
  const QStringList rows = Rows(db);
  ASSERT_EQ(rows.size(), 5);
  EXPECT_EQ(rows[3], QStringLiteral("4|0||1|星・三々入り|Book||442331||0S000008"));
  EXPECT_EQ(rows[4], QStringLiteral("5|0||1|titled|Book||442331||0S000009"));

  // In section 2 the 3-3 lines are there already and the approach is new (once).
  ASSERT_EQ(Import({file, "--db", db, "--section", "2"}), 0) << err_.toStdString();
  EXPECT_TRUE(out_.contains("\ngoc.db: 1 added, 3 already present, 1 repeated"))
      << out_.toStdString();
  EXPECT_EQ(Rows(db).back(), QStringLiteral("6|0||1|星・小ゲイマガカリ|Book||442361||1S000010"));
}

// Untitled lines are named from their moves in the stored orientation; a line the namer cannot
// name keeps the numbered title.
TEST_F(SgfCommandTest, ImportNamesUntitledLinesFromTheirMoves) {
  const QString db = PathOf("goc.db");
  const QString file = Write("a.sgf",
                             "(;GM[1]"
                             "(;B[pd];W[qf];B[qj])"  // upper right, approach from the right
                             "(;B[dd];W[qq]))");     // no approach to the corner
  ASSERT_EQ(Import({file, "--db", db, "--section", "2"}), 0) << err_.toStdString();
  const QStringList rows = Rows(db);
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[0], QStringLiteral("1|0||1|小ゲイマガカリ・三間バサミ|||4423613A2||1S000001"));
  EXPECT_EQ(rows[1], QStringLiteral("2|0||1|SGF 2|||442HH1||1S000002"));
}

// A folder stands for its *.sgf files, its subfolders' too, read in one import; a folder
// without any is reported and counted as a file skipped.
TEST_F(SgfCommandTest, FoldersAreSearchedRecursivelyForSgfFiles) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("book/deep")));
  ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("empty")));
  Write("book/a.sgf", "(;B[dd];W[fc])");
  Write("book/deep/b.SGF", "(;B[dd];W[cc])");
  Write("book/notes.txt", "(;B[dd];W[fd])");
  const QString db = PathOf("goc.db");
  ASSERT_EQ(Import({PathOf("book"), "--db", db, "--section", "2"}), 0) << err_.toStdString();
  EXPECT_TRUE(out_.contains(QStringLiteral("goc.db: 2 added,"))) << out_.toStdString();
  EXPECT_TRUE(out_.endsWith(QStringLiteral("2 files imported, 0 skipped\n"))) << out_.toStdString();

  EXPECT_EQ(Import({PathOf("empty"), PathOf("book"), "--db", db, "--section", "2"}), 1);
  EXPECT_TRUE(err_.contains(QStringLiteral("empty: no *.sgf files"))) << err_.toStdString();
  EXPECT_TRUE(out_.endsWith(QStringLiteral("2 files imported, 1 skipped\n"))) << out_.toStdString();
  EXPECT_EQ(Rows(db).size(), 2);
}

TEST_F(SgfCommandTest, ABadFileIsNamedAndSkippedAndStrictKeepsTheDatabaseUnchanged) {
  const QString db = PathOf("goc.db");
  ASSERT_TRUE(test::WriteGocs(db, {test::Row("one", "0A0000")}));
  const QByteArray before = ReadAll(db);
  const QString good = Write("good.sgf", "(;B[dd];W[fc])");
  const QString bad = Write("bad.sgf", "(;B[dd]\n;W[fc]C[unclosed)\n");
  const QString offBoard = Write("off.sgf", "(;B[dd]\n;W[zz])");

  EXPECT_EQ(Import({good, bad, "--db", db, "--section", "1", "--strict"}), 1);
  EXPECT_TRUE(err_.contains("bad.sgf:2:8: the value opened here has no ']'")) << err_.toStdString();
  EXPECT_EQ(Import({good, offBoard, "--db", db, "--section", "1", "--strict"}), 1);
  EXPECT_TRUE(err_.contains("off.sgf:2:4:")) << err_.toStdString();
  EXPECT_EQ(Import({PathOf("missing.sgf"), "--db", db, "--section", "1"}), 1);
  for (const char* section : {"0", "4", "x"}) {
    EXPECT_EQ(Import({good, "--db", db, "--section", section}), 2);
  }
  // Preset counts the checker would refuse are usage errors.
  for (const char* preset : {"0", "2", "20", "-1"}) {
    EXPECT_EQ(Import({good, "--db", db, "--section", "1", "--preset", preset}), 2);
  }
  EXPECT_EQ(ReadAll(db), before);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{"bad.sgf", "goc.db", "good.sgf", "off.sgf"}));

  // Without --strict the good file goes in, the bad ones are named, and the status says so.
  EXPECT_EQ(Import({bad, good, offBoard, "--db", db, "--section", "1"}), 1);
  EXPECT_TRUE(out_.endsWith("1 files imported, 2 skipped\n")) << out_.toStdString();
  EXPECT_TRUE(err_.contains("bad.sgf:2:8:") && err_.contains("off.sgf:2:4:")) << err_.toStdString();
  EXPECT_EQ(Rows(db).size(), 2);
}

TEST_F(SgfCommandTest, ImportIntoANewFileMakesTheDatabase) {
  const QString db = PathOf("new.db");
  const QString file = Write("a.sgf", "(;B[dd];W[fc];B[cf];W[]N[x])");
  ASSERT_EQ(Import({file, "--db", db, "--section", "2", "--preset", "3"}), 0) << err_.toStdString();
  EXPECT_EQ(Rows(db), QStringList{"1|0||3|x|||442361632???||1S000001"});
}

// A small table holding the awkward shapes: an entry that is the beginning of another, two
// entries with the same stones, a tenuki, markers of every kind, text that needs escapes, a
// record, an unlisted entry and a 3-4 point line.
TEST_F(SgfCommandTest, ExportWritesEveryColumnAndImportGivesTheSameRowsBack) {
  const QString db = PathOf("goc.db");
  auto row = [](const char* title, const char* five, const char* stones, const char* preset) {
    test::NullableRow r = test::Row(QString::fromUtf8(title), five);
    r.stones = stones;
    r.preset = preset;
    return r;
  };
  test::NullableRow shortLine = row("short", "0A0000", "442361", "1");
  shortLine.comment = "ends where the long one goes on";
  test::NullableRow longLine = row("long [a\\b]", "0A0001", "442361632", "1");
  longLine.marks = "63a35b342461";
  longLine.ref = "ref ] \\";
  longLine.record = "cap|1/2|4436";
  test::NullableRow twin = row("twin", "0A0002", "442361632", "1");
  twin.comment = "same stones, other words";
  twin.one = "1";
  test::NullableRow tenuki = row("tenuki", "0A0003", "442???742331342", "3");
  tenuki.comment = "line one\nline two";
  test::NullableRow threeFour = row("3-4", "2A0000", "342531", "1");
  ASSERT_TRUE(test::WriteGocs(db, {shortLine, longLine, twin, tenuki, threeFour}));

  const QString sgfPath = PathOf("out.sgf");
  ASSERT_EQ(Export({"--db", db, "--out", sgfPath}), 0) << err_.toStdString();
  EXPECT_EQ(out_, QStringLiteral("out.sgf: 5 entries written\n"));
  const QString text = QString::fromUtf8(ReadAll(sgfPath));
  EXPECT_EQ(text, QStringLiteral(
                      "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[Moraku]GN[置碁の部]\n;B[dd]\n"
                      "(;W[fc]N[short]C[ends where the long one goes on]MKCODE[0A0000]MKID[1]"
                      ";B[cf]N[long [a\\\\b\\]]LB[cf:A][ec:B][dc:●][fd:○]MKCODE[0A0001]MKID[2]"
                      "MKREF[ref \\] \\\\]MKRECORD[cap|1/2|4436]"
                      ";N[twin]C[same stones, other words]MKCODE[0A0002]MKID[3]MKONE[1])\n"
                      "(;W[];B[dg];W[cc];B[dc]N[tenuki]C[line one\nline two]MKCODE[0A0003]MKID[4]"
                      "MKPRESET[3]))\n"
                      "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[Moraku]GN[小目の部]\n"
                      ";B[dc];W[ce]N[3-4]MKCODE[2A0000]MKID[5])\n"));

  const QString copy = PathOf("copy.db");
  ASSERT_EQ(Import({sgfPath, "--db", copy}), 0) << err_.toStdString();
  EXPECT_EQ(Rows(copy), Rows(db));
  // Imported again, every row is there already.
  ASSERT_EQ(Import({sgfPath, "--db", copy}), 0) << err_.toStdString();
  EXPECT_TRUE(out_.contains("\ncopy.db: 0 added, 5 already present")) << out_.toStdString();

  // A taken id with other content is a fault that names the entry and changes nothing.
  const QByteArray before = ReadAll(copy);
  const QString clash = Write("clash.sgf", "(;B[dd]\n;W[cc]N[other]MKCODE[1X]MKID[2])");
  EXPECT_EQ(Import({clash, "--db", copy}), 1);
  EXPECT_TRUE(err_.contains("clash.sgf:2:1: id 2 of \"other\" is taken by \"long [a\\b]\""))
      << err_.toStdString();
  EXPECT_EQ(ReadAll(copy), before);
}

TEST_F(SgfCommandTest, ExportsTheThreeFourSectionFromItsOpeningStone) {
  const QString db = PathOf("goc.db");
  test::NullableRow pincer = test::Row(QStringLiteral("一間低バサミ"), "2A0100");
  pincer.stones = "342531732";
  test::NullableRow star = test::Row(QStringLiteral("star"), "1A0100");
  star.stones = "442361";
  ASSERT_TRUE(test::WriteGocs(db, {pincer, star}));
  const QString sgfPath = PathOf("komoku.sgf");
  ASSERT_EQ(Export({"--db", db, "--section", "3", "--out", sgfPath}), 0) << err_.toStdString();
  EXPECT_EQ(out_, QStringLiteral("komoku.sgf: 1 entries written\n"));
  const QString text = QString::fromUtf8(ReadAll(sgfPath));
  EXPECT_TRUE(text.contains("GN[小目の部]"));
  EXPECT_TRUE(text.contains(";B[dc];W[ce];B[cg]N[一間低バサミ]")) << text.toStdString();
  EXPECT_FALSE(text.contains("B[dd]"));
}

TEST_F(SgfCommandTest, TheShippedTableSurvivesExportAndImportRowForRow) {
  const QStringList original = Rows(test::ShippedDatabase());
  ASSERT_FALSE(original.isEmpty());
  // Each section alone, then the whole table from several files at once.
  QStringList files;
  for (const int section : {1, 2, 3}) {
    SCOPED_TRACE(section);
    const QString sgfPath = PathOf(QStringLiteral("section%1.sgf").arg(section));
    ASSERT_EQ(Export({"--db", test::ShippedDatabase(), "--section", QString::number(section),
                      "--out", sgfPath}),
              0)
        << err_.toStdString();
    EXPECT_TRUE(err_.isEmpty()) << err_.toStdString();
    const QString copy = PathOf(QStringLiteral("copy%1.db").arg(section));
    const QString code = QString::number(section - 1);
    const QStringList own = original.filter(QRegularExpression("\\|" + code + "[^|]*$"));
    if (own.isEmpty()) continue;  // a section the shipped table does not fill yet
    files << sgfPath;
    ASSERT_EQ(Import({sgfPath, "--db", copy}), 0) << err_.toStdString();
    EXPECT_EQ(Rows(copy), own);
  }
  const QString whole = PathOf("whole.db");
  ASSERT_EQ(Import(files + QStringList{"--db", whole}), 0) << err_.toStdString();
  QStringList copied = Rows(whole);
  QStringList expected = original;
  std::sort(copied.begin(), copied.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(copied, expected);
}

// Writes a complete tree of the given branching below the 4-4 stone: every node has a comment
// and every leaf a name. Returns the number of nodes written.
int WriteBranches(QByteArray& out, int depth, int branching, bool black, QByteArray& name) {
  if (depth == 0) {
    out += "N[" + name + "]";
    return 0;
  }
  int nodes = 0;
  for (int b = 0; b < branching; ++b) {
    // Distinct points for the children of one node; repeated points along a path do not matter.
    const char col = static_cast<char>('a' + (depth + b) % 19);
    const char row = static_cast<char>('a' + (depth * 3 + b * 7) % 19);
    out += QByteArray("\n(;") + (black ? "B[" : "W[") + col + row + "]C[comment " +
           QByteArray::number(depth) + "]";
    name += char('0' + b);
    nodes += 1 + WriteBranches(out, depth - 1, branching, !black, name);
    name.chop(1);
    out += ")";
  }
  return nodes;
}

// A complete tree of depth `depth` and the given branching below the 4-4 stone.
QByteArray LargeTree(int depth, int branching, int* nodes, int* leaves) {
  QByteArray text = "(;GM[1]FF[4]CA[UTF-8]SZ[19];B[dd]";
  QByteArray name;
  *nodes = 2 + WriteBranches(text, depth, branching, false, name);
  text += ")";
  *leaves = 1;
  for (int i = 0; i < depth; ++i) *leaves *= branching;
  return text;
}

TEST_F(SgfCommandTest, ALargeTreeImportsCompletely) {
  int nodes = 0;
  int leaves = 0;
  const QByteArray text = LargeTree(9, 3, &nodes, &leaves);
  const QString file = Write("large.sgf", text);
  const QString db = PathOf("large.db");
  QElapsedTimer timer;
  timer.start();
  ASSERT_EQ(Import({file, "--db", db, "--section", "2"}), 0) << err_.toStdString();
  const qint64 ms = timer.elapsed();
  EXPECT_TRUE(out_.contains(QStringLiteral("\nlarge.db: %1 added, 0 already present").arg(leaves)))
      << out_.toStdString();
  std::cout << "[ measure  ] import of " << nodes << " nodes (" << text.size() / 1024 << " KiB, "
            << leaves << " entries): " << ms << " ms\n";
  EXPECT_EQ(LoadSection(db, 2).table.Count(), leaves);
}

// The tool killed at any moment of an import leaves either the old database or the old one with
// every new entry: never a part of them, never a damaged file. The kills land before the
// temporary file exists, as soon as it exists, and while rows are written into it.
TEST_F(SgfCommandTest, KillingTheToolMidImportNeverDamagesTheDatabase) {
  const QString db = PathOf("goc.db");
  ASSERT_TRUE(test::WriteGocs(db, {test::Row("old", "0A0000")}));
  const QByteArray before = ReadAll(db);
  int nodes = 0;
  int leaves = 0;
  const QString file = Write("large.sgf", LargeTree(9, 3, &nodes, &leaves));

  const auto temporarySize = [this] { return test::LargestTemporaryDatabaseSize(dir_.path()); };
  for (const qint64 killAtSize : {qint64{-1}, qint64{0}, qint64{1} << 19}) {
    SCOPED_TRACE(killAtSize);
    QProcess tool;
    tool.start(test::DbTool(), {"import-sgf", file, "--db", db, "--section", "1"});
    ASSERT_TRUE(tool.waitForStarted());
    while (killAtSize >= 0 && temporarySize() < killAtSize && !tool.waitForFinished(1)) {
    }
    tool.kill();
    tool.waitForFinished();
    const SectionLoad load = LoadSection(db, kHandicapSection);
    ASSERT_TRUE(load.error.isEmpty()) << load.error.toStdString();
    if (ReadAll(db) == before) {
      EXPECT_EQ(load.table.Count(), 1);
    } else {
      EXPECT_EQ(load.table.Count(), 1 + leaves);  // the import finished before the kill
      ASSERT_TRUE(QFile::remove(db));
      ASSERT_TRUE(test::WriteGocs(db, {test::Row("old", "0A0000")}));
    }
  }
}

}  // namespace
}  // namespace moraku
