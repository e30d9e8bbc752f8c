// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ten grid tiles of the empty board.

#include <QImage>
#include <QString>

namespace moraku::imagegen {

// The cell image of tile file `name` ("cross23.jpg", "upleft23.jpg", ...), or a null image
// when `name` is not a tile.
QImage DrawTile(const QString& name);

}  // namespace moraku::imagegen
