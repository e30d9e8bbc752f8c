// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board picture on screen (Display): paints what the board canvas last presented and
// reports the pointer's moves and clicks.

#include <QWidget>

#include "render/board_canvas.h"

namespace moraku {

class BoardView : public QWidget {
  Q_OBJECT
 public:
  // Shows canvas.Display(); the canvas must outlive the view. Repaints the changed part of the
  // picture on every present.
  explicit BoardView(BoardCanvas& canvas, QWidget* parent = nullptr);
  ~BoardView() override;

 Q_SIGNALS:
  // The pointer moved over the picture to pixel (x, y), rounded to whole pixels.
  void PointerMoved(int x, int y);
  // The left button was pressed and released over the picture.
  void Clicked();
  // The wheel turned over pixel column x by whole notches: positive away from the user.
  void WheelTurned(int x, int notches);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  BoardCanvas& canvas_;
  bool pressed_ = false;
  // Wheel turn not yet a whole notch (high-resolution wheels send parts of one).
  int wheelRemainder_ = 0;
};

}  // namespace moraku
