// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_look.h"

#include "render/image_names.h"

namespace moraku::imagegen {

namespace {
double g_scale = 1;
}  // namespace

void SetDrawingScale(double scale) {
  g_scale = scale;
}

double DrawingScale() {
  return g_scale;
}

int ScaledLength(int length) {
  return ScaledImageLength(length, g_scale);
}

QImage NewCell() {
  QImage cell(ScaledLength(kCellW), ScaledLength(kCellH), QImage::Format_RGB32);
  cell.setDevicePixelRatio(g_scale);
  cell.fill(kWood);
  return cell;
}

void DrawGrid(QImage& cell, Arms arms, int crossX, int crossY) {
  QPainter painter(&cell);
  const QColor line = QColor::fromRgb(kLine);
  // In the cell's own units, which are 1x pixels whatever the drawing scale.
  const int w = kCellW;
  const int h = kCellH;
  painter.fillRect(crossX, crossY, 1, 1, line);
  if (arms.up) painter.fillRect(crossX, 0, 1, crossY, line);
  if (arms.down) painter.fillRect(crossX, crossY + 1, 1, h - crossY - 1, line);
  if (arms.left) painter.fillRect(0, crossY, crossX, 1, line);
  if (arms.right) painter.fillRect(crossX + 1, crossY, w - crossX - 1, 1, line);
}

void DrawStarDot(QImage& cell) {
  QPainter painter(&cell);
  SetSmooth(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor::fromRgb(kLine));
  painter.drawEllipse(CrossCentre(), 3.0, 3.0);
}

QImage ToFileImage(const QImage& cell, QRgb hidden) {
  const int hiddenWidth = ScaledLength(kFileW - kCellW);
  QImage file(hiddenWidth + ScaledLength(kCellW), ScaledLength(kFileH), QImage::Format_RGB32);
  file.fill(hidden);
  QImage pixels = cell;
  pixels.setDevicePixelRatio(1);  // copied pixel for pixel
  QPainter painter(&file);
  painter.drawImage(hiddenWidth, 0, pixels);
  return file;
}

void SetSmooth(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

}  // namespace moraku::imagegen
