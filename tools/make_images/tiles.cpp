// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles.h"

#include "board_look.h"

namespace moraku::imagegen {

namespace {
struct TileShape {
  const char* name;
  Arms arms;
  bool star;
};

// Each tile draws only the lines that exist at its points: edges and corners have no arm
// leaving the board.
constexpr TileShape kTiles[] = {
    {"cross23.jpg", {true, true, true, true}, false},
    {"crossdot23.jpg", {true, true, true, true}, true},
    {"upleft23.jpg", {false, true, false, true}, false},
    {"upright23.jpg", {false, true, true, false}, false},
    {"bottomleft23.jpg", {true, false, false, true}, false},
    {"bottomright23.jpg", {true, false, true, false}, false},
    {"top23.jpg", {false, true, true, true}, false},
    {"bottom23.jpg", {true, false, true, true}, false},
    {"left23.jpg", {true, true, false, true}, false},
    {"right23.jpg", {true, true, true, false}, false},
};
}  // namespace

QImage DrawTile(const QString& name) {
  for (const TileShape& tile : kTiles) {
    if (name != QLatin1String(tile.name)) continue;
    QImage cell = NewCell();
    DrawGrid(cell, tile.arms);
    if (tile.star) DrawStarDot(cell);
    return cell;
  }
  return QImage();
}

}  // namespace moraku::imagegen
