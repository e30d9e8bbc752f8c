// Databases made to hurt the reader: a column that hides the rowid, views that never end or
// return huge values, a crashed writer's journal, a WAL file nobody uses; and the checker, which
// must judge a file exactly as the window's load does and report within bounds.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include "data/section_loader.h"
#include "hardening/hardening_support.h"

namespace moraku::test {
namespace {

using namespace hardening;

class HostileDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    db_ = dir_.filePath("goc.db");
  }
  void Make(const char* sql) { ASSERT_EQ(ExecSql(db_, sql), QString()); }
  ToolRun Check() { return RunTool({"check", "--db", db_}); }

  QTemporaryDir dir_;
  QString db_;
};

// Entries a good table holds, for the layouts below.
constexpr const char* kTwoEntries =
    "INSERT INTO gocs (id, one, marks, preset, title, ref, comment, stones, record, five) VALUES"
    " (1, '0', '', '1', 'first', '', '', '442361', '', '1A'),"
    " (2, '0', '', '1', 'second', '', '', '442341', '', '1B');";

TEST_F(HostileDatabaseTest, AColumnNamedRowidIsReadAsAnyOther) {
  ASSERT_TRUE(QFile::copy(ShippedDatabase(), db_));
  const SectionLoad plain = LoadSection(db_, kStarPointSection);
  ASSERT_EQ(plain.error, QString());
  Make("ALTER TABLE gocs ADD COLUMN rowid INTEGER; UPDATE gocs SET rowid = 5;");
  const SectionLoad shadowed = LoadSection(db_, kStarPointSection);
  ASSERT_EQ(shadowed.error, QString());
  ASSERT_EQ(shadowed.table.Count(), plain.table.Count());
  for (int k = 1; k <= plain.table.Count(); ++k) {
    EXPECT_EQ(shadowed.table.entries[k].title, plain.table.entries[k].title) << k;
  }
  EXPECT_EQ(RunTool({"render", "--db", db_, "--section", "2", "--entry", "3", "--out",
                     dir_.filePath("e.png")})
                .exitCode,
            0);
}

TEST_F(HostileDatabaseTest, ViewsThatNeverEndOrReturnHugeValuesEndWithAMessage) {
  const char* views[] = {
      // Endless rows under the section's ORDER BY: the sorter would fill the disk.
      "CREATE VIEW gocs AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r) "
      "SELECT n AS id, '0' AS one, '' AS marks, '1' AS preset, 't' AS title, '' AS ref, "
      "'' AS comment, '442' AS stones, '' AS record, '1' || n AS five FROM r",
      // One gigabyte in a field.
      "CREATE VIEW gocs AS SELECT 1 AS id, '0' AS one, '' AS marks, '1' AS preset, "
      "zeroblob(1000000000) AS title, '' AS ref, '' AS comment, '442' AS stones, '' AS record, "
      "'1A' AS five",
  };
  for (const char* view : views) {
    QFile::remove(db_);
    Make(view);
    QElapsedTimer timer;
    timer.start();
    const SectionLoad load = LoadSection(db_, kStarPointSection, std::chrono::milliseconds(500));
    EXPECT_LT(timer.elapsed(), 20000);
    EXPECT_FALSE(load.error.isEmpty());
    EXPECT_TRUE(HasJapanese(load.error)) << load.error.toStdString();
    EXPECT_EQ(load.table.Count(), 0);
  }
}

TEST_F(HostileDatabaseTest, ACrashedWritersJournalIsExplained) {
  ASSERT_TRUE(QFile::copy(ShippedDatabase(), db_));
  QFile::setPermissions(db_, QFile::ReadOwner | QFile::WriteOwner);
  ASSERT_TRUE(RunSqlAndDie(db_,
                           "PRAGMA cache_size = 1; BEGIN; UPDATE gocs SET title = title || "
                           "'x'; UPDATE gocs SET comment = comment || 'y';"));
  ASSERT_TRUE(QFileInfo::exists(db_ + "-journal"));
  const SectionLoad load = LoadSection(db_, kStarPointSection);
  EXPECT_TRUE(load.error.contains(QStringLiteral("-journal"))) << load.error.toStdString();
}

TEST_F(HostileDatabaseTest, ReadingAWalDatabaseLeavesNoFilesBehind) {
  ASSERT_TRUE(QFile::copy(ShippedDatabase(), db_));
  QFile::setPermissions(db_, QFile::ReadOwner | QFile::WriteOwner);
  Make("PRAGMA journal_mode = WAL");
  ASSERT_EQ(FolderListing(dir_.path()), QStringList{"goc.db"});
  EXPECT_EQ(LoadSection(db_, kHandicapSection).error, QString());
  EXPECT_EQ(RunTool({"search", "--db", db_, "--section", "2", "4,4", "3,6"}).exitCode, 0);
  EXPECT_EQ(Check().exitCode, 0);
  EXPECT_EQ(FolderListing(dir_.path()), QStringList{"goc.db"});
}

// The checker accepts what the window loads and refuses what it cannot.
TEST_F(HostileDatabaseTest, CheckJudgesAsTheWindowLoads) {
  struct Layout {
    const char* schema;
    bool loads;
  };
  const Layout layouts[] = {
      {"CREATE TABLE gocs (id INTEGER PRIMARY KEY, one, marks, preset, title, ref, comment, "
       "stones, record, five) WITHOUT ROWID;",
       true},
      {"CREATE TABLE gocs (five, one, marks, preset, title, ref, comment, stones, record, id);",
       true},
      {"CREATE TABLE gocs (id, one, marks, preset, title, ref, comment, stones, record, "
       "code);",
       false},
  };
  for (const Layout& layout : layouts) {
    QFile::remove(db_);
    QString sql = QString::fromLatin1(layout.schema) + QString::fromLatin1(kTwoEntries);
    if (!layout.loads) sql.replace(QStringLiteral("five)"), QStringLiteral("code)"));
    Make(sql.toUtf8().constData());
    const bool loads = LoadSection(db_, kStarPointSection).error.isEmpty() &&
                       LoadSection(db_, kHandicapSection).error.isEmpty();
    EXPECT_EQ(loads, layout.loads) << layout.schema;
    const ToolRun run = Check();
    EXPECT_EQ(run.exitCode, layout.loads ? 0 : 1)
        << layout.schema << run.out.toStdString() << run.err.toStdString();
  }
  // A damaged index page: the section query reads it, so the window cannot load.
  QFile::remove(db_);
  ASSERT_TRUE(QFile::copy(ShippedDatabase(), db_));
  QFile::setPermissions(db_, QFile::ReadOwner | QFile::WriteOwner);
  sqlite3* db = nullptr;
  sqlite3_open(QFile::encodeName(db_).constData(), &db);
  sqlite3_stmt* root = nullptr;
  sqlite3_prepare_v2(db, "SELECT rootpage FROM sqlite_master WHERE name = 'gocs_by_code'", -1,
                     &root, nullptr);
  ASSERT_EQ(sqlite3_step(root), SQLITE_ROW);
  const int page = sqlite3_column_int(root, 0);
  sqlite3_finalize(root);
  sqlite3_close(db);
  QFile file(db_);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.seek(qint64{page - 1} * 4096);
  file.write(QByteArray(64, '\x7f'));
  file.close();
  EXPECT_FALSE(LoadSection(db_, kHandicapSection).error.isEmpty());
  const ToolRun damaged = Check();
  EXPECT_EQ(damaged.exitCode, 1);
  EXPECT_TRUE(damaged.err.contains(QStringLiteral("damaged"))) << damaged.err.toStdString();
}

TEST_F(HostileDatabaseTest, CheckReportsWithinBounds) {
  Make(kCreateGocsTable);
  const QString title(20000, u'長');
  const QString sql = QStringLiteral(
                          "INSERT INTO gocs VALUES (1, '0', '%1', '1', '%2', '', '', '442361', '', "
                          "'1A')")
                          .arg(QString(30000, u'Z'), title);
  Make(sql.toUtf8().constData());
  const ToolRun run = Check();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_LT(run.out.size(), 4000);
  EXPECT_TRUE(run.out.contains(QStringLiteral(": and ")));
  // Each marker triple "ZZZ" is neither a point nor a marker code.
  EXPECT_TRUE(run.out.endsWith(QStringLiteral("1 entry, 20000 problems\n")))
      << run.out.right(200).toStdString();
}

}  // namespace
}  // namespace moraku::test
