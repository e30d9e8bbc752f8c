// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/image_names.h"

#include <cmath>
#include <iterator>

namespace moraku {

namespace {
bool IsStarLine(int v) {
  return v == 4 || v == 10 || v == 16;
}
}  // namespace

QString TileName(BoardPoint p) {
  const int row = p.row;
  const int col = p.col;
  if (row == 1 && col == 1) return QStringLiteral("upleft23.jpg");
  if (row == 1 && col == 19) return QStringLiteral("upright23.jpg");
  if (row == 19 && col == 1) return QStringLiteral("bottomleft23.jpg");
  if (row == 19 && col == 19) return QStringLiteral("bottomright23.jpg");
  if (row == 1) return QStringLiteral("top23.jpg");
  if (col == 1) return QStringLiteral("left23.jpg");
  if (col == 19) return QStringLiteral("right23.jpg");
  if (row == 19) return QStringLiteral("bottom23.jpg");
  if (IsStarLine(row) && IsStarLine(col)) return QStringLiteral("crossdot23.jpg");
  return QStringLiteral("cross23.jpg");
}

QString NumberedStoneName(bool black, int n) {
  return (black ? QStringLiteral("zkuro") : QStringLiteral("zshiro")) + QString::number(n) +
         QStringLiteral(".gif");
}

QStringList AllImageNames() {
  QStringList names = {"cross23.jpg",      "crossdot23.jpg",    "upleft23.jpg", "upright23.jpg",
                       "bottomleft23.jpg", "bottomright23.jpg", "top23.jpg",    "bottom23.jpg",
                       "left23.jpg",       "right23.jpg"};
  for (int n = 1; n <= 55; ++n) names << NumberedStoneName(true, n) << NumberedStoneName(false, n);
  names << RedMarkedStoneImage(true) << RedMarkedStoneImage(false) << BlackStoneImage()
        << WhiteStoneImage() << GoldStoneImage() << StoneMarkImage(true) << StoneMarkImage(false);
  for (char16_t letter = u'a'; letter <= u'e'; ++letter) names << LetterMarkImage(QChar(letter));
  names << FirstMoveMarkImage() << TenukiMarkImage();
  return names;
}

QString ScaledSetFolder(double scale) {
  return QString::number(qRound(scale * 100));
}

int ScaledImageLength(int length, double scale) {
  return static_cast<int>(std::ceil(length * scale - 1e-9));
}

double ImageScaleFor(double deviceRatio) {
  constexpr double kSlack = 0.01;  // a ratio of 1.499 still takes the 150 % set
  if (deviceRatio <= 1 + kSlack) return 1;
  for (double scale : kScaledImageSets)
    if (scale >= deviceRatio - kSlack) return scale;
  return kScaledImageSets[std::size(kScaledImageSets) - 1];
}

}  // namespace moraku
