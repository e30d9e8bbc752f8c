// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/board_canvas.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "render/image_names.h"
#include "render/image_store.h"
#include "render_test_support.h"

namespace moraku {
namespace {

using test::CellOf;
using test::LoadSetFile;
using test::SameBlock;

const QRect kJosekiHalf(0, 0, 418, 437);
const QRect kGap(418, 0, 22, 437);
const QRect kRecordHalf(440, 0, 418, 437);

QRect CellRect(Board board, int col, int row) {
  return QRect(CellX(board, col), CellY(row), kCellWidth, kCellHeight);
}

// Every point of `board` in `master` shows the cell image of the tile the tile rule names.
void ExpectEmptyBoard(const QImage& master, Board board) {
  for (int row = 1; row <= 19; ++row) {
    for (int col = 1; col <= 19; ++col) {
      const QImage tile = CellOf(LoadSetFile(TileName({row, col})));
      ASSERT_FALSE(tile.isNull()) << qPrintable(TileName({row, col}));
      EXPECT_TRUE(SameBlock(master, CellRect(board, col, row), tile))
          << "col " << col << " row " << row << " should show " << qPrintable(TileName({row, col}));
    }
  }
}

// A copy of the image set in a temporary folder, so that files can be taken away.
class ImageSetCopy {
 public:
  ImageSetCopy() {
    for (const QString& name : AllImageNames())
      QFile::copy(test::Fld2Dir() + QLatin1Char('/') + name, Path() + QLatin1Char('/') + name);
  }
  QString Path() const { return dir_.path(); }
  bool Remove(const QString& name) const { return QFile::remove(Path() + QLatin1Char('/') + name); }
  bool Restore(const QString& name) const {
    return QFile::copy(test::Fld2Dir() + QLatin1Char('/') + name, Path() + QLatin1Char('/') + name);
  }

 private:
  QTemporaryDir dir_;
};

TEST(BoardCanvasEmptyBoard, EachBoardShowsTheTileRuleAndLeavesTheRestAlone) {
  ImageStore images(test::Fld2Dir());
  BoardCanvas canvas(images);
  const QImage blank = canvas.Master();

  ASSERT_TRUE(canvas.DrawEmptyBoard(Board::Joseki));
  ExpectEmptyBoard(canvas.Master(), Board::Joseki);
  EXPECT_TRUE(SameBlock(canvas.Master(), kRecordHalf, blank, kRecordHalf.topLeft()));
  EXPECT_TRUE(SameBlock(canvas.Master(), kGap, blank, kGap.topLeft()));
  EXPECT_EQ(canvas.Display(), canvas.Master());
  const QImage josekiOnly = canvas.Master();

  ASSERT_TRUE(canvas.DrawEmptyBoard(Board::Record));
  ExpectEmptyBoard(canvas.Master(), Board::Record);
  EXPECT_TRUE(SameBlock(canvas.Master(), kJosekiHalf, josekiOnly));
  EXPECT_TRUE(SameBlock(canvas.Master(), kGap, blank, kGap.topLeft()));
  EXPECT_EQ(canvas.Display(), canvas.Master());
  // The last tile drawn is the right edge's.
  EXPECT_EQ(canvas.Pattern(), LoadSetFile(QStringLiteral("right23.jpg")));
}

TEST(BoardCanvasEmptyBoard, RecordBoardFirstLeavesTheJosekiBoardBlank) {
  ImageStore images(test::Fld2Dir());
  BoardCanvas canvas(images);
  const QImage blank = canvas.Master();
  ASSERT_TRUE(canvas.DrawEmptyBoard(Board::Record));
  EXPECT_TRUE(SameBlock(canvas.Master(), kJosekiHalf, blank));
  EXPECT_TRUE(SameBlock(canvas.Master(), kGap, blank, kGap.topLeft()));
  ExpectEmptyBoard(canvas.Master(), Board::Record);
}

TEST(BoardCanvasDrawCell, CopiesTheBlockAtPixelOneAndClipsAtTheEdges) {
  // A pattern whose every column has its own colour shows which column lands where.
  QTemporaryDir dir;
  QImage striped(30, 25, QImage::Format_RGB32);
  for (int y = 0; y < striped.height(); ++y)
    for (int x = 0; x < striped.width(); ++x) striped.setPixel(x, y, qRgb(x * 8, y * 10, 77));
  ASSERT_TRUE(striped.save(dir.path() + QStringLiteral("/striped.png")));
  ImageStore images(dir.path());
  BoardCanvas canvas(images);
  const QImage blank = canvas.Master();
  ASSERT_TRUE(canvas.LoadPattern(QStringLiteral("striped.png")));

  canvas.DrawCell(100, 50);
  EXPECT_TRUE(SameBlock(canvas.Master(), QRect(100, 50, 22, 23), striped, QPoint(1, 0)));
  // Nothing beyond the 22 x 23 block: column 23 and row 23 of the pattern stay out.
  EXPECT_EQ(canvas.Master().pixel(122, 50), blank.pixel(122, 50));
  EXPECT_EQ(canvas.Master().pixel(100, 73), blank.pixel(100, 73));
  EXPECT_EQ(canvas.Master().pixel(99, 50), blank.pixel(99, 50));

  canvas.DrawCell(-5, -3);
  EXPECT_EQ(canvas.Master().pixel(0, 0), striped.pixel(6, 3));
  EXPECT_TRUE(SameBlock(canvas.Master(), QRect(0, 0, 17, 20), striped, QPoint(6, 3)));

  canvas.DrawCell(850, 430);
  EXPECT_TRUE(SameBlock(canvas.Master(), QRect(850, 430, 8, 7), striped, QPoint(1, 0)));
}

TEST(BoardCanvasDrawCell, TenukiMarkIsCutOffAtTheRightEdge) {
  ImageStore images(test::Fld2Dir());
  BoardCanvas canvas(images);
  ASSERT_TRUE(canvas.DrawEmptyBoard(Board::Record));
  const QImage before = canvas.Master();
  const QImage mark = LoadSetFile(QStringLiteral("newcross.gif"));
  ASSERT_TRUE(canvas.LoadPattern(QStringLiteral("newcross.gif")));
  canvas.DrawCell(839, 211);
  // Columns 1..19 of the file fill x 839..857; the rest of the picture is as it was.
  EXPECT_TRUE(SameBlock(canvas.Master(), QRect(839, 211, 19, 23), mark, QPoint(1, 0)));
  for (int y = 0; y < kBoardPictureHeight; ++y) {
    for (int x = 0; x < kBoardPictureWidth; ++x) {
      if (QRect(839, 211, 19, 23).contains(x, y)) continue;
      ASSERT_EQ(canvas.Master().pixel(x, y), before.pixel(x, y)) << x << "," << y;
    }
  }
}

TEST(BoardCanvasPresent, DisplayFollowsMasterOnlyWhenPresented) {
  ImageStore images(test::Fld2Dir());
  BoardCanvas canvas(images);
  ASSERT_TRUE(canvas.DrawEmptyBoard(Board::Joseki));
  const QImage shown = canvas.Display();
  const int presents = canvas.PresentCount();
  std::vector<QRect> changes;
  canvas.SetPresentListener([&](const QRect& changed) { changes.push_back(changed); });

  ASSERT_TRUE(canvas.LoadPattern(QStringLiteral("zkuro7.gif")));
  canvas.DrawCell(66, 345);
  EXPECT_EQ(canvas.Display(), shown);
  EXPECT_NE(canvas.Master(), shown);
  EXPECT_TRUE(changes.empty());

  canvas.Present();
  EXPECT_EQ(canvas.Display(), canvas.Master());
  EXPECT_EQ(canvas.PresentCount(), presents + 1);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], QRect(66, 345, 22, 23));
}

TEST(BoardCanvasFailure, MissingStarTileStopsAfterTheInnerCrossings) {
  ImageSetCopy copy;
  ImageStore images(copy.Path(), /*caching=*/false);
  BoardCanvas canvas(images);
  ASSERT_TRUE(canvas.DrawEmptyBoard(Board::Joseki));
  // Something on the board that only the corner tiles would paint over.
  ASSERT_TRUE(canvas.LoadPattern(QStringLiteral("zkuro1.gif")));
  canvas.DrawCell(CellX(Board::Joseki, 1), CellY(1));
  canvas.Present();
  const QImage shown = canvas.Display();
  const QImage master = canvas.Master();
  // A caching store that has not loaded the tile yet fails the same way.
  ImageStore fresh(copy.Path());
  BoardCanvas again(fresh);
  ASSERT_TRUE(copy.Remove(QStringLiteral("crossdot23.jpg")));

  for (BoardCanvas* c : {&canvas, &again}) {
    const QImage startMaster = c->Master();
    const QImage startDisplay = c->Display();
    const int presents = c->PresentCount();
    EXPECT_FALSE(c->DrawEmptyBoard(Board::Joseki));
    EXPECT_EQ(c->PresentCount(), presents);
    EXPECT_EQ(c->Display(), startDisplay);
    const QImage cross = CellOf(LoadSetFile(QStringLiteral("cross23.jpg")));
    for (int row = 2; row <= 18; ++row)
      for (int col = 2; col <= 18; ++col)
        EXPECT_TRUE(SameBlock(c->Master(), CellRect(Board::Joseki, col, row), cross))
            << col << "," << row;
    // Corners and edges were not reached.
    for (int i = 1; i <= 19; ++i) {
      for (const QRect& r : {CellRect(Board::Joseki, i, 1), CellRect(Board::Joseki, i, 19),
                             CellRect(Board::Joseki, 1, i), CellRect(Board::Joseki, 19, i)})
        EXPECT_TRUE(SameBlock(c->Master(), r, startMaster, r.topLeft()));
    }
  }
  EXPECT_EQ(canvas.Display(), shown);
  EXPECT_TRUE(SameBlock(canvas.Master(), CellRect(Board::Joseki, 1, 1), master, QPoint(0, 0)));

  // A failed load is not remembered: with the tile back the board draws in full.
  ASSERT_TRUE(copy.Restore(QStringLiteral("crossdot23.jpg")));
  EXPECT_TRUE(again.DrawEmptyBoard(Board::Joseki));
  ExpectEmptyBoard(again.Master(), Board::Joseki);
}

TEST(BoardCanvasFailure, MissingFileKeepsThePreviousPatternAndDrawsNothing) {
  ImageSetCopy copy;
  ImageStore images(copy.Path());
  BoardCanvas canvas(images);
  ASSERT_TRUE(copy.Remove(QStringLiteral("cross23.jpg")));
  ASSERT_TRUE(canvas.LoadPattern(QStringLiteral("zshiro3.gif")));
  EXPECT_FALSE(canvas.LoadPattern(QStringLiteral("zshiro56.gif")));
  EXPECT_EQ(canvas.Pattern(), LoadSetFile(QStringLiteral("zshiro3.gif")));

  const QImage before = canvas.Master();
  const int presents = canvas.PresentCount();
  EXPECT_FALSE(canvas.RedrawEmptyPoint(Board::Record, {7, 7}));
  EXPECT_EQ(canvas.Master(), before);
  EXPECT_EQ(canvas.PresentCount(), presents);
  EXPECT_EQ(canvas.Pattern(), LoadSetFile(QStringLiteral("zshiro3.gif")));
}

TEST(BoardCanvasRedraw, EmptyTileRestoresTheEmptyBoardUnderStones) {
  ImageStore images(test::Fld2Dir());
  BoardCanvas canvas(images);
  ASSERT_TRUE(canvas.DrawEmptyBoard(Board::Joseki));
  ASSERT_TRUE(canvas.DrawEmptyBoard(Board::Record));
  const QImage empty = canvas.Master();
  struct Point {
    Board board;
    int col, row;
  };
  const Point points[] = {{Board::Joseki, 1, 1},  {Board::Joseki, 19, 19}, {Board::Joseki, 10, 1},
                          {Board::Joseki, 4, 16}, {Board::Record, 4, 16},  {Board::Record, 19, 7},
                          {Board::Record, 1, 19}, {Board::Record, 7, 7}};
  ASSERT_TRUE(canvas.LoadPattern(QStringLiteral("zkuro7.gif")));
  for (const Point& p : points) canvas.DrawCell(CellX(p.board, p.col), CellY(p.row));
  canvas.Present();
  // The record board's 4-4 point of the lower-left corner lies at (506, 345).
  EXPECT_TRUE(SameBlock(canvas.Master(), QRect(506, 345, 22, 23),
                        CellOf(LoadSetFile(QStringLiteral("zkuro7.gif")))));
  for (const Point& p : points) EXPECT_TRUE(canvas.RedrawEmptyPoint(p.board, {p.row, p.col}));
  EXPECT_EQ(canvas.Master(), empty);
  EXPECT_EQ(canvas.Display(), empty);
}

}  // namespace
}  // namespace moraku
