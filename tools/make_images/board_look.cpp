#include "board_look.h"

namespace moraku::imagegen {

QImage NewCell() {
  QImage cell(kCellW, kCellH, QImage::Format_RGB32);
  cell.fill(kWood);
  return cell;
}

void DrawGrid(QImage& cell, Arms arms, int crossX, int crossY) {
  QPainter painter(&cell);
  const QColor line = QColor::fromRgb(kLine);
  const int w = cell.width();
  const int h = cell.height();
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
  QImage file(kFileW, kFileH, QImage::Format_RGB32);
  file.fill(hidden);
  QPainter painter(&file);
  painter.drawImage(1, 0, cell);
  return file;
}

void SetSmooth(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

}  // namespace moraku::imagegen
