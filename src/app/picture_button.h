// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A command button that shows only a picture (the menu's "操作説明" and "プログラム終了"). The
// picture is centred on the button and may be larger than it; while the button has the focus a
// dark frame lies over its edge, and while it is held down the picture moves one pixel down and
// to the right inside a sunken frame.

#include <QPixmap>
#include <QPushButton>

namespace moraku {

class PictureButton : public QPushButton {
  Q_OBJECT
 public:
  // `picture` carries its device pixel ratio: it is drawn one image pixel per screen pixel.
  PictureButton(const QPixmap& picture, QWidget* parent);

  const QPixmap& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace moraku
