// SPDX-License-Identifier: GPL-3.0-or-later
// Checks of the generated image set as files on disk: that the program can load every file and
// that the pictures read as a Go board (continuous grid, star points, stones, numbers, marks).

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <QImageReader>
#include <QSet>
#include <cmath>

#include "render/board_canvas.h"
#include "render/image_names.h"
#include "render/image_store.h"
#include "render_test_support.h"

namespace moraku {
namespace {

using test::CellOf;
using test::ChannelDistance;
using test::IsLineDark;
using test::IsRed;
using test::LoadSetFile;
using test::Luma;

// Cell pixels at distance `radius` around the middle of the crossing pixel (11, 11).
std::vector<QPoint> Ring(double radius) {
  std::vector<QPoint> points;
  for (int step = 0; step < 32; ++step) {
    const double a = step * 2 * M_PI / 32;
    points.emplace_back(static_cast<int>(std::floor(11.5 + radius * std::cos(a))),
                        static_cast<int>(std::floor(11.5 + radius * std::sin(a))));
  }
  return points;
}

int CountPixels(const QImage& cell, const std::function<bool(QRgb)>& test) {
  int n = 0;
  for (int y = 0; y < cell.height(); ++y)
    for (int x = 0; x < cell.width(); ++x) n += test(cell.pixel(x, y)) ? 1 : 0;
  return n;
}

QByteArray Digest(const QImage& image) {
  return QCryptographicHash::hash(
      QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()),
      QCryptographicHash::Sha1);
}

QStringList StoneFiles() {
  QStringList names;
  for (int n = 1; n <= 55; ++n) names << NumberedStoneName(true, n) << NumberedStoneName(false, n);
  names << "zkurored.gif"
        << "zshirored.gif"
        << "mygold.gif"
        << "ysilver.gif"
        << "zgold.gif";
  return names;
}

bool IsBlackStoneFile(const QString& name) {
  return name.startsWith(QLatin1String("zkuro")) || name == QLatin1String("mygold.gif");
}

TEST(ImageSetFiles, EveryFileLoadsInItsFormatWithRoomForTheCell) {
  const QStringList names = AllImageNames();
  EXPECT_EQ(names.size(), 134);
  EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 134);
  for (const QString& name : names) {
    QImageReader reader(test::Fld2Dir() + QLatin1Char('/') + name);
    EXPECT_EQ(reader.format(), name.endsWith(QLatin1String(".jpg")) ? "jpeg" : "gif")
        << qPrintable(name);
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << qPrintable(name) << ": " << qPrintable(reader.errorString());
    EXPECT_GE(image.width(), 23) << qPrintable(name);
    EXPECT_GE(image.height(), 23) << qPrintable(name);
  }
}

TEST(ImageSetFiles, HiddenColumnStandsOutFromTheCell) {
  // A copy taken one pixel too far left must be visible: column 0 is far from column 1.
  for (const QString& name : AllImageNames()) {
    const QImage file = LoadSetFile(name);
    int total = 0;
    for (int y = 0; y < file.height(); ++y)
      total += ChannelDistance(file.pixel(0, y), file.pixel(1, y));
    EXPECT_GT(total / file.height(), 60) << qPrintable(name);
  }
}

TEST(ImageSetTiles, EmptyBoardsFormOneContinuousGridWithStarPoints) {
  ImageStore images(test::Fld2Dir());
  BoardCanvas canvas(images);
  ASSERT_TRUE(canvas.DrawEmptyBoard(Board::Joseki));
  ASSERT_TRUE(canvas.DrawEmptyBoard(Board::Record));
  const QImage& master = canvas.Master();
  const QRgb wood = master.pixel(5, 5);
  for (Board board : {Board::Joseki, Board::Record}) {
    const int x0 = CellX(board, 1);
    for (int y = 0; y < kBoardPictureHeight; ++y) {
      for (int x = 0; x < 19 * kCellWidth; ++x) {
        const int col = x / kCellWidth + 1;
        const int row = y / kCellHeight + 1;
        const int cx = x % kCellWidth;
        const int cy = y % kCellHeight;
        const bool star =
            (col == 4 || col == 10 || col == 16) && (row == 4 || row == 10 || row == 16);
        if (star && std::abs(cx - 11) <= 3 && std::abs(cy - 11) <= 3) continue;
        // Lines run between the centres of the outermost points, nowhere beyond.
        const bool vertical = cx == 11 && y >= 11 && y <= 18 * kCellHeight + 11;
        const bool horizontal = cy == 11 && x >= 11 && x <= 18 * kCellWidth + 11;
        const QRgb p = master.pixel(x0 + x, y);
        ASSERT_EQ(IsLineDark(p), vertical || horizontal)
            << "board x " << x << " y " << y << " luma " << Luma(p);
        // No colour fringe beside the lines: the wood is one colour.
        if (!vertical && !horizontal) {
          ASSERT_LE(ChannelDistance(p, wood), 10) << x << "," << y;
        }
      }
    }
    for (int col : {4, 10, 16})
      for (int row : {4, 10, 16})
        for (QPoint d : {QPoint(-2, -2), QPoint(2, -2), QPoint(-2, 2), QPoint(2, 2)})
          EXPECT_TRUE(
              IsLineDark(master.pixel(CellX(board, col) + 11 + d.x(), CellY(row) + 11 + d.y())))
              << "star dot at " << col << "," << row;
  }
}

TEST(ImageSetStones, StonesAreOpaqueAndCarryTheBoardAroundThem) {
  const QImage tile = CellOf(LoadSetFile(QStringLiteral("cross23.jpg")));
  for (const QString& name : StoneFiles()) {
    const QImage cell = CellOf(LoadSetFile(name));
    // The grid crossing continues up to the stone from all four sides.
    for (QPoint p : {QPoint(11, 0), QPoint(11, 22), QPoint(0, 11)})
      EXPECT_TRUE(IsLineDark(cell.pixel(p))) << qPrintable(name) << " line at " << p.x();
    // The corners of the cell are the wood of the tiles, so no square shows around a stone.
    for (QPoint p : {QPoint(1, 1), QPoint(20, 1), QPoint(1, 21), QPoint(20, 21)})
      EXPECT_LE(ChannelDistance(cell.pixel(p), tile.pixel(p)), 6) << qPrintable(name);
    // The stone nearly fills the cell: its rim at radius 8.5 is stone, not wood or line.
    if (name == QLatin1String("zgold.gif")) continue;
    const bool black = IsBlackStoneFile(name);
    for (QPoint p : Ring(8.5)) {
      const int luma = Luma(cell.pixel(p));
      if (black) {
        EXPECT_LT(luma, 70) << qPrintable(name) << " at " << p.x() << "," << p.y();
      } else {
        EXPECT_GT(luma, 150) << qPrintable(name) << " at " << p.x() << "," << p.y();
      }
    }
  }
}

TEST(ImageSetStones, NumbersContrastWithTheStoneAndAreAllDifferent) {
  QSet<QByteArray> seen;
  const QImage plainBlack = CellOf(LoadSetFile(QStringLiteral("mygold.gif")));
  const QImage plainWhite = CellOf(LoadSetFile(QStringLiteral("ysilver.gif")));
  seen << Digest(plainBlack) << Digest(plainWhite);
  for (int n = 1; n <= 55; ++n) {
    for (bool black : {true, false}) {
      const QString name = NumberedStoneName(black, n);
      const QImage cell = CellOf(LoadSetFile(name));
      // Ink of the number inside the stone, in the colour opposite the stone's.
      int ink = 0;
      for (int y = 6; y <= 17; ++y)
        for (int x = 4; x <= 18; ++x)
          ink += black ? Luma(cell.pixel(x, y)) > 190 : Luma(cell.pixel(x, y)) < 70;
      EXPECT_GE(ink, n < 10 ? 8 : 14) << qPrintable(name);
      EXPECT_TRUE(!seen.contains(Digest(cell))) << qPrintable(name) << " looks like another";
      seen << Digest(cell);
    }
  }
}

TEST(ImageSetStones, RedMarksOnlyOnTheMarkedStonesAndTheFirstMovePoint) {
  for (const QString& name : AllImageNames()) {
    const QImage cell = CellOf(LoadSetFile(name));
    const int red = CountPixels(cell, IsRed);
    if (name == QLatin1String("zkurored.gif") || name == QLatin1String("zshirored.gif")) {
      EXPECT_GE(red, 25) << qPrintable(name);
      EXPECT_TRUE(IsRed(cell.pixel(11, 11))) << qPrintable(name);
    } else if (name == QLatin1String("mmmcross.gif")) {
      EXPECT_GE(red, 25) << qPrintable(name);
      EXPECT_TRUE(IsLineDark(cell.pixel(11, 11))) << "the crossing stays visible";
    } else {
      EXPECT_EQ(red, 0) << qPrintable(name);
    }
  }
}

TEST(ImageSetStones, GoldStoneIsNeitherBlackNorWhite) {
  const QImage cell = CellOf(LoadSetFile(QStringLiteral("zgold.gif")));
  const QRgb body = cell.pixel(13, 14);
  EXPECT_GT(qRed(body), qBlue(body) + 80);
  EXPECT_GT(qGreen(body), qBlue(body) + 50);
  EXPECT_GT(Luma(body), 90);
}

TEST(ImageSetMarks, StoneMarksAreClearlySmallerThanStones) {
  // Pixels of a stone's colour off the grid lines, which every cell carries.
  auto area = [](const QString& name, bool black) {
    const QImage cell = CellOf(LoadSetFile(name));
    int n = 0;
    for (int y = 0; y < cell.height(); ++y)
      for (int x = 0; x < cell.width(); ++x)
        if (x != 11 && y != 11)
          n += black ? Luma(cell.pixel(x, y)) < 70 : Luma(cell.pixel(x, y)) > 215;
    return n;
  };
  const int blackMark = area(QStringLiteral("kurokuro.gif"), true);
  const int whiteMark = area(QStringLiteral("shiroshiro.gif"), false);
  EXPECT_GT(blackMark, 30);
  EXPECT_GT(whiteMark, 15);
  EXPECT_LT(blackMark * 2, area(QStringLiteral("mygold.gif"), true));
  EXPECT_LT(whiteMark * 2, area(QStringLiteral("ysilver.gif"), false));
  for (const char* name : {"kurokuro.gif", "shiroshiro.gif"}) {
    const QImage cell = CellOf(LoadSetFile(QString::fromLatin1(name)));
    EXPECT_TRUE(IsLineDark(cell.pixel(11, 1))) << name << ": the grid runs up to the mark";
    EXPECT_TRUE(IsLineDark(cell.pixel(2, 11))) << name;
  }
}

TEST(ImageSetMarks, LettersStandOnClearedWood) {
  const QImage tile = CellOf(LoadSetFile(QStringLiteral("cross23.jpg")));
  QSet<QByteArray> seen;
  for (const char* name : {"aa.gif", "ab.gif", "ac.gif", "ad.gif", "ae.gif"}) {
    const QImage cell = CellOf(LoadSetFile(QString::fromLatin1(name)));
    seen << Digest(cell);
    // The grid stops short of the letter and goes on outside it.
    EXPECT_FALSE(IsLineDark(cell.pixel(4, 11))) << name;
    EXPECT_FALSE(IsLineDark(cell.pixel(18, 11))) << name;
    EXPECT_TRUE(IsLineDark(cell.pixel(0, 11))) << name;
    EXPECT_TRUE(IsLineDark(cell.pixel(11, 22))) << name;
    EXPECT_LE(ChannelDistance(cell.pixel(4, 11), tile.pixel(4, 4)), 6) << name;
    int ink = 0;
    for (int y = 5; y <= 17; ++y)
      for (int x = 5; x <= 17; ++x) ink += Luma(cell.pixel(x, y)) < 90;
    EXPECT_GE(ink, 20) << name;
  }
  EXPECT_EQ(seen.size(), 5);
}

TEST(ImageSetMarks, TenukiButtonsContinueTheRecordBoardGrid) {
  ImageStore images(test::Fld2Dir());
  BoardCanvas canvas(images);
  ASSERT_TRUE(canvas.DrawEmptyBoard(Board::Record));
  ASSERT_TRUE(canvas.LoadPattern(QStringLiteral("newcross.gif")));
  for (int x : {795, 817, 839}) canvas.DrawCell(x, 211);
  const QImage& m = canvas.Master();
  // Vertical lines of columns 17..19 run on through the top row of the buttons' images, and
  // the line of row 10 comes in at the left.
  for (int x : {803, 825, 847}) {
    EXPECT_TRUE(IsLineDark(m.pixel(x, 211))) << x;
    EXPECT_TRUE(IsLineDark(m.pixel(x, 233))) << x;
    EXPECT_FALSE(IsLineDark(m.pixel(x - 4, 233))) << x;
  }
  EXPECT_TRUE(IsLineDark(m.pixel(795, 218)));
  EXPECT_TRUE(IsLineDark(m.pixel(794, 218)));
  // Nothing of the grid shows beyond the board's right edge line (the button is blue).
  for (int x = 848; x < kBoardPictureWidth; ++x)
    for (int y = 200; y < 240; ++y) {
      const QRgb p = m.pixel(x, y);
      EXPECT_FALSE(IsLineDark(p) && qBlue(p) < 100) << x << "," << y;
    }
  // Each button is blue and shows its own "?".
  int blue = 0;
  for (int y = 211; y < 234; ++y)
    for (int x = 795; x < 817; ++x) blue += qBlue(m.pixel(x, y)) > qRed(m.pixel(x, y)) + 60;
  EXPECT_GE(blue, 40);
}

}  // namespace
}  // namespace moraku
