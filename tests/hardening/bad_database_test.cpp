// SPDX-License-Identifier: GPL-3.0-or-later
// Database files that cannot be read: the window opens with an empty list and a message that
// names the file and the reason; moraku-db says what is wrong on one line of standard error and
// exits non-zero. Nothing reads or writes the bad file into a different shape.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>

#include "../app/app_test_support.h"
#include "app/joseki_window.h"
#include "data/section_loader.h"
#include "hardening/hardening_support.h"
#include "joseki/entry_selection.h"
#include "joseki/next_move_hint.h"
#include "joseki/playback.h"
#include "joseki/recording_controls.h"
#include "joseki/window_load.h"
#include "render/image_store.h"
#include "search/search_run.h"

namespace moraku::test {
namespace {

using namespace hardening;

struct BadDatabase {
  const char* name;
  // Makes the bad file at `path` (a folder that holds nothing else); false when it could not.
  std::function<bool(const QString& path)> make;
};

// Holds a writer's lock on a database while it lives, as a writer in the middle of its
// transaction does: exclusive (no one else may read), or reserved (others read the old content
// until it commits). Nothing in this process may open and close the file meanwhile, since that
// drops the process's locks on it.
class WriterLock {
 public:
  WriterLock(const QString& path, bool exclusive) {
    if (sqlite3_open(QFile::encodeName(path).constData(), &db_) != SQLITE_OK) return;
    const char* begin = exclusive ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE";
    locked_ = sqlite3_exec(db_, begin, nullptr, nullptr, nullptr) == SQLITE_OK &&
              sqlite3_exec(db_, "UPDATE gocs SET title = 'changed'", nullptr, nullptr, nullptr) ==
                  SQLITE_OK;
  }
  ~WriterLock() {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
  }
  bool Locked() const { return locked_; }
  bool Commit() { return sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK; }

 private:
  sqlite3* db_ = nullptr;
  bool locked_ = false;
};

std::vector<BadDatabase> BadDatabases() {
  return {
      {"missing", [](const QString&) { return true; }},
      {"empty", [](const QString& p) { return WriteBytes(p, QByteArray()); }},
      {"random", [](const QString& p) { return WriteBytes(p, RandomBytes(16384, 7)); }},
      {"random_with_header",
       [](const QString& p) {
         return WriteBytes(p, QByteArray("SQLite format 3", 16) + RandomBytes(16384, 8));
       }},
      {"truncated",
       [](const QString& p) {
         const QString whole = p + QStringLiteral(".whole");
         if (!WriteManyEntries(whole, 2000).isEmpty()) return false;
         const QByteArray bytes = ReadBytes(whole);
         QFile::remove(whole);
         return bytes.size() > 8192 && WriteBytes(p, bytes.left(bytes.size() / 2));
       }},
      {"without_gocs",
       [](const QString& p) { return ExecSql(p, "CREATE TABLE other (a TEXT);").isEmpty(); }},
      {"too_few_columns",
       [](const QString& p) {
         return ExecSql(p,
                        "CREATE TABLE gocs (id INTEGER PRIMARY KEY, one TEXT, marks TEXT);"
                        "INSERT INTO gocs VALUES (1, '0', '');")
             .isEmpty();
       }},
      {"gocs_is_a_view_of_nothing",
       [](const QString& p) {
         return ExecSql(p, "CREATE TABLE t (a); CREATE VIEW gocs AS SELECT * FROM t; DROP TABLE t;")
             .isEmpty();
       }},
  };
}

class BadDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  QString DbPath() const { return dir_.filePath(QStringLiteral("goc.db")); }

  QTemporaryDir dir_;
};

// The headless window: the load reports the fault, leaves the list empty and every procedure
// still runs on the empty section.
TEST_F(BadDatabaseTest, WindowLoadNamesTheFileAndKeepsWorking) {
  for (const BadDatabase& bad : BadDatabases()) {
    SCOPED_TRACE(bad.name);
    QFile::remove(DbPath());
    ASSERT_TRUE(bad.make(DbPath()));
    const FileSnapshot before = FileSnapshot::Of(DbPath());
    const QStringList listing = FolderListing(dir_.path());

    RecordingControls ui;
    ImageStore images(Fld2Dir());
    JosekiSession session(ui, images);
    session.state.SectionIndex = kStarPointSection;
    const QString message = OpenSection(session, DbPath());
    EXPECT_FALSE(message.isEmpty());
    EXPECT_TRUE(message.contains(QStringLiteral("goc.db"))) << message.toStdString();
    EXPECT_TRUE(HasJapanese(message)) << message.toStdString();
    EXPECT_EQ(ui.ListRowCount(), 0);
    EXPECT_EQ(session.state.Entries.Count(), 0);

    // The buttons of an empty window do nothing harmful.
    ShowFirstEntry(session);
    SelectListRow(session, 0);
    StartHint(session);
    ShowNextMove(session);
    StepForwardOne(session);
    StepBackFive(session);
    session.state.SearchText = QStringLiteral("442361");
    RunSearch(session);
    EXPECT_FALSE(session.state.FallbackFound);

    EXPECT_EQ(FileSnapshot::Of(DbPath()), before);
    EXPECT_EQ(FolderListing(dir_.path()), listing);
  }
}

TEST_F(BadDatabaseTest, LockedByAnotherWriterIsReportedNotWaitedFor) {
  ASSERT_TRUE(WriteManyEntries(DbPath(), 20).isEmpty());
  const QString sgf = dir_.filePath(QStringLiteral("in.sgf"));
  ASSERT_TRUE(WriteBytes(sgf, "(;SZ[19];B[dd];W[fc];B[cf])"));
  const QStringList import = {QStringLiteral("import-sgf"), sgf,
                              QStringLiteral("--db"),       DbPath(),
                              QStringLiteral("--section"),  QStringLiteral("2")};
  const FileSnapshot before = FileSnapshot::Of(DbPath());
  {
    WriterLock lock(DbPath(), /*exclusive=*/true);
    ASSERT_TRUE(lock.Locked());
    RecordingControls ui;
    ImageStore images(Fld2Dir());
    JosekiSession session(ui, images);
    session.state.SectionIndex = kStarPointSection;
    const QString message = OpenSection(session, DbPath());
    EXPECT_TRUE(message.contains(QStringLiteral("goc.db"))) << message.toStdString();
    EXPECT_TRUE(HasJapanese(message));
    EXPECT_EQ(ui.ListRowCount(), 0);

    const ToolRun run = RunTool(import);
    ASSERT_TRUE(run.finished);
    EXPECT_GT(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("locked"))) << run.err.toStdString();
  }
  EXPECT_EQ(FileSnapshot::Of(DbPath()), before);
}

// An import while another writer's transaction is open must not replace the file under it: the
// import fails, and the other writer's change, committed afterwards, is in the database.
TEST_F(BadDatabaseTest, ImportNeverDiscardsAnotherWritersTransaction) {
  ASSERT_TRUE(WriteManyEntries(DbPath(), 20).isEmpty());
  const QString sgf = dir_.filePath(QStringLiteral("in.sgf"));
  ASSERT_TRUE(WriteBytes(sgf, "(;SZ[19];B[dd];W[fc];B[cf])"));
  {
    WriterLock lock(DbPath(), /*exclusive=*/false);
    ASSERT_TRUE(lock.Locked());
    const ToolRun run = RunTool({QStringLiteral("import-sgf"), sgf, QStringLiteral("--db"),
                                 DbPath(), QStringLiteral("--section"), QStringLiteral("2")});
    ASSERT_TRUE(run.finished);
    EXPECT_GT(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("locked"))) << run.err.toStdString();
    ASSERT_TRUE(lock.Commit());
  }
  const SectionLoad load = LoadSection(DbPath(), kStarPointSection);
  ASSERT_EQ(load.error, QString());
  ASSERT_EQ(load.table.Count(), 20);
  for (int k = 1; k <= 20; ++k) EXPECT_EQ(load.table.entries[k].title, QStringLiteral("changed"));
}

// moraku-db reading or importing into a bad database: one clear line, a non-zero status, the
// file as it was and no temporary file left beside it.
TEST_F(BadDatabaseTest, ToolReportsOnStandardErrorAndLeavesTheFile) {
  const QString sgf = dir_.filePath(QStringLiteral("in.sgf"));
  ASSERT_TRUE(WriteBytes(sgf, "(;SZ[19];B[dd];W[fc];B[cf])"));
  for (const BadDatabase& bad : BadDatabases()) {
    SCOPED_TRACE(bad.name);
    QFile::remove(DbPath());
    ASSERT_TRUE(bad.make(DbPath()));
    const FileSnapshot before = FileSnapshot::Of(DbPath());
    const QStringList listing = FolderListing(dir_.path());

    const QList<QStringList> commands = {
        {QStringLiteral("check"), QStringLiteral("--db"), DbPath()},
        {QStringLiteral("import-sgf"), sgf, QStringLiteral("--db"), DbPath(),
         QStringLiteral("--section"), QStringLiteral("2")},
    };
    for (const QStringList& args : commands) {
      SCOPED_TRACE(args.first().toStdString());
      // Importing into a database that does not exist yet makes a new one.
      if (!before.exists && args.first() == QLatin1String("import-sgf")) continue;
      const ToolRun run = RunTool(args);
      ASSERT_TRUE(run.finished);
      EXPECT_GT(run.exitCode, 0);
      EXPECT_TRUE(run.err.contains(QStringLiteral("goc.db"))) << run.err.toStdString();
      EXPECT_TRUE(run.err.endsWith(QLatin1Char('\n')));
      EXPECT_EQ(FileSnapshot::Of(DbPath()), before);
      EXPECT_EQ(FolderListing(dir_.path()), listing);
    }
  }
}

// Bytes that are not UTF-8 in the text fields read as replacement characters; the entry is
// shown and can be searched.
TEST_F(BadDatabaseTest, FieldsWithBytesThatAreNotUtf8StillLoad) {
  ASSERT_TRUE(ExecSql(DbPath(), kCreateGocsTable).isEmpty());
  ASSERT_TRUE(ExecSql(DbPath(),
                      "INSERT INTO gocs VALUES (1, '0', CAST(X'3633FF61' AS TEXT), '1', "
                      "CAST(X'C0AF8081E381' AS TEXT), CAST(X'FE' AS TEXT), CAST(X'ED' AS TEXT), "
                      "CAST(X'343432333631FF' AS TEXT), CAST(X'617C312F327C6161FFFE' AS TEXT), "
                      "'1a');")
                  .isEmpty());
  const FileSnapshot before = FileSnapshot::Of(DbPath());

  RecordingControls ui;
  ImageStore images(Fld2Dir());
  JosekiSession session(ui, images);
  session.state.SectionIndex = kStarPointSection;
  EXPECT_EQ(OpenSection(session, DbPath()), QString());
  ASSERT_EQ(ui.ListRowCount(), 1);
  EXPECT_TRUE(ui.rows[0].contains(QChar::ReplacementCharacter));
  StartHint(session);
  for (int i = 0; i < 4; ++i) ShowNextMove(session);
  ShowRecordToLastNumberedMove(session);
  StepBackOne(session);
  session.state.SearchText = QStringLiteral("442");
  RunSearch(session);
  EXPECT_EQ(FileSnapshot::Of(DbPath()), before);
}

// The real window on a folder without a database: it opens, empty, and says why in Japanese.
TEST(BadDatabaseWindow, MissingDatabaseOpensTheWindowWithAMessage) {
  TempAppDir app;
  MessageCatcher catcher;
  auto* window = new JosekiWindow(kStarPointSection, app.Path());
  window->show();
  Wait(300);
  ASSERT_EQ(catcher.boxes.size(), 1);
  EXPECT_TRUE(catcher.boxes[0].text.contains(QStringLiteral("goc.db")));
  EXPECT_TRUE(HasJapanese(catcher.boxes[0].text));
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(QFile::exists(app.DatabasePath()));
  window->close();
  Settle();
}

}  // namespace
}  // namespace moraku::test
