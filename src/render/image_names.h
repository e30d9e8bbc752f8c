#pragma once
// Names of the files of the fld2 image set and the rule that gives each point its tile.

#include <QString>
#include <QStringList>

namespace moraku {

// Grid tile of point (col, row), both 1..19, by the tile rule (corners, edges, star points,
// plain crossings). The rule is the same for both boards.
QString TileName(int col, int row);

// "zkuro<n>.gif" (black) or "zshiro<n>.gif" (white) for n in 1..55.
QString NumberedStoneName(bool black, int n);

// Every file of the image set: 10 tiles, 110 numbered stones and the 14 other stones and
// markers (134 names).
QStringList AllImageNames();

}  // namespace moraku
