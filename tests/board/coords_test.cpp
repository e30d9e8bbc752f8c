// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/coords.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace moraku {
namespace {

TEST(CoordFromChar, FollowsTheCoordinateAlphabet) {
  EXPECT_EQ(CoordFromChar(u"1"), 1);
  EXPECT_EQ(CoordFromChar(u"9"), 9);
  EXPECT_EQ(CoordFromChar(u"A"), 10);
  EXPECT_EQ(CoordFromChar(u"a"), 10);
  EXPECT_EQ(CoordFromChar(u"F"), 15);
  EXPECT_EQ(CoordFromChar(u"f"), 15);
  EXPECT_EQ(CoordFromChar(u"G"), 16);
  EXPECT_EQ(CoordFromChar(u"J"), 19);
  EXPECT_EQ(CoordFromChar(u"j"), 0);
  EXPECT_EQ(CoordFromChar(u"g"), 0);
  EXPECT_EQ(CoordFromChar(u"K"), 0);
  EXPECT_EQ(CoordFromChar(u"?"), 0);
  EXPECT_EQ(CoordFromChar(u"0"), 0);
  EXPECT_EQ(CoordFromChar(u""), 0);
  EXPECT_EQ(CoordFromChar(u" "), 0);
  EXPECT_EQ(CoordFromChar(u"\u3000"), 0);
}

TEST(CoordFromChar, ReadsLongerTextAsSixteenBitHexadecimal) {
  EXPECT_EQ(CoordFromChar(u"1A"), 26);
  EXPECT_EQ(CoordFromChar(u"FFFF"), -1);
  EXPECT_EQ(CoordFromChar(u"7FFF"), 32767);
  EXPECT_EQ(CoordFromChar(u"8000"), -32768);
  EXPECT_EQ(CoordFromChar(u"10000"), 0);
  EXPECT_EQ(CoordFromChar(u"GG"), 0);
  EXPECT_EQ(CoordFromChar(u"3?"), 0);
}

TEST(CharFromCoord, WritesUpperCaseAndRoundTrips) {
  for (int v = 1; v <= 19; ++v) {
    const QChar c = CharFromCoord(v);
    EXPECT_EQ(CoordFromChar(QStringView(&c, 1)), v);
    EXPECT_FALSE(c.isLower());
  }
}

TEST(MoveStrings, WalkTriplesAndPairsIncludingAFinalIncompleteOne) {
  QStringList seen;
  ForEachTriple(u"3D2D31442??1X", [&](QStringView r, QStringView c, QStringView t) {
    seen << (r.toString() + "|" + c.toString() + "|" + t.toString());
  });
  EXPECT_EQ(seen, (QStringList{"3|D|2", "D|3|1", "4|4|2", "?|?|1", "X||"}));
  seen.clear();
  ForEachPair(u"4433554",
              [&](QStringView r, QStringView c) { seen << (r.toString() + "|" + c.toString()); });
  EXPECT_EQ(seen, (QStringList{"4|4", "3|3", "5|5", "4|"}));
}

TEST(Cells, MapPointsToPixelsAndBack) {
  EXPECT_EQ(CellX(Board::Joseki, 4), 66);
  EXPECT_EQ(CellX(Board::Record, 4), 506);
  EXPECT_EQ(CellY(16), 345);
  EXPECT_EQ(CellX(Board::Record, 1), 440);
  EXPECT_EQ(CellX(Board::Joseki, 19) + kCellWidth - 1, 417);
  EXPECT_EQ(CellY(19) + kCellHeight - 1, 436);
  EXPECT_EQ(CellColumnOfPixel(440), 21);
  EXPECT_EQ(CellColumnOfPixel(439), 20);
  EXPECT_EQ(CellColumnOfPixel(417), 19);
  EXPECT_EQ(CellRowOfPixel(436), 19);
  EXPECT_EQ(CellRowOfPixel(22), 1);
  EXPECT_EQ(CellRowOfPixel(23), 2);
}

}  // namespace
}  // namespace moraku

namespace moraku {
namespace {

TEST(MoveStrings, RemoveOnlyTheFirstSpaceOfEachKind) {
  EXPECT_EQ(RemoveFirstSpaces(u"44 33 55"_qs), u"4433 55"_qs);
  EXPECT_EQ(RemoveFirstSpaces(u"44\u300033\u300055 66"_qs), u"4433\u30005566"_qs);
  EXPECT_EQ(RemoveFirstSpaces(u"443355"_qs), u"443355"_qs);
  EXPECT_EQ(RemoveFirstSpaces(QString()), QString());
}

}  // namespace
}  // namespace moraku
