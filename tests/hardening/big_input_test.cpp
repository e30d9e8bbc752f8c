// SPDX-License-Identifier: GPL-3.0-or-later
// Very long fields: a record of 10,000 moves and a stone string of 100,000 characters, read
// from a database like any entry, shown, played, hinted and searched to the end.

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QTemporaryDir>

#include "board/coords.h"
#include "data/sections.h"
#include "hardening/hardening_support.h"
#include "joseki/entry_display.h"
#include "joseki/next_move_hint.h"
#include "joseki/playback.h"
#include "joseki/recording_controls.h"
#include "joseki/window_load.h"
#include "search/search_run.h"

namespace moraku::test {
namespace {

using namespace hardening;

// `count` points of the board from a fixed seed, each as two coordinate characters; stones
// land on stones and groups are captured again and again.
QString RandomPairs(int count, quint32 seed) {
  QRandomGenerator gen(seed);
  QString s;
  s.reserve(2 * count);
  for (int i = 0; i < count; ++i) {
    s += CharFromCoord(1 + static_cast<int>(gen.bounded(19)));
    s += CharFromCoord(1 + static_cast<int>(gen.bounded(19)));
  }
  return s;
}

// A stone string of `length` characters: "442" then triples of random points with alternating
// colours, some of them tenuki, cut to the length.
QString LongStones(int length) {
  QString s = QStringLiteral("442");
  const QString points = RandomPairs(length / 3 + 1, 5);
  for (int i = 0; s.size() < length; ++i) {
    if (i % 50 == 49) {
      s += QStringLiteral("???");
    } else {
      s += points.mid(2 * i, 2);
      s += QChar(i % 2 == 0 ? u'1' : u'2');
    }
  }
  s.truncate(length);
  return s;
}

class BigInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(ExecSql(DbPath(), kCreateGocsTable).isEmpty());
  }
  QString DbPath() const { return dir_.filePath(QStringLiteral("goc.db")); }

  // Adds one section-2 entry; the strings are bound, not spliced into the SQL.
  void AddEntry(int id, const QString& stones, const QString& record, const QString& marks) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(DbPath()).constData(), &db), SQLITE_OK);
    sqlite3_stmt* insert = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "INSERT INTO gocs VALUES (?1,'0',?2,'1','t','r','c',?3,?4,"
                                 "'1' || ?1)",
                                 -1, &insert, nullptr),
              SQLITE_OK);
    const QByteArray m = marks.toUtf8(), st = stones.toUtf8(), rec = record.toUtf8();
    sqlite3_bind_int(insert, 1, id);
    sqlite3_bind_text(insert, 2, m.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 3, st.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 4, rec.constData(), -1, SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE);
    sqlite3_finalize(insert);
    sqlite3_close(db);
  }

  QTemporaryDir dir_;
};

TEST_F(BigInputTest, RecordOfTenThousandMovesPlaysToTheEnd) {
  const QString moves = RandomPairs(10000, 9);
  AddEntry(1, QStringLiteral("442361"), QStringLiteral("long|1/10000| ") + moves, QString());
  const FileSnapshot before = FileSnapshot::Of(DbPath());

  RecordingControls ui;
  ImageStore images(Fld2Dir());
  JosekiSession session(ui, images);
  session.state.SectionIndex = kStarPointSection;
  ASSERT_EQ(OpenSection(session, DbPath()), QString());
  EXPECT_EQ(session.state.RecordLength, 10000);
  EXPECT_EQ(session.state.RecordMoves, moves);
  EXPECT_EQ(ui.recordCaption, QStringLiteral("long"));

  ShowRecordToLastNumberedMove(session);
  EXPECT_EQ(session.state.MoveCount, 10000);
  StepForwardOne(session);  // past the end: stays on the last move
  EXPECT_EQ(session.state.MoveCount, 10000);
  StepBackFive(session);
  EXPECT_EQ(session.state.MoveCount, 9995);
  BackToFirstMove(session);
  StepForwardFive(session);
  StepBackOne(session);
  EXPECT_GT(session.state.MoveCount, 0);
  EXPECT_LT(session.state.MoveCount, 10);
  EXPECT_EQ(FileSnapshot::Of(DbPath()), before);
}

TEST_F(BigInputTest, StoneStringOfOneHundredThousandCharacters) {
  const QString stones = LongStones(100000);
  ASSERT_EQ(stones.size(), 100000);
  AddEntry(1, stones, QString(), stones.left(3000));
  AddEntry(2, QStringLiteral("442361"), QString(), QString());
  const FileSnapshot before = FileSnapshot::Of(DbPath());

  RecordingControls ui;
  ImageStore images(Fld2Dir());
  JosekiSession session(ui, images);
  session.state.SectionIndex = kStarPointSection;
  ASSERT_EQ(OpenSection(session, DbPath()), QString());
  ASSERT_EQ(ui.ListRowCount(), 2);
  EXPECT_GE(session.state.JosekiMoves.size(), 99990);
  EXPECT_TRUE(session.state.JosekiMoves.startsWith(stones.mid(3, 300)));

  StartHint(session);
  for (int i = 0; i < 50; ++i) ShowNextMove(session);

  // The whole triples of the string as the search text: the search ends either with a hit on
  // its timer or with a message.
  session.state.SearchText = stones.left(99999);
  session.state.MirrorText = stones.left(99999);
  ui.messages.clear();
  RunSearch(session);
  EXPECT_NE(session.state.FallbackFound, !ui.messages.isEmpty());
  EXPECT_EQ(ui.hitDeliveryTimerEnabled, session.state.FallbackFound);
  if (session.state.FallbackFound) FoundEntryTick(session);
  EndSearch(session);
  EXPECT_EQ(FileSnapshot::Of(DbPath()), before);
}

}  // namespace
}  // namespace moraku::test
