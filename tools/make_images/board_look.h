// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The look shared by every image of the board set: the wood, the grid lines, the stone
// colours, and the 23 x 23 file layout around the 22 x 23 cell image.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>

namespace moraku::imagegen {

// Size of the cell image and of the image file that carries it at pixel (1, 0).
inline constexpr int kCellW = 22;
inline constexpr int kCellH = 23;
inline constexpr int kFileW = 23;
inline constexpr int kFileH = 23;
// Pixel of the cell image where the two grid lines cross.
inline constexpr int kCrossX = 11;
inline constexpr int kCrossY = 11;

// The board's wood and its grid lines. The tiles are JPEG files, whose colour detail is kept
// at half resolution: every colour of a tile shares the wood's hue and saturation (only the
// lightness differs), so that no colour fringe appears beside the 1-pixel lines.
inline constexpr QRgb kWood = qRgb(222, 186, 132);
inline constexpr QRgb kLine = qRgb(81, 45, 0);
// The file column that is never shown: magenta on the lossless GIF files, a dark brown of the
// wood's hue on the JPEG tiles (magenta would bleed into the cell there). Either way a copy
// taken one pixel too far left shows as a stray stripe.
inline constexpr QRgb kHiddenColumn = qRgb(0xFF, 0x00, 0xFF);
inline constexpr QRgb kTileHiddenColumn = qRgb(96, 60, 6);

// Centre of a stone or mark that sits on the crossing: the middle of the crossing pixel.
inline QPointF CrossCentre() {
  return QPointF(kCrossX + 0.5, kCrossY + 0.5);
}

// Which arms of the grid leave a crossing: the lines that exist at a board point.
struct Arms {
  bool up = true;
  bool down = true;
  bool left = true;
  bool right = true;
};

// The scale the cells are drawn at: 1 for the fld2 set, 1.5 and 2 for the sharper sets of the
// larger display scales. Drawing code works in the 1x pixel units above either way: a cell is
// an image of ScaledLength(kCellW) x ScaledLength(kCellH) pixels with that device pixel ratio.
void SetDrawingScale(double scale);
double DrawingScale();
// Pixels of a 1x length at the drawing scale, rounded up.
int ScaledLength(int length);

// A cell image filled with wood, at the drawing scale.
QImage NewCell();

// Draws the grid lines of `arms` through the crossing at (crossX, crossY), 1 pixel wide, each
// arm running from the crossing to the edge of the image.
void DrawGrid(QImage& cell, Arms arms, int crossX = kCrossX, int crossY = kCrossY);

// Draws the star-point dot on the crossing.
void DrawStarDot(QImage& cell);

// The image file for a cell image: 23 x 23 with the cell at (1, 0) and column 0 filled with
// `hidden`, so that a copy taken from the wrong column shows at once. At a larger drawing scale
// every part is ScaledLength of its 1x size.
QImage ToFileImage(const QImage& cell, QRgb hidden);

// Turns on antialiasing of shapes and text and smooth scaling.
void SetSmooth(QPainter& painter);

}  // namespace moraku::imagegen
