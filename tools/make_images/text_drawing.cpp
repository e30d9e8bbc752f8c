// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_drawing.h"

#include <QFontMetricsF>
#include <QRectF>
#include <cmath>

namespace moraku::imagegen {

QFont MarkFont(int pixelSize, int stretch) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK JP")});
  font.setPixelSize(pixelSize);
  font.setBold(true);
  font.setStretch(stretch);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QFont JapaneseFont(int pixelSize, bool bold, bool serif) {
  QFont font(serif ? QStringLiteral("Noto Serif CJK JP") : QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

void DrawCentredText(QPainter& painter, QPointF centre, const QString& text, const QFont& font,
                     const QColor& colour) {
  const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
  const qreal x = std::round(centre.x() - ink.center().x());
  const qreal y = std::round(centre.y() - ink.center().y());
  painter.save();
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(QPointF(x, y), text);
  painter.restore();
}

}  // namespace moraku::imagegen
