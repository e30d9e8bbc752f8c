// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <QTextStream>

#include "cli/commands.h"
#include "data/gocs_row.h"
#include "data/section_loader.h"
#include "joseki/joseki_session.h"
#include "joseki/recording_controls.h"
#include "search/search_input.h"
#include "search/search_run.h"

namespace moraku::test {
namespace {

struct Row {
  int id;
  const char* title;
  const char* stones;
  const char* five;  // section code + sort key
};

class SearchCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    db_ = dir_.filePath("goc.db");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(db_.toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, kCreateGocsTable, nullptr, nullptr, nullptr), SQLITE_OK);
    const Row rows[] = {
        {31, "小目", "442631", "0b"},
        {7, "かかり", "442631362GG1AA2BB1DD2", "0c"},
        {12, "ハサミ", "442???362", "0d"},
        {900, "星の部だけ", "442551", "1e"},
        {5, "一番目", "443", "0a"},
        {40, "一間低バサミ", "342531732", "2a"},
        {41, "下ツケ", "342541532631432641362", "2b"},
    };
    for (const Row& r : rows) {
      const QString sql = QStringLiteral(
                              "INSERT INTO gocs VALUES (%1, '0', '', '1', '%2', 'ref', 'comment', "
                              "'%3', '', '%4')")
                              .arg(r.id)
                              .arg(QString::fromUtf8(r.title), QString::fromUtf8(r.stones),
                                   QString::fromUtf8(r.five));
      ASSERT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    sqlite3_close(db);
  }

  int Run(QStringList args) {
    out_.clear();
    err_.clear();
    QTextStream out(&out_);
    QTextStream err(&err_);
    const int status = cli::RunSearch(args, out, err);
    out.flush();
    err.flush();
    return status;
  }

  int Search(int section, const QStringList& points) {
    return Run(QStringList{"--db", db_, "--section", QString::number(section)} + points);
  }

  QTemporaryDir dir_;
  QString db_;
  QString out_;
  QString err_;
};

TEST_F(SearchCommand, PrintsTheChosenEntryAsEnteredAndMirrored) {
  ASSERT_EQ(Search(1, {"4,4", "6,3"}), 0) << err_.toStdString();
  // Section 1 in code order: 5, 31, 7, 12. The exact match 31 is entry 2.
  EXPECT_TRUE(out_.contains("search text: 442631\n"));
  EXPECT_TRUE(out_.contains("mirror text: 442361\n"));
  EXPECT_TRUE(out_.contains("entry: 2\n"));
  EXPECT_TRUE(out_.contains("key: 31\n"));
  EXPECT_TRUE(out_.contains("title: 小目\n"));
  EXPECT_TRUE(out_.contains("dropped stones: 0\n"));
  EXPECT_TRUE(out_.contains("message: 該当あり、検索しました。\n"));

  ASSERT_EQ(Search(1, {"4,4", "3,6"}), 0);
  EXPECT_TRUE(out_.contains("key: 31\n"));
}

TEST_F(SearchCommand, DropsStonesAndTakesTenukiPoints) {
  ASSERT_EQ(Search(1, {"4,4", "6,3", "3,6", "16,16", "10,10", "11,11", "12,12"}), 0);
  EXPECT_TRUE(out_.contains("key: 7\n"));
  EXPECT_TRUE(out_.contains("dropped stones: 1\n"));
  EXPECT_TRUE(out_.contains("message: 検索石を１つ減らして該当ありました。\n"));

  // "?" and a click in the tenuki area are the same move.
  for (const QString& tenuki : {QString("?"), QString("10,19")}) {
    ASSERT_EQ(Search(1, {"4,4", tenuki, "3,6"}), 0) << tenuki.toStdString();
    EXPECT_TRUE(out_.contains("search text: 442???362\n"));
    EXPECT_TRUE(out_.contains("key: 12\n"));
  }
}

TEST_F(SearchCommand, SearchesTheSectionAsked) {
  EXPECT_EQ(Search(1, {"4,4", "5,5"}), 1);
  EXPECT_EQ(err_, "該当するものはありません。\n");
  ASSERT_EQ(Search(2, {"4,4", "5,5"}), 0);
  EXPECT_TRUE(out_.contains("key: 900\n"));
  EXPECT_TRUE(out_.contains("entry: 5\n"));
}

TEST_F(SearchCommand, RefusesAFirstPointOffTheStarPoint) {
  EXPECT_EQ(Search(1, {"3,4", "4,4"}), 1);
  EXPECT_EQ(err_, "一手目は星に打ってください。\n");
  EXPECT_EQ(Search(1, {"?"}), 1);
  EXPECT_EQ(err_, "一手目は星に打ってください。\n");
}

TEST_F(SearchCommand, ThreeFourSectionStartsOnTheThreeFourPoint) {
  EXPECT_EQ(Search(3, {"4,4", "5,3"}), 1);
  EXPECT_EQ(err_, "一手目は小目に打ってください。\n");
  // Entered in the mirror orientation, the pincer line is found.
  ASSERT_EQ(Search(3, {"4,3", "3,5", "3,7"}), 0) << err_.toStdString();
  EXPECT_TRUE(out_.contains("search text: 432351372\n"));
  EXPECT_TRUE(out_.contains("key: 40\n"));
  ASSERT_EQ(Search(3, {"3,4", "5,4", "5,3", "6,3", "4,3", "6,4", "3,6"}), 0);
  EXPECT_TRUE(out_.contains("key: 41\n"));
}

TEST_F(SearchCommand, ReportsNoHitWithTheWindowsMessage) {
  EXPECT_EQ(Search(1, {"4,4", "6,3", "3,6", "3,3", "9,9"}), 1);
  EXPECT_TRUE(out_.contains("dropped stones: 1\n"));
  EXPECT_EQ(err_, "検索石を１つ減らして検索しましたが\n該当するものはありません。\n");
}

TEST_F(SearchCommand, MalformedArgumentsPrintUsage) {
  const QStringList bad[] = {
      {},
      {"--db", db_, "--section", "1"},
      {"--section", "1", "4,4"},
      {"--db", db_, "4,4"},
      {"--db", db_, "--section", "4", "4,4"},
      {"--db", db_, "--section", "3x", "4,4"},
      {"--db", db_, "--section", "1", "4,20"},
      {"--db", db_, "--section", "1", "0,4"},
      {"--db", db_, "--section", "1", "4;4"},
      {"--db", db_, "--section", "1", "4,4,4"},
      {"--db", db_, "--section"},
  };
  for (const QStringList& args : bad) {
    SCOPED_TRACE(args.join(' ').toStdString());
    EXPECT_EQ(Run(args), 2);
    EXPECT_TRUE(err_.startsWith("usage: moraku-db search"));
    EXPECT_TRUE(out_.isEmpty());
  }
}

TEST_F(SearchCommand, UnreadableDatabaseFails) {
  EXPECT_EQ(Run({"--db", dir_.filePath("missing.db"), "--section", "1", "4,4"}), 1);
  EXPECT_FALSE(err_.isEmpty());
}

TEST_F(SearchCommand, AgreesWithClicksInTheWindow) {
  const QStringList points[] = {{"4,4", "6,3"},
                                {"4,4", "3,6"},
                                {"4,4", "?", "3,6"},
                                {"4,4", "6,3", "3,6", "16,16", "10,10", "11,11", "12,12"}};
  for (const QStringList& p : points) {
    SCOPED_TRACE(p.join(' ').toStdString());
    ASSERT_EQ(Search(1, p), 0);

    RecordingControls controls;
    ImageStore images(dir_.path());
    JosekiSession session(controls, images);
    session.state.SectionIndex = 1;
    session.state.Entries = LoadSection(db_, 1).table;
    StartSearchInput(session);
    for (const QString& point : p) {
      const int row = point == "?" ? 10 : point.section(',', 0, 0).toInt();
      const int col = point == "?" ? 17 : point.section(',', 1, 1).toInt();
      TrackPointer(session, CellX(Board::Record, col) + 5, CellY(row) + 5);
      AddSearchStone(session);
    }
    RunSearch(session);
    ASSERT_TRUE(controls.hitDeliveryTimerEnabled);
    EXPECT_TRUE(out_.contains(QStringLiteral("entry: %1\n").arg(session.state.CurrentEntry - 1)));
  }
}

}  // namespace
}  // namespace moraku::test
