// Writers of the database never lose or corrupt an entry: concurrent imports, an old WAL file, a
// symbolic link in place of the database, the largest id, and a run stopped by a signal.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <memory>

#include "data/section_loader.h"
#include "hardening/hardening_support.h"
#include "temporary_database.h"

namespace moraku::test {
namespace {

using namespace hardening;

constexpr const char* kHeader = "id,one,marks,preset,title,ref,comment,stones,record,five\n";

// An SGF line that no other number gives: Black on the 4-4 point, then two moves from `n`.
QByteArray UniqueLine(int n) {
  QByteArray sgf("(;FF[4]SZ[19];B[dd];W[");
  sgf += static_cast<char>('a' + n % 19);
  sgf += "s];B[";
  sgf += static_cast<char>('a' + n / 19 % 19);
  sgf += "r]N[line ";
  sgf += QByteArray::number(n);
  sgf += "])";
  return sgf;
}

// The titles of section 2 of the database at `path` (a single "!error" when it cannot be read).
QSet<QString> Titles(const QString& path) {
  const SectionLoad load = LoadSection(path, kStarPointSection);
  if (!load.error.isEmpty()) return {QStringLiteral("!error ") + load.error};
  QSet<QString> titles;
  for (int k = 1; k <= load.table.Count(); ++k) titles.insert(load.table.entries[k].title);
  return titles;
}

class DatabaseWritersTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  QString Path(const QString& name) const { return dir_.filePath(name); }

  // goc.db from a CSV of `count` entries titled "csv 1".. in folder `folder` (default the root).
  void LoadEntries(const QString& db, int count, const QString& title = QStringLiteral("csv")) {
    QByteArray csv(kHeader);
    for (int i = 1; i <= count; ++i) {
      csv += QStringLiteral("%1,0,,1,%2 %1,,,442361,,1A%1\n").arg(i).arg(title).toUtf8();
    }
    ASSERT_TRUE(WriteBytes(Path("in.csv"), csv));
    const ToolRun run = RunTool({"load", Path("in.csv"), db});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  }
  ToolRun Import(int n, const QString& db) {
    const QString sgf = Path(QStringLiteral("line%1.sgf").arg(n));
    EXPECT_TRUE(WriteBytes(sgf, UniqueLine(n)));
    return RunTool({"import-sgf", sgf, "--db", db, "--section", "2"});
  }

  QTemporaryDir dir_;
};

// Eight imports at once, round after round: each adds its entry, none is lost. The rounds are
// few here; scripts/fuzz runs many (MORAKU_STRESS_ROUNDS).
TEST_F(DatabaseWritersTest, ConcurrentImportsLoseNothing) {
  constexpr int kWriters = 8;
  const int rounds = std::max(3, qEnvironmentVariableIntValue("MORAKU_STRESS_ROUNDS"));
  const QString db = Path("goc.db");
  LoadEntries(db, 3);
  QSet<QString> expected = Titles(db);
  for (int round = 0; round < rounds; ++round) {
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int w = 0; w < kWriters; ++w) {
      const int n = round * kWriters + w;
      const QString sgf = Path(QStringLiteral("line%1.sgf").arg(n));
      ASSERT_TRUE(WriteBytes(sgf, UniqueLine(n)));
      expected.insert(QStringLiteral("line %1").arg(n));
      auto& writer = writers.emplace_back(std::make_unique<QProcess>());
      writer->start(DbTool(), {"import-sgf", sgf, "--db", db, "--section", "2"});
    }
    for (auto& writer : writers) {
      ASSERT_TRUE(writer->waitForFinished(300000));
      EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().toStdString();
      EXPECT_TRUE(writer->readAllStandardOutput().contains("\ngoc.db: 1 added"));
    }
    ASSERT_EQ(Titles(db), expected) << "round " << round;
  }
  EXPECT_EQ(LargestTemporaryDatabaseSize(dir_.path()), -1);
}

// A writer killed in WAL mode leaves committed frames in goc.db-wal. They belong to the old file
// and must never be read as pages of the new one.
TEST_F(DatabaseWritersTest, AnOldWalFileIsNotReadIntoTheNewDatabase) {
  const QString db = Path("goc.db");
  for (const bool load : {false, true}) {
    QFile::remove(db);
    LoadEntries(db, 40);
    ASSERT_TRUE(RunSqlAndDie(db,
                             "PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0;"
                             "UPDATE gocs SET title = 'edited ' || id;"));
    ASSERT_GT(QFileInfo(db + "-wal").size(), 0);
    const ToolRun run = load ? [&] {
      LoadEntries(Path("other.db"), 1);  // writes in.csv with one entry
      return RunTool({"load", Path("in.csv"), db});
    }()
                             : Import(1, db);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QSet<QString> titles = Titles(db);
    if (load) {
      EXPECT_EQ(titles, (QSet<QString>{"csv 1"}));
    } else {
      EXPECT_EQ(titles.size(), 41);
      EXPECT_TRUE(titles.contains(QStringLiteral("line 1")));
      EXPECT_TRUE(titles.contains(QStringLiteral("edited 40")));
    }
    EXPECT_EQ(ExecSql(db, "PRAGMA integrity_check"), QString());
    EXPECT_FALSE(QFileInfo(db + "-wal").size() > 0);
  }
}

TEST_F(DatabaseWritersTest, AWalDatabaseOpenElsewhereIsRefused) {
  const QString db = Path("goc.db");
  LoadEntries(db, 2);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(QFile::encodeName(db).constData(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "PRAGMA journal_mode = WAL; SELECT * FROM gocs", nullptr, nullptr,
                         nullptr),
            SQLITE_OK);
  const ToolRun run = Import(1, db);
  sqlite3_close(other);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral("WAL mode"))) << run.err.toStdString();
  EXPECT_EQ(Titles(db), (QSet<QString>{"csv 1", "csv 2"}));
}

TEST_F(DatabaseWritersTest, WritingThroughASymbolicLinkWritesTheFileItLeadsTo) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath("real") && QDir(dir_.path()).mkpath("app"));
  LoadEntries(Path("real/goc.db"), 2);
  ASSERT_EQ(::symlink("../real/goc.db", QFile::encodeName(Path("app/goc.db")).constData()), 0);
  ASSERT_EQ(::symlink("../real/new.db", QFile::encodeName(Path("app/new.db")).constData()), 0);
  ASSERT_EQ(Import(1, Path("app/goc.db")).exitCode, 0);
  ASSERT_EQ(Import(2, Path("app/new.db")).exitCode, 0);
  EXPECT_TRUE(QFileInfo(Path("app/goc.db")).isSymLink());
  EXPECT_TRUE(QFileInfo(Path("app/new.db")).isSymLink());
  EXPECT_EQ(Titles(Path("real/goc.db")), (QSet<QString>{"csv 1", "csv 2", "line 1"}));
  EXPECT_EQ(Titles(Path("real/new.db")), (QSet<QString>{"line 2"}));
}

TEST_F(DatabaseWritersTest, TheLargestIdIsNotPassed) {
  const QString db = Path("goc.db");
  LoadEntries(db, 1);
  ASSERT_EQ(ExecSql(db, "UPDATE gocs SET id = 9223372036854775807"), QString());
  const FileSnapshot before = FileSnapshot::Of(db);
  const ToolRun run = Import(1, db);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral("no id is left"))) << run.err.toStdString();
  EXPECT_EQ(FileSnapshot::Of(db), before);
}

// A run ended by the file-size limit's signal or by SIGTERM leaves no temporary file.
TEST_F(DatabaseWritersTest, AStoppedWriteLeavesNoTemporaryFile) {
  QByteArray csv(kHeader);
  for (int i = 1; i <= 20000; ++i) {
    csv += QStringLiteral("%1,0,,1,entry %1,,%2,442361,,1A%1\n")
               .arg(i)
               .arg(QString(100, u'c'))
               .toUtf8();
  }
  ASSERT_TRUE(WriteBytes(Path("big.csv"), csv));
  ToolLimits limits;
  limits.fileSizeLimit = 200000;
  limits.ignoreFileSizeSignal = false;
  const ToolRun limited = RunTool({"load", Path("big.csv"), Path("goc.db")}, 120000, limits);
  EXPECT_EQ(limited.exitCode, 1) << limited.err.toStdString();
  EXPECT_EQ(FolderListing(dir_.path()), (QStringList{"big.csv"}));

  QProcess load;
  load.start(DbTool(), {"load", Path("big.csv"), Path("goc.db")});
  QElapsedTimer waited;
  waited.start();
  while (LargestTemporaryDatabaseSize(dir_.path()) < 0 && waited.elapsed() < 60000) {
    load.waitForFinished(1);
  }
  load.terminate();
  ASSERT_TRUE(load.waitForFinished(60000));
  EXPECT_EQ(FolderListing(dir_.path()).filter(".goc.db"), QStringList());
}

}  // namespace
}  // namespace moraku::test
