// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/picture_button.h"

#include <QPainter>
#include <QStyle>

namespace moraku {

namespace {

constexpr int kBorder = 2;  // pixels of the focus and pressed frames

// A frame `kBorder` pixels wide along the inside of `rect`: `topLeft` colours its top and left
// edges, `bottomRight` its bottom and right edges.
void PaintFrame(QPainter& painter, const QRect& rect, QColor topLeft, QColor bottomRight) {
  painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), kBorder), topLeft);
  painter.fillRect(QRect(rect.left(), rect.top(), kBorder, rect.height()), topLeft);
  painter.fillRect(QRect(rect.left(), rect.bottom() + 1 - kBorder, rect.width(), kBorder),
                   bottomRight);
  painter.fillRect(
      QRect(rect.right() + 1 - kBorder, rect.top() + kBorder, kBorder, rect.height() - kBorder),
      bottomRight);
}

}  // namespace

PictureButton::PictureButton(const QPixmap& picture, QWidget* parent)
    : QPushButton(parent), picture_(picture) {
  setAutoDefault(false);
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().button());
  // Centred inside the frame; held down, the room starts two pixels further right and down.
  const bool down = isDown();
  QRect room = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
  if (down) room.adjust(kBorder, kBorder, 0, 0);
  const QRect place = QStyle::alignedRect(layoutDirection(), Qt::AlignCenter,
                                          picture_.deviceIndependentSize().toSize(), room);
  painter.drawPixmap(place.topLeft(), picture_);
  if (down)
    PaintFrame(painter, rect(), QColor(0x40, 0x40, 0x40), Qt::white);
  else if (hasFocus())
    PaintFrame(painter, rect(), Qt::black, Qt::black);
}

}  // namespace moraku
