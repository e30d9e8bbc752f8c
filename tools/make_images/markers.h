// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Marks drawn on board points: small stones, letters, the first-move ring and the tenuki
// button.

#include <QChar>
#include <QImage>

namespace moraku::imagegen {

// A small black or white stone on the crossing, clearly smaller than a played stone.
QImage DrawSmallStone(bool black);

// Letter `letter` (A..E) on the wood, the grid cleared behind it.
QImage DrawLetterMark(QChar letter);

// A star-point crossing inside a red ring: where the first search move may go.
QImage DrawFirstMoveMark();

// A small "?" button of the tenuki area. It is drawn 3 pixels right of and 4 pixels below the
// cells of the area, so its grid lines sit at that offset to continue the board's grid.
QImage DrawTenukiMark();

// Offset of the tenuki button from the cell it stands on.
inline constexpr int kTenukiShiftX = 3;
inline constexpr int kTenukiShiftY = 4;

}  // namespace moraku::imagegen
