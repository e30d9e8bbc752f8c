// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stones as they lie on a board point: the shaded stone over the wood and the grid crossing.

#include <QImage>
#include <QPointF>

namespace moraku::imagegen {

enum class StoneKind { Black, White, Gold };

// Radius of a played stone: it nearly fills the cell.
inline constexpr double kStoneRadius = 10.3;

// Paints a shaded, antialiased stone of `radius` centred on `centre` into `cell`.
void PaintStone(QImage& cell, StoneKind kind, QPointF centre, double radius);

// A stone on an inner crossing, without a mark.
QImage DrawPlainStone(StoneKind kind);

// A black or white stone bearing move number `number` (1..99) in a contrasting colour.
QImage DrawNumberedStone(bool black, int number);

// A black or white stone with a red dot: the newest stone of a replay.
QImage DrawRedMarkedStone(bool black);

}  // namespace moraku::imagegen
