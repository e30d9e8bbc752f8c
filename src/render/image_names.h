// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names of the files of the fld2 image set and the rule that gives each point its tile.

#include <QString>
#include <QStringList>

#include "board/board_point.h"

namespace moraku {

// Grid tile of point p (row and column 1..19) by the tile rule (corners, edges, star points,
// plain crossings). The rule is the same for both boards.
QString TileName(BoardPoint p);

// "zkuro<n>.gif" (black) or "zshiro<n>.gif" (white) for n in 1..55.
QString NumberedStoneName(bool black, int n);

// The other stones and markers of the image set by what they show. The file names are the
// image set's own and stay as they are (stored image folders rely on them).
inline QString BlackStoneImage() {  // a plain black stone
  return QStringLiteral("mygold.gif");
}
inline QString WhiteStoneImage() {  // a plain white stone
  return QStringLiteral("ysilver.gif");
}
inline QString GoldStoneImage() {  // a plain gold stone: black record moves past number 55
  return QStringLiteral("zgold.gif");
}
inline QString PlainStoneImage(bool black) {
  return black ? BlackStoneImage() : WhiteStoneImage();
}
// The hint's newest stone, marked in red.
inline QString RedMarkedStoneImage(bool black) {
  return black ? QStringLiteral("zkurored.gif") : QStringLiteral("zshirored.gif");
}
// A small stone drawn as a marker on the joseki board.
inline QString StoneMarkImage(bool black) {
  return black ? QStringLiteral("kurokuro.gif") : QStringLiteral("shiroshiro.gif");
}
// Letter marker "A".."E" for letter 'a'..'e'.
inline QString LetterMarkImage(QChar letter) {
  return QStringLiteral("a") + letter + QStringLiteral(".gif");
}
// The search input's mark on the 4-4 point where the first stone goes.
inline QString FirstMoveMarkImage() {
  return QStringLiteral("mmmcross.gif");
}
// The search input's marks on the three cells that stand for a tenuki.
inline QString TenukiMarkImage() {
  return QStringLiteral("newcross.gif");
}

// Every file of the image set: 10 tiles, 110 numbered stones and the 14 other stones and
// markers (134 names).
QStringList AllImageNames();

// The image set is also drawn at larger scales for sharp boards at 150 % and 200 %: the same
// files, each ScaledImageLength of its 1x size in every part, in a subfolder of fld2 named by
// the per cent ("150", "200").
inline constexpr double kScaledImageSets[] = {1.5, 2.0};
QString ScaledSetFolder(double scale);
// Pixels of a 1x length in the set of `scale`, rounded up.
int ScaledImageLength(int length, double scale);
// The scale of the images to draw on a screen of `deviceRatio` device pixels per pixel: 1 up
// to 1, else the smallest of kScaledImageSets at least that fine, else the finest.
double ImageScaleFor(double deviceRatio);

}  // namespace moraku
