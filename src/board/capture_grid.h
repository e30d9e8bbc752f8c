// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The capture grid of one board: for every stone its colour and how many of its four
// neighbours are occupied, and the removal of opposing groups left without a liberty.

#include <array>
#include <functional>

#include "board/board_point.h"

namespace moraku {

class CaptureGrid {
 public:
  // Indices 0..20 in both directions, (column, row); 0 and 20 form the edge ring.
  static constexpr int kSize = 21;

  // Every cell 0, the edge ring included.
  void Clear();

  // Value of cell (row, col): 0 empty, colour + 2 * occupied neighbours for a stone (the edge
  // counts as occupied), 11/12 for marked stones during a capture search only.
  // Requires 0 <= row, col <= 20.
  int At(int row, int col) const { return cells_[col][row]; }
  int At(BoardPoint p) const { return At(p.row, p.col); }

  // Places a stone of `color` on point p: writes the colour into the cell and links it (the
  // edge ring takes the colour; each occupied neighbour, in the order left, right, up, down,
  // gains 2 and so does the new stone). A point that already holds a stone is overwritten and
  // linked again, unguarded. Returns false, changing nothing, when p lies outside 1..19.
  bool Place(BoardPoint p, StoneColor color);

  // Removes every opposing group without a liberty next to p, which the mover of colour
  // `mover` has just played: groups in the direction order left, right, up, down; within a
  // group the stones in row-then-column order. For each stone removed its cell becomes 0, then
  // onErase(point) runs (it redraws the point), then its neighbours with values 1..10 lose 2.
  // The whole group is searched however long it is, so a group with a liberty anywhere is never
  // removed. The mover's stones are never removed. Leaves no cell above 10. Does nothing when p
  // lies outside 1..19.
  void Capture(BoardPoint p, StoneColor mover, const std::function<void(BoardPoint)>& onErase);

 private:
  void Unmark();
  std::array<std::array<int, kSize>, kSize> cells_{};
};

}  // namespace moraku
