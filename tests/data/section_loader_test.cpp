// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/section_loader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>

#include "data/sections.h"
#include "data/sqlite_db.h"
#include "gocs_fixture.h"

namespace moraku {
namespace {

using test::NullableRow;
using test::Row;
using test::WriteGocs;

QStringList Titles(const EntryTable& table) {
  QStringList titles;
  for (std::size_t k = 1; k < table.entries.size(); ++k) titles << table.entries[k].title;
  return titles;
}

class SectionLoaderTest : public ::testing::Test {
 protected:
  QString PathOf(const QString& name) const { return dir_.filePath(name); }

  // Writes `rows` into a fresh database and loads `section` from it.
  SectionLoad Load(const std::vector<NullableRow>& rows, int section) {
    const QString path = PathOf(QStringLiteral("goc%1.db").arg(++files_));
    EXPECT_TRUE(WriteGocs(path, rows));
    return LoadSection(path, section);
  }

  QTemporaryDir dir_;
  int files_ = 0;
};

TEST_F(SectionLoaderTest, SectionsFilterAndOrderAsTheirQueriesSay) {
  const std::vector<NullableRow> rows = {
      Row("h-b", "0020"),        Row("s-b", "1015"),        Row("h-a", "0010"),
      Row("s-a", "1005"),        Row("h-off", "0030", "1"),  // listed in section 2 only
      Row("s-off", "1040", "1"),                             // not listed at all
      Row("k-b", "2001"),        Row("h-c", "0025"),        Row("k-a", "20005"),
      Row("k-off", "2000", "1"),  // not listed at all
  };
  const SectionLoad handicap = Load(rows, kHandicapSection);
  ASSERT_TRUE(handicap.error.isEmpty()) << handicap.error.toStdString();
  EXPECT_EQ(Titles(handicap.table), (QStringList{"h-a", "h-b", "h-c"}));

  // Section 2 sorts by the code without its first character, so both kinds interleave, and a
  // '0' code is listed whatever its `one`.
  const SectionLoad star = Load(rows, kStarPointSection);
  ASSERT_TRUE(star.error.isEmpty()) << star.error.toStdString();
  EXPECT_EQ(Titles(star.table), (QStringList{"s-a", "h-a", "s-b", "h-b", "h-c", "h-off"}));
  EXPECT_EQ(star.table.Count(), 6);
  EXPECT_EQ(star.table.records.size(), 6u);

  // The 3-4 point section lists only its own codes, by the whole code.
  const SectionLoad threeFour = Load(rows, kThreeFourSection);
  ASSERT_TRUE(threeFour.error.isEmpty()) << threeFour.error.toStdString();
  EXPECT_EQ(Titles(threeFour.table), (QStringList{"k-a", "k-b"}));
}

TEST_F(SectionLoaderTest, ReadsFieldsByPositionAndSplitsPresetStones) {
  NullableRow full = Row("title", "0001");
  full.marks = "33a";
  full.preset = "3";
  full.ref = "ref";
  full.comment = "comment";
  full.stones = "442DD2GG2351342";
  full.record = "caption|1/2|4433";
  NullableRow beyond = Row("beyond", "0002");
  beyond.preset = "9";
  beyond.stones = "442351";
  NullableRow negative = Row("negative", "0003");
  negative.preset = "FFFF";
  negative.stones = "442351";
  NullableRow outside = Row("outside", "0004");
  outside.preset = "?";
  outside.stones = "442351";

  const SectionLoad load = Load({full, beyond, negative, outside}, kHandicapSection);
  ASSERT_TRUE(load.error.isEmpty()) << load.error.toStdString();
  const EntryTable& t = load.table;
  ASSERT_EQ(t.Count(), 4);
  EXPECT_TRUE(t.entries[0].title.isEmpty());

  const Entry& e = t.entries[1];
  EXPECT_EQ(e.title, "title");
  EXPECT_EQ(e.ref, "ref");
  EXPECT_EQ(e.comment, "comment");
  EXPECT_EQ(e.marks, "33a");
  EXPECT_EQ(e.record, "caption|1/2|4433");
  EXPECT_EQ(e.presetCount, 3);
  EXPECT_EQ(e.preset, "442DD2GG2");
  EXPECT_EQ(e.moves, "351342");
  EXPECT_EQ(t.records[0].key, "1");
  EXPECT_EQ(t.records[0].stones, "442DD2GG2351342");

  EXPECT_EQ(t.entries[2].preset, "442351");
  EXPECT_EQ(t.entries[2].moves, "");
  EXPECT_EQ(t.entries[3].presetCount, 0);
  EXPECT_EQ(t.entries[3].preset, "");
  EXPECT_EQ(t.entries[3].moves, "442351");
  EXPECT_EQ(t.entries[4].preset, "");
  EXPECT_EQ(t.entries[4].moves, "442351");
  EXPECT_EQ(t.records[3].key, "4");
  EXPECT_EQ(t.records[3].stones, "442351");
}

TEST_F(SectionLoaderTest, NullFieldsReadAsEmptyWithoutDroppingTheEntry) {
  const NullableRow nulls{.one = QStringLiteral("0"),
                          .marks = std::nullopt,
                          .preset = std::nullopt,
                          .title = std::nullopt,
                          .ref = std::nullopt,
                          .comment = std::nullopt,
                          .stones = std::nullopt,
                          .record = std::nullopt,
                          .five = QStringLiteral("0001")};
  const SectionLoad load = Load({nulls, Row("after", "0002")}, kHandicapSection);
  ASSERT_TRUE(load.error.isEmpty()) << load.error.toStdString();
  ASSERT_EQ(load.table.Count(), 2);
  const Entry& e = load.table.entries[1];
  EXPECT_TRUE(e.title.isEmpty() && e.ref.isEmpty() && e.comment.isEmpty() && e.marks.isEmpty() &&
              e.preset.isEmpty() && e.moves.isEmpty() && e.record.isEmpty());
  EXPECT_EQ(e.presetCount, 0);
  EXPECT_EQ(load.table.entries[2].title, "after");
}

TEST_F(SectionLoaderTest, LoadsMoreThanTwelveHundredEntries) {
  std::vector<NullableRow> rows;
  for (int i = 0; i < 1201; ++i)
    rows.push_back(Row(QString::number(i), QString::asprintf("0%05d", i)));
  const SectionLoad load = Load(rows, kHandicapSection);
  ASSERT_TRUE(load.error.isEmpty()) << load.error.toStdString();
  ASSERT_EQ(load.table.Count(), 1201);
  EXPECT_EQ(load.table.entries[1201].title, "1200");
  EXPECT_EQ(load.table.records.back().key, "1201");
}

TEST_F(SectionLoaderTest, ReadsJapaneseTextAndSurvivesBytesThatAreNotUtf8) {
  const QString path = PathOf("bytes.db");
  ASSERT_TRUE(WriteGocs(path, {Row("星下一間", "0001")}));
  {
    sql::Database db;
    ASSERT_EQ(db.Open(path, SQLITE_OPEN_READWRITE), SQLITE_OK);
    ASSERT_EQ(db.Exec("UPDATE gocs SET comment = CAST(x'41ff80c3' AS TEXT), "
                      "stones = CAST(x'343432fe' AS TEXT)"),
              SQLITE_OK);
  }
  const SectionLoad load = LoadSection(path, kHandicapSection);
  ASSERT_TRUE(load.error.isEmpty()) << load.error.toStdString();
  ASSERT_EQ(load.table.Count(), 1);
  EXPECT_EQ(load.table.entries[1].title, QStringLiteral("星下一間"));
  EXPECT_TRUE(load.table.entries[1].comment.startsWith('A'));
  EXPECT_TRUE(load.table.records[0].stones.startsWith("442"));
}

// Every failure names the file, gives a reason and leaves the table empty.
class SectionLoaderFailureTest : public SectionLoaderTest {
 protected:
  void ExpectFailure(const QString& path, int section, const QString& reason) {
    const SectionLoad load = LoadSection(path, section);
    EXPECT_TRUE(load.error.contains(QDir::toNativeSeparators(path))) << load.error.toStdString();
    EXPECT_TRUE(load.error.startsWith(QStringLiteral("定石データベースを開けません。")))
        << load.error.toStdString();
    EXPECT_TRUE(load.error.contains(reason)) << load.error.toStdString();
    EXPECT_EQ(load.table.Count(), 0);
    EXPECT_TRUE(load.table.records.empty());
  }

  void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
  }
};

TEST_F(SectionLoaderFailureTest, FilesThatAreNotADatabase) {
  const QString missing = PathOf("missing.db");
  ExpectFailure(missing, kHandicapSection, QStringLiteral("ファイルがありません"));
  EXPECT_FALSE(QFile::exists(missing));

  const QString empty = PathOf("empty.db");
  WriteBytes(empty, {});
  ExpectFailure(empty, kHandicapSection, QStringLiteral("データベースではありません"));
  EXPECT_EQ(QFileInfo(empty).size(), 0);

  QByteArray noise(8192, '\0');
  QRandomGenerator random(7);
  for (char& c : noise) c = static_cast<char>(random.bounded(256));
  const QString randomBytes = PathOf("random.db");
  WriteBytes(randomBytes, noise);
  ExpectFailure(randomBytes, kStarPointSection, QStringLiteral("データベースではありません"));

  ExpectFailure(dir_.path(), kHandicapSection, QStringLiteral("ファイルではありません"));
}

TEST_F(SectionLoaderFailureTest, TruncatedDatabase) {
  std::vector<NullableRow> rows;
  for (int i = 0; i < 3000; ++i) {
    NullableRow r = Row(QString(40, QChar(u'題')), QString::asprintf("0%05d", i));
    r.comment = QString(60, QChar(u'x'));
    rows.push_back(r);
  }
  const QString path = PathOf("truncated.db");
  ASSERT_TRUE(WriteGocs(path, rows));
  QFile f(path);
  ASSERT_TRUE(f.resize(f.size() / 2));
  ExpectFailure(path, kHandicapSection, QStringLiteral("データベースが壊れています"));
}

TEST_F(SectionLoaderFailureTest, WrongTableShape) {
  const QString noTable = PathOf("notable.db");
  {
    sql::Database db;
    ASSERT_EQ(db.Open(noTable, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE), SQLITE_OK);
    ASSERT_EQ(db.Exec("CREATE TABLE other (id INTEGER)"), SQLITE_OK);
  }
  ExpectFailure(noTable, kHandicapSection, QStringLiteral("表 gocs がありません"));

  const QString fewColumns = PathOf("few.db");
  {
    sql::Database db;
    ASSERT_EQ(db.Open(fewColumns, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE), SQLITE_OK);
    ASSERT_EQ(db.Exec("CREATE TABLE gocs (id INTEGER, one TEXT, marks TEXT, preset TEXT, "
                      "title TEXT, ref TEXT, comment TEXT, five TEXT);"
                      "INSERT INTO gocs VALUES (1, '0', '', '1', 't', '', '', '0001')"),
              SQLITE_OK);
  }
  ExpectFailure(fewColumns, kHandicapSection, QStringLiteral("列が足りません"));

  const QString noFive = PathOf("nofive.db");
  {
    sql::Database db;
    ASSERT_EQ(db.Open(noFive, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE), SQLITE_OK);
    ASSERT_EQ(db.Exec("CREATE TABLE gocs (a, one, b, c, d, e, f, g, h, i)"), SQLITE_OK);
  }
  ExpectFailure(noFive, kStarPointSection, QStringLiteral("列が足りません"));

  const QString good = PathOf("good.db");
  ASSERT_TRUE(WriteGocs(good, {Row("t", "0001")}));
  ExpectFailure(good, 4, QStringLiteral("部の番号"));
}

TEST_F(SectionLoaderFailureTest, DatabaseLockedByAWriter) {
  const QString path = PathOf("locked.db");
  ASSERT_TRUE(WriteGocs(path, {Row("t", "0001")}));
  sql::Database writer;
  ASSERT_EQ(writer.Open(path, SQLITE_OPEN_READWRITE), SQLITE_OK);
  ASSERT_EQ(writer.Exec("BEGIN EXCLUSIVE; UPDATE gocs SET title = 'changed'"), SQLITE_OK);
  ExpectFailure(path, kHandicapSection, QStringLiteral("他のプログラムが使用中です"));
  ASSERT_EQ(writer.Exec("ROLLBACK"), SQLITE_OK);
  writer.Close();
  const SectionLoad after = LoadSection(path, kHandicapSection);
  EXPECT_TRUE(after.error.isEmpty());
  EXPECT_EQ(Titles(after.table), QStringList{"t"});
}

}  // namespace
}  // namespace moraku

namespace moraku {
namespace {

// The keys and titles that stepping through the section query itself returns.
QStringList QueryOrder(const QString& path, int section) {
  sql::Database db;
  EXPECT_EQ(db.Open(path, SQLITE_OPEN_READONLY), SQLITE_OK);
  sql::Statement rows;
  EXPECT_EQ(rows.Prepare(db, FindSection(section)->query), SQLITE_OK);
  QStringList order;
  while (rows.Step() == sql::StepResult::Row)
    order << rows.ColumnText(0) + ":" + rows.ColumnText(4);
  return order;
}

QStringList LoadedOrder(const SectionLoad& load) {
  QStringList order;
  for (std::size_t k = 0; k < load.table.records.size(); ++k)
    order << load.table.records[k].key + ":" + load.table.entries[k + 1].title;
  return order;
}

TEST_F(SectionLoaderTest, ReadsRecordsInExactlyTheOrderOfTheSectionQuery) {
  // Many equal codes and codes equal without their first character, records that are not
  // listed, and a Null code: the load reads records in table order and must still give back
  // the query's order.
  QRandomGenerator rng(7);
  std::vector<NullableRow> rows;
  for (int i = 0; i < 600; ++i) {
    NullableRow row = Row(QStringLiteral("t%1").arg(i),
                          QStringLiteral("%1%2").arg(rng.bounded(3)).arg(rng.bounded(40)),
                          rng.bounded(5) == 0 ? "1" : "0");
    if (i % 97 == 0) row.five.reset();
    rows.push_back(row);
  }
  const QString path = PathOf(QStringLiteral("order.db"));
  ASSERT_TRUE(WriteGocs(path, rows));
  for (int section : {kHandicapSection, kStarPointSection, kThreeFourSection}) {
    const SectionLoad load = LoadSection(path, section);
    ASSERT_TRUE(load.error.isEmpty()) << load.error.toStdString();
    EXPECT_EQ(LoadedOrder(load), QueryOrder(path, section)) << "section " << section;
  }
}

TEST_F(SectionLoaderTest, ReadsATableWithoutRowidsOrIndexesThroughTheQuery) {
  const QString path = PathOf(QStringLiteral("plain.db"));
  {
    sql::Database db;
    ASSERT_EQ(db.Open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE), SQLITE_OK);
    ASSERT_EQ(db.Exec("CREATE TABLE gocs (id TEXT PRIMARY KEY, one TEXT, marks TEXT, preset TEXT, "
                      "title TEXT, ref TEXT, comment TEXT, stones TEXT, record TEXT, five TEXT) "
                      "WITHOUT ROWID;"
                      "INSERT INTO gocs VALUES ('k1','0','','1','b','','','442','','1020');"
                      "INSERT INTO gocs VALUES ('k2','0','','1','a','','','442','','0010');"
                      "INSERT INTO gocs VALUES ('k3','0','','1','c','','','442','','1030')"),
              SQLITE_OK);
  }
  const SectionLoad star = LoadSection(path, kStarPointSection);
  ASSERT_TRUE(star.error.isEmpty()) << star.error.toStdString();
  EXPECT_EQ(LoadedOrder(star), (QStringList{"k2:a", "k1:b", "k3:c"}));
}

}  // namespace
}  // namespace moraku
