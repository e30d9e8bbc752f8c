// SPDX-License-Identifier: GPL-3.0-or-later
// moraku-db render and moraku-db board, run as the user runs them.

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "board/coords.h"
#include "gocs_fixture.h"
#include "joseki/joseki_test_support.h"
#include "test_paths.h"

namespace moraku::test {
namespace {

using namespace joseki_support;

struct ToolRun {
  int status = -1;
  QString out;
  QString err;
};

ToolRun RunDbTool(const QStringList& args) {
  QProcess process;
  process.start(DbTool(), args);
  ToolRun run;
  if (!process.waitForFinished(60000)) return run;
  run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = QString::fromUtf8(process.readAllStandardOutput());
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

class RenderCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NullableRow first;
    first.five = "0a";
    first.title = "first";
    first.stones = "442331";
    NullableRow second;
    second.five = "0b";
    second.title = "second";
    second.preset = "1";
    second.marks = "99a";
    second.stones = "442111122991212";  // white 1 in the corner is captured by black 4
    second.record = "Rec|1/3|121121";   // the same capture on the record board
    db_ = dir_.path() + "/goc.db";
    NullableRow threeFour;  // the 3-4 point, a small knight's approach, a one-space pincer
    threeFour.five = "2a";
    threeFour.title = "pincer";
    threeFour.stones = "342531732";
    ASSERT_TRUE(WriteGocs(db_, {first, second, threeFour}));
    out_ = dir_.path() + "/board.png";
  }
  QImage Rendered() const { return QImage(out_).convertToFormat(QImage::Format_RGB32); }
  bool Shows(const QImage& picture, Board board, int row, int col, const QString& name) const {
    return PointBlock(picture, board, row, col) == FileCell(Fld2Dir(), name);
  }

  QTemporaryDir dir_;
  QString db_;
  QString out_;
};

TEST_F(RenderCommandTest, DrawsAThreeFourEntryFromItsOpeningStone) {
  const ToolRun run =
      RunDbTool({"render", "--db", db_, "--section", "3", "--entry", "1", "--out", out_});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QImage picture = Rendered();
  EXPECT_TRUE(Shows(picture, Board::Joseki, 3, 4, "mygold.gif"));
  EXPECT_TRUE(Shows(picture, Board::Joseki, 5, 3, "zshiro1.gif"));
  EXPECT_TRUE(Shows(picture, Board::Joseki, 7, 3, "zkuro2.gif"));
  EXPECT_TRUE(Shows(picture, Board::Joseki, 4, 4, "crossdot23.jpg"));
}

TEST_F(RenderCommandTest, WritesTheBoardPictureOfTheChosenEntry) {
  const ToolRun run =
      RunDbTool({"render", "--db", db_, "--section", "1", "--entry", "2", "--out", out_});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QImage picture = Rendered();
  ASSERT_EQ(picture.size(), QSize(kBoardPictureWidth, kBoardPictureHeight));
  EXPECT_TRUE(Shows(picture, Board::Joseki, 4, 4, "mygold.gif"));
  EXPECT_TRUE(Shows(picture, Board::Joseki, 1, 1, "upleft23.jpg"));  // captured
  EXPECT_TRUE(Shows(picture, Board::Joseki, 1, 2, "zkuro2.gif"));
  EXPECT_TRUE(Shows(picture, Board::Joseki, 9, 9, "aa.gif"));
  EXPECT_TRUE(Shows(picture, Board::Record, 1, 1, "upleft23.jpg"));
  EXPECT_TRUE(Shows(picture, Board::Record, 2, 1, "zkuro3.gif"));
}

TEST_F(RenderCommandTest, RecordMoveStepsTheRecordBoard) {
  const ToolRun run = RunDbTool({"render", "--db", db_, "--section", "1", "--entry", "2",
                                 "--record-move", "2", "--out", out_});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QImage picture = Rendered();
  EXPECT_TRUE(Shows(picture, Board::Record, 1, 1, "zshiro2.gif"));
  EXPECT_TRUE(Shows(picture, Board::Record, 1, 2, "zkuro1.gif"));
  EXPECT_TRUE(Shows(picture, Board::Record, 2, 1, "left23.jpg"));
}

TEST_F(RenderCommandTest, RefusesBadArgumentsAndMissingData) {
  struct Case {
    QStringList args;
    int status;
    const char* says;
  };
  const QString missing = dir_.path() + "/absent.db";
  const Case cases[] = {
      {{"--db", missing, "--section", "1", "--entry", "1", "--out", out_}, 1, "absent.db"},
      {{"--db", db_, "--section", "4", "--entry", "1", "--out", out_}, 2, "section"},
      {{"--db", db_, "--section", "1", "--entry", "9", "--out", out_}, 1, "entry 9"},
      {{"--db", db_, "--section", "1", "--entry", "x", "--out", out_}, 2, "--entry"},
      {{"--db", db_, "--section", "1", "--entry", "1"}, 2, "--out"},
      {{"--db", db_, "--section", "1", "--entry", "1", "--out", out_, "--size"}, 2, "--size"},
      {{"--db", db_, "--section", "1", "--entry", "1", "--record-move", "1", "--out", out_},
       1,
       "no record"},
      {{"--db", db_, "--section", "1", "--entry", "2", "--record-move", "4", "--out", out_},
       1,
       "move 4"},
      {{"--db", db_, "--section", "1", "--entry", "1", "--out", dir_.path() + "/no/such.png"},
       1,
       "such.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const ToolRun run = RunDbTool(QStringList{"render"} + c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out_));
  }
}

TEST(BoardCommandTest, PrintsTheBoardAfterACapture) {
  const QString dots(17, QChar('.'));
  const QString empty(19, QChar('.'));
  ToolRun run = RunDbTool({"board", "--record", "C|1/3|121121"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  QStringList expected = {".X" + dots, "X." + dots};
  for (int i = 0; i < 17; ++i) expected << empty;
  EXPECT_EQ(run.out, expected.join('\n') + '\n');

  run = RunDbTool({"board", "--record", "C|1/3|121121", "--to", "2"});
  ASSERT_EQ(run.status, 0);
  expected[0] = "OX" + dots;
  expected[1] = empty;
  EXPECT_EQ(run.out, expected.join('\n') + '\n');

  // The full record, not only the moves the display shows; a column J is column 19.
  run = RunDbTool({"board", "--record", "C|1/1|JJ1J"});
  ASSERT_EQ(run.status, 0);
  const QStringList lines = run.out.split('\n');
  EXPECT_EQ(lines[0], QString(18, QChar('.')) + "O");
  EXPECT_EQ(lines[18], QString(18, QChar('.')) + "X");
}

TEST(BoardCommandTest, RefusesBadArguments) {
  struct Case {
    QStringList args;
    int status;
  };
  const Case cases[] = {
      {{}, 2},
      {{"--record"}, 2},
      {{"--record", "C|1/3|4433", "--to", "-1"}, 2},
      {{"--record", "C|1/3|4433", "--to", "x"}, 2},
      {{"--record", "C|1/3|4433", "--from", "1"}, 2},
      {{"--record", "no separators"}, 1},
      {{"--record", "C|1/3|4433", "--to", "3"}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const ToolRun run = RunDbTool(QStringList{"board"} + c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_FALSE(run.err.isEmpty());
    EXPECT_TRUE(run.out.isEmpty());
  }
}

}  // namespace
}  // namespace moraku::test
