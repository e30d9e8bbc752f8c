// SPDX-License-Identifier: GPL-3.0-or-later
#include "stones.h"

#include <QPainter>
#include <QRadialGradient>

#include "board_look.h"
#include "text_drawing.h"

namespace moraku::imagegen {

namespace {
struct Shading {
  QColor highlight;
  QColor body;
  QColor rim;
  QColor outline;  // transparent for none
};

Shading ShadingOf(StoneKind kind) {
  switch (kind) {
    case StoneKind::Black:
      return {QColor(118, 118, 118), QColor(40, 40, 42), QColor(6, 6, 6), QColor(0, 0, 0, 0)};
    case StoneKind::White:
      return {QColor(255, 255, 255), QColor(238, 238, 232), QColor(178, 176, 168),
              QColor(110, 104, 92, 200)};
    case StoneKind::Gold:
      return {QColor(255, 246, 190), QColor(226, 178, 48), QColor(140, 92, 8),
              QColor(96, 62, 4, 200)};
  }
  return {};
}

QImage StoneOnCrossing(StoneKind kind) {
  QImage cell = NewCell();
  DrawGrid(cell, Arms{});
  PaintStone(cell, kind, CrossCentre(), kStoneRadius);
  return cell;
}
}  // namespace

void PaintStone(QImage& cell, StoneKind kind, QPointF centre, double radius) {
  const Shading shading = ShadingOf(kind);
  QPainter painter(&cell);
  SetSmooth(painter);
  // The light comes from the upper left: the highlight sits there, the rim darkens below right.
  const QPointF focal = centre + QPointF(-radius * 0.35, -radius * 0.4);
  QRadialGradient gradient(centre, radius, focal);
  gradient.setColorAt(0.0, shading.highlight);
  gradient.setColorAt(0.45, shading.body);
  gradient.setColorAt(1.0, shading.rim);
  painter.setBrush(gradient);
  if (shading.outline.alpha() > 0) {
    painter.setPen(QPen(shading.outline, 0.8));
    painter.drawEllipse(centre, radius - 0.4, radius - 0.4);
  } else {
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, radius, radius);
  }
}

QImage DrawPlainStone(StoneKind kind) {
  return StoneOnCrossing(kind);
}

QImage DrawNumberedStone(bool black, int number) {
  QImage cell = StoneOnCrossing(black ? StoneKind::Black : StoneKind::White);
  const QString text = QString::number(number);
  const QFont font = text.size() == 1 ? MarkFont(13) : MarkFont(12, 82);
  QPainter painter(&cell);
  SetSmooth(painter);
  DrawCentredText(painter, CrossCentre(), text, font,
                  black ? QColor(250, 250, 250) : QColor(10, 10, 10));
  return cell;
}

QImage DrawRedMarkedStone(bool black) {
  QImage cell = StoneOnCrossing(black ? StoneKind::Black : StoneKind::White);
  QPainter painter(&cell);
  SetSmooth(painter);
  painter.setPen(QPen(QColor(120, 0, 0), 0.8));
  painter.setBrush(QColor(230, 20, 20));
  painter.drawEllipse(CrossCentre(), 4.2, 4.2);
  return cell;
}

}  // namespace moraku::imagegen
