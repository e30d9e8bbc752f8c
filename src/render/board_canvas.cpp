// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/board_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/image_names.h"

namespace moraku {

namespace {
// The colour of the board picture where nothing has been drawn (the gap between the boards).
constexpr QRgb kBackground = qRgb(0xC0, 0xC0, 0xC0);

void CopyRect(const QImage& from, QImage& to, const QRect& r) {
  for (int y = r.top(); y <= r.bottom(); ++y) {
    std::memcpy(reinterpret_cast<QRgb*>(to.scanLine(y)) + r.left(),
                reinterpret_cast<const QRgb*>(from.constScanLine(y)) + r.left(),
                static_cast<size_t>(r.width()) * sizeof(QRgb));
  }
}
}  // namespace

BoardCanvas::BoardCanvas(ImageStore& images)
    : images_(images),
      master_(kBoardPictureWidth, kBoardPictureHeight, QImage::Format_RGB32),
      display_(kBoardPictureWidth, kBoardPictureHeight, QImage::Format_RGB32) {
  master_.fill(kBackground);
  display_.fill(kBackground);
}

bool BoardCanvas::LoadPattern(const QString& name) {
  const QImage* image = images_.Load(name);
  if (image == nullptr) return false;
  pattern_ = *image;
  if (scaled_images_) {
    const QImage* scaled = scaled_images_->Load(name);
    scaled_pattern_ = scaled != nullptr
                          ? *scaled
                          : image->scaled(ScaledImageLength(image->width(), scale_),
                                          ScaledImageLength(image->height(), scale_),
                                          Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  return true;
}

void BoardCanvas::EnableScaledTwin(std::unique_ptr<ImageStore> images, double scale) {
  scaled_images_ = std::move(images);
  scale_ = scale;
  const QSize size(ScaledImageLength(kBoardPictureWidth, scale),
                   ScaledImageLength(kBoardPictureHeight, scale));
  scaled_master_ = QImage(size, QImage::Format_RGB32);
  scaled_master_.fill(kBackground);
  scaled_display_ = scaled_master_.copy();
  scaled_display_.setDevicePixelRatio(scale);
}

void BoardCanvas::DrawCell(int x, int y) {
  if (pattern_.isNull()) return;
  // Source block: columns 1..22 and rows 0..22 of the pattern, as far as it reaches.
  const int width = std::min(kCellWidth, pattern_.width() - 1);
  const int height = std::min(kCellHeight, pattern_.height());
  const QRect target = QRect(x, y, width, height) & master_.rect();
  if (target.isEmpty()) return;
  for (int ty = target.top(); ty <= target.bottom(); ++ty) {
    const auto* src =
        reinterpret_cast<const QRgb*>(pattern_.constScanLine(ty - y)) + 1 + (target.left() - x);
    auto* dst = reinterpret_cast<QRgb*>(master_.scanLine(ty)) + target.left();
    std::memcpy(dst, src, static_cast<size_t>(target.width()) * sizeof(QRgb));
  }
  dirty_.push_back(target);
  if (scaled_images_ && !scaled_pattern_.isNull()) DrawScaledCell(x, y);
}

void BoardCanvas::DrawScaledCell(int x, int y) {
  // The same block of the scaled pattern: after the hidden column, one cell at the scale, at
  // the scaled place (cells of neighbouring places may overlap by a pixel).
  const int hidden = ScaledImageLength(1, scale_);
  const int width =
      std::min(ScaledImageLength(kCellWidth, scale_), scaled_pattern_.width() - hidden);
  const int height = std::min(ScaledImageLength(kCellHeight, scale_), scaled_pattern_.height());
  const int sx = static_cast<int>(std::floor(x * scale_));
  const int sy = static_cast<int>(std::floor(y * scale_));
  const QRect target = QRect(sx, sy, width, height) & scaled_master_.rect();
  if (target.isEmpty()) return;
  for (int ty = target.top(); ty <= target.bottom(); ++ty) {
    const auto* src = reinterpret_cast<const QRgb*>(scaled_pattern_.constScanLine(ty - sy)) +
                      hidden + (target.left() - sx);
    auto* dst = reinterpret_cast<QRgb*>(scaled_master_.scanLine(ty)) + target.left();
    std::memcpy(dst, src, static_cast<size_t>(target.width()) * sizeof(QRgb));
  }
  scaled_dirty_.push_back(target);
}

void BoardCanvas::Present() {
  QRect changed;
  for (const QRect& r : dirty_) {
    CopyRect(master_, display_, r);
    changed |= r;
  }
  dirty_.clear();
  for (const QRect& r : scaled_dirty_) CopyRect(scaled_master_, scaled_display_, r);
  scaled_dirty_.clear();
  ++present_count_;
  if (listener_) listener_(changed);
}

bool BoardCanvas::DrawEmptyBoard(Board board) {
  const int x0 = CellX(board, 1);
  auto draw = [&](int row, int col) { DrawCell(x0 + (col - 1) * kCellWidth, CellY(row)); };
  if (!LoadPattern(QStringLiteral("cross23.jpg"))) return false;
  for (int row = 2; row <= 18; ++row)
    for (int col = 2; col <= 18; ++col) draw(row, col);
  if (!LoadPattern(QStringLiteral("crossdot23.jpg"))) return false;
  static constexpr BoardPoint kStars[9] = {{4, 4},   {4, 16}, {10, 4},  {4, 10}, {10, 10},
                                           {10, 16}, {16, 4}, {16, 10}, {16, 16}};
  for (const BoardPoint& star : kStars) draw(star.row, star.col);
  static constexpr BoardPoint kCorners[4] = {{1, 1}, {1, 19}, {19, 19}, {19, 1}};
  for (const BoardPoint& corner : kCorners) {
    if (!LoadPattern(TileName(corner))) return false;
    draw(corner.row, corner.col);
  }
  if (!LoadPattern(QStringLiteral("top23.jpg"))) return false;
  for (int col = 2; col <= 18; ++col) draw(1, col);
  if (!LoadPattern(QStringLiteral("bottom23.jpg"))) return false;
  for (int col = 2; col <= 18; ++col) draw(19, col);
  if (!LoadPattern(QStringLiteral("left23.jpg"))) return false;
  for (int row = 2; row <= 18; ++row) draw(row, 1);
  if (!LoadPattern(QStringLiteral("right23.jpg"))) return false;
  for (int row = 2; row <= 18; ++row) draw(row, 19);
  Present();
  return true;
}

bool BoardCanvas::RedrawEmptyPoint(Board board, BoardPoint p) {
  if (!LoadPattern(TileName(p))) return false;
  DrawCell(CellX(board, p.col), CellY(p.row));
  Present();
  return true;
}

}  // namespace moraku
