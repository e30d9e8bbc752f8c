// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "cli/commands.h"
#include "data/section_loader.h"
#include "store/atomic_db_write.h"
#include "store/gocs_table.h"
#include "temporary_database.h"
#include "test_paths.h"

namespace moraku {
namespace {

const QByteArray kHeader = "id,one,marks,preset,title,ref,comment,stones,record,five\n";

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class LoadCommandTest : public ::testing::Test {
 protected:
  QString PathOf(const QString& name) const { return dir_.filePath(name); }

  QString WriteCsv(const QByteArray& text, const QString& name = "gocs.csv") {
    const QString path = PathOf(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    return path;
  }

  int Run(const QStringList& args) {
    out_.clear();
    err_.clear();
    QTextStream out(&out_);
    QTextStream err(&err_);
    const int status = cli::RunLoad(args, out, err);
    out.flush();
    err.flush();
    return status;
  }

  // The names in the folder other than the ones a test made itself.
  QStringList Leftovers(const QStringList& expected) const {
    QStringList names = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : expected) names.removeAll(e);
    return names;
  }

  QTemporaryDir dir_;
  QString out_;
  QString err_;
};

TEST_F(LoadCommandTest, BuildsADatabaseThatTheSectionLoaderReads) {
  const QString csv = WriteCsv("\xEF\xBB\xBF" + kHeader +
                               "1,0,,1,\"星, 小目\",ref,\"二行の\r\n説明\",442351,,0002\r\n"
                               "2,0,33a,2,first,,,442DD2351,cap|1/1|44,0001\n"
                               "3,0,,1,star,,,442,,1001\n");
  const QString db = PathOf("goc.db");
  ASSERT_EQ(Run({csv, db}), 0) << err_.toStdString();
  EXPECT_EQ(out_, "goc.db: 3 entries loaded\n");
  EXPECT_TRUE(err_.isEmpty());
  EXPECT_EQ(Leftovers({"gocs.csv", "goc.db"}), QStringList());

  const SectionLoad handicap = LoadSection(db, kHandicapSection);
  ASSERT_TRUE(handicap.error.isEmpty()) << handicap.error.toStdString();
  ASSERT_EQ(handicap.table.Count(), 2);
  EXPECT_EQ(handicap.table.entries[1].title, "first");
  EXPECT_EQ(handicap.table.entries[1].preset, "442DD2");
  EXPECT_EQ(handicap.table.entries[1].record, "cap|1/1|44");
  EXPECT_EQ(handicap.table.entries[2].title, QStringLiteral("星, 小目"));
  EXPECT_EQ(handicap.table.entries[2].comment, QStringLiteral("二行の\r\n説明"));
  EXPECT_EQ(handicap.table.records[1].key, "1");
  EXPECT_EQ(LoadSection(db, kStarPointSection).table.Count(), 3);
}

TEST_F(LoadCommandTest, ReplacesAnExistingDatabaseWholly) {
  const QString db = PathOf("goc.db");
  ASSERT_EQ(Run({WriteCsv(kHeader + "1,0,,1,old,,,442,,0001\n2,0,,1,old2,,,442,,0002\n"), db}), 0);
  ASSERT_EQ(Run({WriteCsv(kHeader + "5,0,,1,new,,,442,,0003\n"), db}), 0) << err_.toStdString();
  const SectionLoad load = LoadSection(db, kHandicapSection);
  ASSERT_EQ(load.table.Count(), 1);
  EXPECT_EQ(load.table.entries[1].title, "new");
  EXPECT_EQ(load.table.records[0].key, "5");
  EXPECT_EQ(Leftovers({"gocs.csv", "goc.db"}), QStringList());
}

TEST_F(LoadCommandTest, AFailedLoadLeavesTheDatabaseByteForByteAndNoTemporaryFile) {
  const QString db = PathOf("goc.db");
  ASSERT_EQ(Run({WriteCsv(kHeader + "1,0,,1,kept,,,442,,0001\n"), db}), 0);
  const QByteArray before = ReadAll(db);
  ASSERT_FALSE(before.isEmpty());

  struct Case {
    QByteArray csv;
    QString where;
  };
  const Case cases[] = {
      {kHeader + "1,0,,1,a,,,442,,0001\n2,0,,1,\"open,,,442,,0002\n", ":3: unterminated"},
      {kHeader + "1,0,,1,a,,,442,,0001\n1,0,,1,b,,,442,,0002\n", ":3: id 1 is already used"},
      {kHeader + "1,0,,1,a,,,442,,0001\n2,0,,1,b,,,442,0002\n", ":3: 9 fields"},
      {"id,one,marks,preset,title,ref,comment,stones,record\n", ":1: bad header"},
      {kHeader + "x,0,,1,a,,,442,,0001\n", ":2: id 'x' is not an integer"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.csv.toStdString());
    const QString csv = WriteCsv(c.csv, "bad.csv");
    EXPECT_EQ(Run({csv, db}), 1);
    EXPECT_TRUE(err_.startsWith("moraku-db: " + csv + c.where)) << err_.toStdString();
    EXPECT_TRUE(out_.isEmpty());
    EXPECT_EQ(ReadAll(db), before);
    EXPECT_EQ(Leftovers({"gocs.csv", "bad.csv", "goc.db"}), QStringList());
  }

  EXPECT_EQ(Run({PathOf("absent.csv"), db}), 1);
  EXPECT_TRUE(err_.startsWith("moraku-db: " + PathOf("absent.csv") + ": "));
  EXPECT_EQ(ReadAll(db), before);

  // A database path that cannot be written is reported with that path.
  const QString unreachable = PathOf("no/such/folder/goc.db");
  EXPECT_EQ(Run({PathOf("gocs.csv"), unreachable}), 1);
  EXPECT_TRUE(err_.startsWith("moraku-db: " + unreachable + ": ")) << err_.toStdString();
  EXPECT_EQ(Run({PathOf("gocs.csv"), dir_.path()}), 1);
  EXPECT_EQ(Leftovers({"gocs.csv", "bad.csv", "goc.db"}), QStringList());

  EXPECT_EQ(Run({PathOf("gocs.csv")}), 2);
}

TEST_F(LoadCommandTest, AtomicWriteKeepsTheTargetWhenTheWriterFailsAndCanStartFromACopy) {
  const QString db = PathOf("goc.db");
  ASSERT_EQ(Run({WriteCsv(kHeader + "1,0,,1,first,,,442,,0001\n"), db}), 0);
  QFile::setPermissions(db, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  const QByteArray before = ReadAll(db);

  QString error;
  const bool failed = WriteDatabaseAtomically(
      db, AtomicStart::CopyOfTarget,
      [](sql::Database& d, QString* why) {
        d.Exec("DELETE FROM gocs");
        *why = "writer gave up";
        return false;
      },
      &error);
  EXPECT_FALSE(failed);
  EXPECT_EQ(error, "writer gave up");
  EXPECT_EQ(ReadAll(db), before);
  EXPECT_EQ(Leftovers({"gocs.csv", "goc.db"}), QStringList());

  const bool added = WriteDatabaseAtomically(
      db, AtomicStart::CopyOfTarget,
      [](sql::Database& d, QString* why) {
        GocsRecord r;
        r.id = 2;
        r.one = "0";
        r.preset = "1";
        r.title = "second";
        r.stones = "442";
        r.five = "0002";
        int line = 0;
        return InsertGocs(d, {r}, &line, why);
      },
      &error);
  ASSERT_TRUE(added) << error.toStdString();
  const SectionLoad load = LoadSection(db, kHandicapSection);
  ASSERT_EQ(load.table.Count(), 2);
  EXPECT_EQ(load.table.entries[1].title, "first");
  EXPECT_EQ(load.table.entries[2].title, "second");
  EXPECT_EQ(QFile::permissions(db) & (QFileDevice::ReadOther | QFileDevice::WriteOwner),
            QFileDevice::WriteOwner);
  EXPECT_EQ(Leftovers({"gocs.csv", "goc.db"}), QStringList());

  EXPECT_FALSE(WriteDatabaseAtomically(
      PathOf("absent.db"), AtomicStart::CopyOfTarget, [](sql::Database&, QString*) { return true; },
      &error));
  EXPECT_FALSE(QFile::exists(PathOf("absent.db")));
}

// The tool killed at any moment leaves either the old database or the complete new one. The
// kills land before the temporary file exists, as soon as it exists, and while rows are written
// into it.
TEST_F(LoadCommandTest, KillingTheToolMidLoadNeverDamagesTheDatabase) {
  const QString db = PathOf("goc.db");
  ASSERT_EQ(Run({WriteCsv(kHeader + "1,0,,1,old,,,442,,0001\n"), db}), 0);
  const QByteArray before = ReadAll(db);
  QByteArray big = kHeader;
  constexpr int kRows = 25000;
  for (int i = 1; i <= kRows; ++i) {
    big += QByteArray::number(i) + ",0,,1,title " + QByteArray::number(i) +
           ",ref,comment text,442351DD2,cap|1/3|443322,0" + QByteArray::number(i) + "\n";
  }
  const QString csv = WriteCsv(big, "big.csv");

  const auto temporarySize = [this] { return test::LargestTemporaryDatabaseSize(dir_.path()); };
  for (const qint64 killAtSize : {qint64{-1}, qint64{0}, qint64{1} << 19}) {
    SCOPED_TRACE(killAtSize);
    QProcess tool;
    tool.start(test::DbTool(), {"load", csv, db});
    ASSERT_TRUE(tool.waitForStarted());
    while (killAtSize >= 0 && temporarySize() < killAtSize && !tool.waitForFinished(1)) {
    }
    tool.kill();
    tool.waitForFinished();
    const QByteArray after = ReadAll(db);
    if (after != before) {
      // The load finished before the kill: the new database must be whole.
      const SectionLoad load = LoadSection(db, kHandicapSection);
      EXPECT_TRUE(load.error.isEmpty()) << load.error.toStdString();
      EXPECT_EQ(load.table.Count(), kRows);
      ASSERT_EQ(Run({PathOf("gocs.csv"), db}), 0);  // back to the old content
    }
    const SectionLoad old = LoadSection(db, kHandicapSection);
    EXPECT_TRUE(old.error.isEmpty()) << old.error.toStdString();
    EXPECT_EQ(old.table.Count(), 1);
  }
}

}  // namespace
}  // namespace moraku
