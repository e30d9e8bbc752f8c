// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/entry_checker.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <QTextStream>

#include "cli/commands.h"
#include "data/sqlite_db.h"

namespace moraku {
namespace {

// A sound entry: White's stone in the corner is captured and Black then plays on its point,
// with White tenuki in between; the record does the same with a real move instead of tenuki.
GocsRow GoodEntry() {
  GocsRow e;
  e.id = QStringLiteral("7");
  e.one = QStringLiteral("0");
  e.marks = QStringLiteral("63a38b992551");
  e.preset = QStringLiteral("1");
  e.title = QStringLiteral("T");
  e.stones = QStringLiteral("442111122???212???112");
  e.record = QStringLiteral("Game|2/7|4411129921AA11");
  e.five = QStringLiteral("0A010");
  return e;
}

// True when some problem contains `fragment`.
bool Mentions(const QStringList& problems, const QString& fragment) {
  for (const QString& p : problems)
    if (p.contains(fragment)) return true;
  return false;
}

#define EXPECT_PROBLEM(entry, fragment)                                                       \
  do {                                                                                        \
    const QStringList found = CheckEntry(entry);                                              \
    EXPECT_TRUE(Mentions(found, QStringLiteral(fragment))) << found.join("; ").toStdString(); \
  } while (0)

TEST(EntryChecker, AcceptsASoundEntryWithCapturesAndTenuki) {
  GocsRow e = GoodEntry();
  e.record = QStringLiteral("Game|2/7|44 11129921AA11");  // the display drops the space
  EXPECT_TRUE(CheckEntry(e).isEmpty()) << CheckEntry(e).join("; ").toStdString();
  e.record.clear();
  EXPECT_TRUE(CheckEntry(e).isEmpty());
  e.record = QStringLiteral(" ");  // shorter than 2 characters: no record
  EXPECT_TRUE(CheckEntry(e).isEmpty());
  e.five = QStringLiteral("1B");
  e.marks.clear();
  EXPECT_TRUE(CheckEntry(e).isEmpty());
}

TEST(EntryChecker, StoneStringShape) {
  GocsRow e = GoodEntry();
  e.stones = QStringLiteral("44236");
  EXPECT_PROBLEM(e, "stones: 5 characters are not whole triples");
  e.stones = QStringLiteral("4423K1");
  EXPECT_PROBLEM(e, "stones: triple 2 \"3K1\": not a point");
  e.stones = QStringLiteral("442301");
  EXPECT_PROBLEM(e, "triple 2 \"301\": not a point");
  e.stones = QStringLiteral("4423a1");  // lower case is never written
  EXPECT_PROBLEM(e, "triple 2 \"3a1\": not a point");
  e.stones = QStringLiteral("442?61");
  EXPECT_PROBLEM(e, "triple 2 \"?61\": a tenuki is written \"???\"");
  e.stones = QStringLiteral("442??1");
  EXPECT_PROBLEM(e, "triple 2 \"??1\": a tenuki is written \"???\"");
  e.stones.clear();
  EXPECT_PROBLEM(e, "stones: empty");
}

TEST(EntryChecker, ColourCodesAlternateFromBlack) {
  GocsRow e = GoodEntry();
  e.stones = QStringLiteral("442362");
  EXPECT_PROBLEM(e, "triple 2 \"362\": colour code should be \"1\" (white)");
  e.stones = QStringLiteral("442361381");
  EXPECT_PROBLEM(e, "triple 3 \"381\": colour code should be \"2\" (black)");
  e.stones = QStringLiteral("442361???381");  // the tenuki keeps its place in the alternation
  EXPECT_TRUE(CheckEntry(e).isEmpty());
}

TEST(EntryChecker, FirstStoneIsTheOpeningStoneOfTheSectionOfTheCode) {
  GocsRow e = GoodEntry();
  e.stones = QStringLiteral("332");
  EXPECT_PROBLEM(e, "the first triple is not the black 4-4 stone \"442\"");
  e.stones = QStringLiteral("???442");
  EXPECT_PROBLEM(e, "the first triple is not the black 4-4 stone");

  // The 3-4 point opens code '2' entries and only those; either section reads its own line.
  const QString threeFourLine = QStringLiteral("342531732");
  const QString starLine = QStringLiteral("442361");
  for (const char* code : {"0A010", "1A010"}) {
    SCOPED_TRACE(code);
    e = GoodEntry();
    e.record.clear();
    e.five = QString::fromLatin1(code);
    e.stones = threeFourLine;
    EXPECT_PROBLEM(e, "stones: the first triple is not the black 4-4 stone \"442\"");
    e.stones = starLine;
    EXPECT_TRUE(CheckEntry(e).isEmpty()) << CheckEntry(e).join("; ").toStdString();
  }
  e.five = QStringLiteral("2A010");
  EXPECT_PROBLEM(e, "stones: the first triple is not the black 3-4 stone \"342\"");
  e.stones = QStringLiteral("432531");  // the mirror is the same opening, stored one way only
  EXPECT_PROBLEM(e, "the first triple is not the black 3-4 stone");
  e.stones = threeFourLine;
  EXPECT_TRUE(CheckEntry(e).isEmpty()) << CheckEntry(e).join("; ").toStdString();
}

TEST(EntryChecker, PresetCount) {
  GocsRow e = GoodEntry();
  e.preset = QStringLiteral("0");
  EXPECT_PROBLEM(e, "preset: \"0\" is not a coordinate character 1..19");
  e.preset = QStringLiteral("K");
  EXPECT_PROBLEM(e, "is not a coordinate character 1..19");
  e.preset = QStringLiteral("13");
  EXPECT_PROBLEM(e, "preset: \"13\" is not one coordinate character");
  e.preset.clear();
  EXPECT_PROBLEM(e, "is not one coordinate character");
  e.preset = QStringLiteral("9");  // the string holds 7 triples
  EXPECT_PROBLEM(e, "preset: 9 preset stones but the stone string holds 7 triples");
  e.preset = QStringLiteral("2");
  EXPECT_PROBLEM(e, "preset: 2 preset stones end with White");
  e.preset = QStringLiteral("7");  // the whole string as preset stones is allowed
  EXPECT_TRUE(CheckEntry(e).isEmpty());
}

TEST(EntryChecker, NoStoneOnAnOccupiedPoint) {
  GocsRow e = GoodEntry();
  e.preset = QStringLiteral("3");
  e.stones = QStringLiteral("442???442");
  EXPECT_PROBLEM(e, "triple 3 \"442\": plays on an occupied point");
  // Without the capture, Black's last stone would land on White's stone.
  e.preset = QStringLiteral("1");
  e.stones = QStringLiteral("442111122???AA2???112");
  EXPECT_PROBLEM(e, "triple 7 \"112\": plays on an occupied point");
}

TEST(EntryChecker, Markers) {
  GocsRow e = GoodEntry();
  e.marks = QStringLiteral("63f");
  EXPECT_PROBLEM(e, "marks: triple 1 \"63f\": unknown marker code");
  e.marks = QStringLiteral("63a0Ab");
  EXPECT_PROBLEM(e, "marks: triple 2 \"0Ab\": not a point");
  e.marks = QStringLiteral("63aK");
  EXPECT_PROBLEM(e, "marks: 4 characters are not whole triples");
  e.marks = QStringLiteral("63A");  // upper-case letters are not marker codes
  EXPECT_PROBLEM(e, "unknown marker code");
}

TEST(EntryChecker, RecordSeparatorsAndNumbers) {
  GocsRow e = GoodEntry();
  e.record = QStringLiteral("Game 2/7 4411129921AA11");
  EXPECT_PROBLEM(e, "record: no \"|\" after the caption");
  e.record = QStringLiteral("Game|2/7 4411129921AA11");
  EXPECT_PROBLEM(e, "record: no \"|\" after the numbers");
  e.record = QStringLiteral("Game|2-7|4411129921AA11");
  EXPECT_PROBLEM(e, "record: no \"/\" between the two numbers");
  e.record = QStringLiteral("Game|x/7|4411129921AA11");
  EXPECT_PROBLEM(e, "record: first number \"x\" is not a number");
  e.record = QStringLiteral("Game|2/|4411129921AA11");
  EXPECT_PROBLEM(e, "record: last number \"\" is not a number");
  e.record = QStringLiteral("Game|0/7|4411129921AA11");
  EXPECT_PROBLEM(e, "record: first number 0 is below 1");
  e.record = QStringLiteral("Game|5/4|4411129921AA11");
  EXPECT_PROBLEM(e, "record: first number 5 is after the last 4");
  e.record = QStringLiteral("Game|2/8|4411129921AA11");
  EXPECT_PROBLEM(e, "record: last number 8 is beyond its 7 moves");
  e.record = QStringLiteral("Game|7/7|4411129921AA11");
  EXPECT_TRUE(CheckEntry(e).isEmpty());
}

TEST(EntryChecker, RecordPairsAndReplay) {
  GocsRow e = GoodEntry();
  e.record = QStringLiteral("Game|2/7|4411129921AA114");
  EXPECT_PROBLEM(e, "record: the moves have an odd number of characters");
  e.record = QStringLiteral("Game|2/7|44111299?1AA11");
  EXPECT_PROBLEM(e, "record: move 5 \"?1\": not a point");
  e.record = QStringLiteral("Game|2/7|4411129K21AA11");
  EXPECT_PROBLEM(e, "record: move 4 \"9K\": not a point");
  // Move 6 at 21 is White's, so nothing is captured and Black's move 7 lands on White's stone.
  e.record = QStringLiteral("Game|2/7|441112AA992111");
  EXPECT_PROBLEM(e, "record: move 7 \"11\": plays on an occupied point");
  e.record = QStringLiteral("Game|1/2|4444");
  EXPECT_PROBLEM(e, "record: move 2 \"44\": plays on an occupied point");
}

TEST(EntryChecker, CodeAndListedFlag) {
  GocsRow e = GoodEntry();
  e.five = QStringLiteral("3A010");
  EXPECT_PROBLEM(e, "code \"3A010\" does not start with a section character ('0', '1', '2')");
  e.five.clear();
  EXPECT_PROBLEM(e, "code \"\" does not start");
  e = GoodEntry();
  e.one = QStringLiteral("1");
  EXPECT_PROBLEM(e, "one is \"1\", not \"0\"");
  e.one.clear();
  EXPECT_PROBLEM(e, "one is \"\", not \"0\"");
}

TEST(EntryChecker, DuplicateIdsAndLineFormat) {
  GocsRow a = GoodEntry();
  GocsRow b = GoodEntry();
  b.title = QStringLiteral("Second");
  GocsRow c = GoodEntry();
  c.id = QStringLiteral("8");
  c.title = QStringLiteral("Third");
  c.one = QStringLiteral("1");
  EXPECT_EQ(CheckEntries({a, b, c}),
            (QStringList{QStringLiteral("7 Second: id is used by an earlier entry"),
                         QStringLiteral("8 Third: one is \"1\", not \"0\"")}));
}

// A database with table gocs in the column order the tools write.
class CheckDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.filePath(QStringLiteral("goc.db"));
    sql::Database db;
    ASSERT_EQ(db.Open(path_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE), SQLITE_OK);
    ASSERT_EQ(db.Exec("CREATE TABLE gocs (id INTEGER, one TEXT, marks TEXT, preset TEXT, "
                      "title TEXT, ref TEXT, comment TEXT, stones TEXT, record TEXT, five TEXT)"),
              SQLITE_OK);
  }
  void Insert(const char* sql) {
    sql::Database db;
    ASSERT_EQ(db.Open(path_, SQLITE_OPEN_READWRITE), SQLITE_OK);
    ASSERT_EQ(db.Exec(sql), SQLITE_OK) << db.ErrorText().toStdString();
  }
  int Run(const QStringList& args, QString* out, QString* err) {
    QTextStream o(out);
    QTextStream e(err);
    const int status = cli::RunCheck(args, o, e);
    o.flush();
    e.flush();
    return status;
  }
  QTemporaryDir dir_;
  QString path_;
};

TEST_F(CheckDatabase, ReadsFieldsByPositionAndNullAsEmpty) {
  Insert(
      "INSERT INTO gocs VALUES (12, '0', NULL, '1', '小ゲイマ', 'r', 'c', '442361', NULL, '0A')");
  std::vector<GocsRow> entries;
  QString error;
  ASSERT_TRUE(ReadGocsRows(path_, &entries, &error)) << error.toStdString();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].id, QStringLiteral("12"));
  EXPECT_EQ(entries[0].title, QStringLiteral("小ゲイマ"));
  EXPECT_EQ(entries[0].stones, QStringLiteral("442361"));
  EXPECT_EQ(entries[0].marks, QString());
  EXPECT_EQ(entries[0].record, QString());
  EXPECT_EQ(entries[0].five, QStringLiteral("0A"));
}

TEST_F(CheckDatabase, CommandReportsEachProblemAndExitsWithOne) {
  Insert(
      "INSERT INTO gocs VALUES (1, '0', '', '1', 'Good', '', '', '442361', '', '0A');"
      "INSERT INTO gocs VALUES (2, '0', '', '1', 'Bad', '', '', '442441', '', '3A');");
  QString out, err;
  EXPECT_EQ(Run({QStringLiteral("--db"), path_}, &out, &err), 1);
  EXPECT_EQ(out,
            QStringLiteral("2 Bad: stones: triple 2 \"441\": plays on an occupied point\n"
                           "2 Bad: code \"3A\" does not start with a section character ('0', '1', "
                           "'2')\n"
                           "2 entries, 2 problems\n"));
}

TEST_F(CheckDatabase, CommandPassesASoundDatabase) {
  Insert("INSERT INTO gocs VALUES (1, '0', '', '1', 'Good', '', '', '442361', '', '0A')");
  QString out, err;
  EXPECT_EQ(Run({QStringLiteral("--db"), path_}, &out, &err), 0);
  EXPECT_EQ(out, QStringLiteral("1 entry, no problems\n"));
  EXPECT_TRUE(err.isEmpty());
}

TEST_F(CheckDatabase, UnreadableDatabaseOrBadArguments) {
  QString out, err;
  const QString missing = dir_.filePath(QStringLiteral("missing.db"));
  EXPECT_EQ(Run({QStringLiteral("--db"), missing}, &out, &err), 1);
  EXPECT_TRUE(err.contains(missing)) << err.toStdString();
  err.clear();
  Insert("DROP TABLE gocs");
  EXPECT_EQ(Run({QStringLiteral("--db"), path_}, &out, &err), 1);
  EXPECT_TRUE(err.contains(QStringLiteral("no such table"))) << err.toStdString();
  EXPECT_EQ(Run({path_}, &out, &err), 2);
  EXPECT_TRUE(out.isEmpty());
}

}  // namespace
}  // namespace moraku
