// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing images as GIF files through giflib, with our own palette reduction.

#include <QImage>
#include <QString>
#include <QVector>
#include <cstdint>

namespace moraku::imagegen {

// An image as indices into a palette of at most 256 colours.
struct IndexedImage {
  int width = 0;
  int height = 0;
  QVector<QRgb> palette;         // opaque colours, at most 256
  QVector<std::uint8_t> pixels;  // row by row, each an index into palette
};

// Reduces `image` to at most `maxColours` (1..256) colours. An image with no more colours
// than that keeps every colour exactly; otherwise the colours are split by median cut,
// weighted by how often each occurs, and every pixel takes its nearest palette colour.
// Alpha is ignored. The result depends only on the pixels, never on run order.
IndexedImage Quantise(const QImage& image, int maxColours = 256);

// Writes `image` as a single-frame GIF at `path`. Returns false and sets `error` (when given)
// when the file cannot be written.
bool WriteGif(const QString& path, const QImage& image, QString* error = nullptr);

}  // namespace moraku::imagegen
