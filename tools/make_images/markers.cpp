// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers.h"

#include <QPainter>
#include <QPainterPath>

#include "board_look.h"
#include "stones.h"
#include "text_drawing.h"

namespace moraku::imagegen {

QImage DrawSmallStone(bool black) {
  QImage cell = NewCell();
  DrawGrid(cell, Arms{});
  PaintStone(cell, black ? StoneKind::Black : StoneKind::White, CrossCentre(), 5.6);
  return cell;
}

QImage DrawLetterMark(QChar letter) {
  QImage cell = NewCell();
  DrawGrid(cell, Arms{});
  QPainter painter(&cell);
  SetSmooth(painter);
  // Wood behind the letter keeps the grid from running through its strokes.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor::fromRgb(kWood));
  painter.drawEllipse(CrossCentre(), 7.5, 7.5);
  DrawCentredText(painter, CrossCentre(), QString(letter), MarkFont(15), QColor(20, 12, 4));
  return cell;
}

QImage DrawFirstMoveMark() {
  QImage cell = NewCell();
  DrawGrid(cell, Arms{});
  DrawStarDot(cell);
  QPainter painter(&cell);
  SetSmooth(painter);
  painter.setPen(QPen(QColor(220, 24, 24), 2.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(CrossCentre(), 7.0, 7.0);
  return cell;
}

QImage DrawTenukiMark() {
  QImage cell = NewCell();
  DrawGrid(cell, Arms{}, kCrossX - kTenukiShiftX, kCrossY - kTenukiShiftY);
  QPainter painter(&cell);
  SetSmooth(painter);
  // A small rounded button on the crossing that the image continues, so that the three
  // buttons of the area sit on the three points of the board. It reaches 2 pixels further
  // right than left: the last of the three then covers the board picture up to its right edge
  // and no grid line shows beyond the board's edge line.
  const double crossX = kCrossX - kTenukiShiftX + 0.5;
  const double crossY = kCrossY - kTenukiShiftY + 0.5;
  const QRectF button(crossX - 7.0, crossY - 7.0, 17.0, 14.0);
  painter.setPen(QPen(QColor(30, 80, 190), 1.0));
  painter.setBrush(QColor(214, 230, 255));
  painter.drawRoundedRect(button, 3.5, 3.5);
  DrawCentredText(painter, button.center(), QStringLiteral("?"), MarkFont(12), QColor(20, 60, 170));
  return cell;
}

}  // namespace moraku::imagegen
