// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The off-screen board picture (Master), the cell-image source (Pattern), the one drawing
// primitive (DrawCell) and presenting: copying what was drawn to the picture on screen.

#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "board/board_point.h"
#include "board/coords.h"
#include "render/image_store.h"

namespace moraku {

class BoardCanvas {
 public:
  // Called after each present with the part of the shown picture that changed.
  using PresentListener = std::function<void(const QRect& changed)>;

  explicit BoardCanvas(ImageStore& images);

  // Replaces Pattern with image file `name` of the image set. Returns false when the file
  // cannot be loaded; Pattern then keeps the picture it held.
  bool LoadPattern(const QString& name);

  // Copies the 22 x 23 block at pixel (1, 0) of Pattern opaquely into Master with its top-left
  // corner at (x, y), cut off at the picture's edges. Does nothing while Pattern is empty.
  void DrawCell(int x, int y);

  // Makes the shown picture (Display) equal to Master.
  void Present();

  // Keeps a sharper twin of the board picture for a display scale above 100 %: from now on every
  // pattern is also loaded from `images` (the set drawn at `scale`) and every cell also drawn
  // there, at the scaled place, so that the twin shows what Master shows with crisp stones and
  // numbers. A file missing from that set is taken from the 1x set, enlarged. Call before the
  // first drawing. Master, Display and every 1x result are unchanged by the twin.
  void EnableScaledTwin(std::unique_ptr<ImageStore> images, double scale);
  // The twin of Display at ScaledTwinScale() (device pixel ratio set), or a null image without a
  // twin.
  const QImage& ScaledDisplay() const { return scaled_display_; }
  double ScaledTwinScale() const { return scale_; }

  // Draws the empty board by the tile rule in the fixed drawing order (inner crossings, star
  // points, corners, edges) and presents. Stops at the first tile that cannot be loaded,
  // without presenting, and returns false. Never touches the other board or the gap column.
  bool DrawEmptyBoard(Board board);

  // Draws the empty tile of point p again and presents. Returns false, drawing nothing, when the
  // tile cannot be loaded.
  bool RedrawEmptyPoint(Board board, BoardPoint p);

  const QImage& Master() const { return master_; }
  // The picture shown on screen: Master as it was at the last present.
  const QImage& Display() const { return display_; }
  const QImage& Pattern() const { return pattern_; }
  int PresentCount() const { return present_count_; }
  ImageStore& Images() { return images_; }

  void SetPresentListener(PresentListener listener) { listener_ = std::move(listener); }

 private:
  void DrawScaledCell(int x, int y);

  ImageStore& images_;
  QImage master_;
  QImage display_;
  QImage pattern_;
  std::vector<QRect> dirty_;
  int present_count_ = 0;
  PresentListener listener_;

  // The twin (empty images and no store while the scale is 1).
  std::unique_ptr<ImageStore> scaled_images_;
  double scale_ = 1;
  QImage scaled_master_;
  QImage scaled_display_;
  QImage scaled_pattern_;
  std::vector<QRect> scaled_dirty_;
};

}  // namespace moraku
