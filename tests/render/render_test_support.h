// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pixel helpers shared by the image-set and board-canvas tests.

#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cstdlib>

#include "test_paths.h"

namespace moraku::test {

// Loads image-set file `name` on its own (not through the program's image store).
inline QImage LoadSetFile(const QString& name, const QString& folder = Fld2Dir()) {
  QImageReader reader(folder + QLatin1Char('/') + name);
  return reader.read().convertToFormat(QImage::Format_RGB32);
}

// The cell image of a file: its 22 x 23 block at pixel (1, 0).
inline QImage CellOf(const QImage& file) {
  return file.copy(1, 0, 22, 23);
}

inline int Luma(QRgb c) {
  return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000;
}

// Largest difference of one colour channel.
inline int ChannelDistance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

inline bool IsLineDark(QRgb c) {
  return Luma(c) < 120;
}
inline bool IsRed(QRgb c) {
  return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90;
}

// True when the `rect` blocks of a (at its top left) and b (at bOrigin) are equal pixel by
// pixel.
inline bool SameBlock(const QImage& a, const QRect& rect, const QImage& b, QPoint bOrigin = {}) {
  for (int y = 0; y < rect.height(); ++y)
    for (int x = 0; x < rect.width(); ++x)
      if (a.pixel(rect.x() + x, rect.y() + y) != b.pixel(bOrigin.x() + x, bOrigin.y() + y))
        return false;
  return true;
}

}  // namespace moraku::test
