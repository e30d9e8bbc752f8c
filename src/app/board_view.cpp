// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/board_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace moraku {

BoardView::BoardView(BoardCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setObjectName(QStringLiteral("Display"));
  setFixedSize(kBoardPictureWidth, kBoardPictureHeight);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  canvas_.SetPresentListener([this](const QRect& changed) {
    if (!changed.isEmpty()) update(changed);
  });
}

BoardView::~BoardView() {
  canvas_.SetPresentListener({});
}

void BoardView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect r = event->rect();
  if (!canvas_.ScaledDisplay().isNull()) {
    // The sharper twin, drawn at its own device pixel ratio: one image pixel per screen pixel.
    painter.setClipRect(r);
    painter.drawImage(QPointF(0, 0), canvas_.ScaledDisplay());
    return;
  }
  painter.drawImage(r, canvas_.Display(), r);
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  Q_EMIT PointerMoved(p.x(), p.y());
}

void BoardView::mousePressEvent(QMouseEvent* event) {
  // The pointer stands where it was last reported; report it again in case no move preceded.
  const QPoint p = event->position().toPoint();
  Q_EMIT PointerMoved(p.x(), p.y());
  if (event->button() == Qt::LeftButton) pressed_ = true;
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  if (rect().contains(event->position().toPoint())) Q_EMIT Clicked();
}

void BoardView::wheelEvent(QWheelEvent* event) {
  constexpr int kNotch = 120;  // angle units of one wheel notch
  wheelRemainder_ += event->angleDelta().y();
  const int notches = wheelRemainder_ / kNotch;
  wheelRemainder_ -= notches * kNotch;
  event->accept();
  if (notches != 0) Q_EMIT WheelTurned(event->position().toPoint().x(), notches);
}

}  // namespace moraku
