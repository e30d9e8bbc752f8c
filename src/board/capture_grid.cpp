// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/capture_grid.h"

namespace moraku {

namespace {
constexpr int kDx[4] = {-1, 1, 0, 0};  // left, right, up, down
constexpr int kDy[4] = {0, 0, -1, 1};
constexpr int kMarked = 10;  // a stone without liberty under test holds colour + 10
bool OnBoard(int row, int col) {
  return row >= 1 && row <= 19 && col >= 1 && col <= 19;
}
}  // namespace

void CaptureGrid::Clear() {
  cells_ = {};
}

bool CaptureGrid::Place(BoardPoint p, StoneColor color) {
  const int col = p.col;
  const int row = p.row;
  const int stoneColor = static_cast<int>(color);
  if (!OnBoard(row, col)) return false;
  cells_[col][row] = stoneColor;
  for (int i = 0; i < kSize; ++i) {
    cells_[i][0] = stoneColor;
    cells_[0][i] = stoneColor;
    cells_[20][i] = stoneColor;
    cells_[i][20] = stoneColor;
  }
  for (int d = 0; d < 4; ++d) {
    int& neighbour = cells_[col + kDx[d]][row + kDy[d]];
    if (neighbour > 0) {
      neighbour += 2;
      cells_[col][row] += 2;
    }
  }
  return true;
}

void CaptureGrid::Unmark() {
  for (int c = 1; c <= 19; ++c)
    for (int r = 1; r <= 19; ++r)
      if (cells_[c][r] > kMarked) cells_[c][r] -= 2;
}

void CaptureGrid::Capture(BoardPoint p, StoneColor mover,
                          const std::function<void(BoardPoint)>& onErase) {
  const int col = p.col;
  const int row = p.row;
  const int moverColor = static_cast<int>(mover);
  if (!OnBoard(row, col)) return;
  const int opponent = 3 - moverColor;
  const int noLiberty = opponent + 8;
  const int marked = opponent + kMarked;
  Unmark();  // counts pushed above 10 by an unguarded overwrite, or leftover marks
  for (int d = 0; d < 4; ++d) {
    const int sc = col + kDx[d];
    const int sr = row + kDy[d];
    if (cells_[sc][sr] != noLiberty) continue;
    for (int i = 0; i < kSize; ++i) {
      cells_[i][0] = moverColor + 2;
      cells_[0][i] = moverColor + 2;
      cells_[20][i] = moverColor + 2;
      cells_[i][20] = moverColor + 2;
    }
    // Grow the group to its full extent with an explicit stack; any member that still has an
    // occupied-count below four (a stone of the opponent's parity not at noLiberty) reached
    // from the group means a liberty exists.
    cells_[sc][sr] = marked;
    int stack[361][2];
    int top = 0;
    stack[top][0] = sc;
    stack[top][1] = sr;
    ++top;
    bool found = false;
    while (top > 0 && !found) {
      --top;
      const int x = stack[top][0];
      const int y = stack[top][1];
      for (int e = 0; e < 4; ++e) {
        int& n = cells_[x + kDx[e]][y + kDy[e]];
        if (n == noLiberty) {
          n = marked;
          stack[top][0] = x + kDx[e];
          stack[top][1] = y + kDy[e];
          ++top;
        } else if (n != marked && n > 0 && (n % 2) == (opponent % 2)) {
          found = true;
          break;
        }
      }
    }
    if (found) {
      Unmark();
      continue;
    }
    for (int r = 1; r <= 19; ++r) {
      for (int c = 1; c <= 19; ++c) {
        if (cells_[c][r] <= kMarked) continue;
        cells_[c][r] = 0;
        if (onErase) onErase(BoardPoint{r, c});
        for (int e = 0; e < 4; ++e) {
          int& n = cells_[c + kDx[e]][r + kDy[e]];
          if (n > 0 && n < 11) n -= 2;
        }
      }
    }
  }
}

}  // namespace moraku
