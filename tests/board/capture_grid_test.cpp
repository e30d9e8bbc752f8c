// SPDX-License-Identifier: GPL-3.0-or-later
// The capture grid: cell values, linking, and the removal of opposing groups without liberty,
// checked on hand-built positions and against a plain flood-fill board over long play-outs.

#include "board/capture_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace moraku {
namespace {

using Point = std::pair<int, int>;  // (col, row)

// Places a stone and checks for captures, as every caller does; returns the erased points in
// the order they were erased.
std::vector<Point> Play(CaptureGrid& grid, int col, int row, int colour) {
  std::vector<Point> erased;
  grid.Place({row, col}, static_cast<StoneColor>(colour));
  grid.Capture({row, col}, static_cast<StoneColor>(colour), [&](BoardPoint p) {
    erased.push_back({p.col, p.row});
  });
  return erased;
}

bool AnyMark(const CaptureGrid& grid) {
  for (int c = 1; c <= 19; ++c)
    for (int r = 1; r <= 19; ++r)
      if (grid.At(r, c) > 10) return true;
  return false;
}

using Cells = std::array<std::array<int, 21>, 21>;
Cells Snapshot(const CaptureGrid& grid) {
  Cells cells{};
  for (int c = 0; c <= 20; ++c)
    for (int r = 0; r <= 20; ++r) cells[c][r] = grid.At(r, c);
  return cells;
}

// --- values and linking ----------------------------------------------------------------------

TEST(CaptureGridTest, LinkingCountsTheEdgeAsOccupied) {
  CaptureGrid grid;
  grid.Place({10, 10}, StoneColor::Black);
  EXPECT_EQ(grid.At(10, 10), 1);
  grid.Place({1, 10}, StoneColor::White);  // edge
  EXPECT_EQ(grid.At(1, 10), 4);
  grid.Place({19, 19}, StoneColor::Black);  // corner
  EXPECT_EQ(grid.At(19, 19), 5);
  grid.Place({10, 11}, StoneColor::White);  // next to the first stone: both count one more
  EXPECT_EQ(grid.At(10, 11), 4);
  EXPECT_EQ(grid.At(10, 10), 3);
}

TEST(CaptureGridTest, PointsOffTheBoardAreRefused) {
  CaptureGrid grid;
  EXPECT_FALSE(grid.Place({5, 0}, StoneColor::Black));
  EXPECT_FALSE(grid.Place({20, 5}, StoneColor::Black));
  EXPECT_FALSE(grid.Place({-1, 5}, StoneColor::White));
  EXPECT_EQ(grid.At(5, 0), 0);
  grid.Capture({5, 0}, StoneColor::Black, [](BoardPoint) { ADD_FAILURE() << "nothing to erase"; });
  EXPECT_TRUE(grid.Place({19, 19}, StoneColor::Black));
}

TEST(CaptureGridTest, CornerCaptureGoesThroughTheDocumentedValues) {
  CaptureGrid grid;
  EXPECT_TRUE(Play(grid, 1, 1, 2).empty());
  EXPECT_EQ(grid.At(1, 1), 6);
  EXPECT_TRUE(Play(grid, 2, 1, 1).empty());
  EXPECT_EQ(grid.At(1, 2), 5);
  EXPECT_EQ(grid.At(1, 1), 8);
  const std::vector<Point> erased = Play(grid, 1, 2, 1);
  EXPECT_EQ(erased, (std::vector<Point>{{1, 1}}));
  EXPECT_EQ(grid.At(1, 1), 0);
  EXPECT_EQ(grid.At(1, 2), 3);
  EXPECT_EQ(grid.At(2, 1), 3);
  EXPECT_FALSE(AnyMark(grid));
}

TEST(CaptureGridTest, OverwrittenPointCountsAgainAndIsLoweredAtTheNextCheck) {
  CaptureGrid grid;
  grid.Place({5, 5}, StoneColor::Black);
  grid.Place({5, 6}, StoneColor::White);
  for (int i = 0; i < 3; ++i)
    grid.Place({5, 6}, StoneColor::White);  // the same point three more times
  EXPECT_EQ(grid.At(5, 5), 9);              // counted four times over
  EXPECT_TRUE(Play(grid, 15, 15, 2).empty());
  EXPECT_FALSE(AnyMark(grid));
}

// --- captures --------------------------------------------------------------------------------

TEST(CaptureGridTest, OneStoneCapturesTwoGroupsLowerDirectionFirstRowsThenColumns) {
  CaptureGrid grid;
  // White group left of (5,5): (4,4) and (4,5); white group below it: (5,6).
  for (Point w : std::vector<Point>{{4, 4}, {4, 5}, {5, 6}})
    grid.Place({w.second, w.first}, StoneColor::White);
  for (Point b : std::vector<Point>{{3, 4}, {5, 4}, {4, 3}, {3, 5}, {4, 6}, {6, 6}, {5, 7}})
    grid.Place({b.second, b.first}, StoneColor::Black);
  const std::vector<Point> erased = Play(grid, 5, 5, 1);
  // The left group is found through (4,5) but erased top row first.
  EXPECT_EQ(erased, (std::vector<Point>{{4, 4}, {4, 5}, {5, 6}}));
  EXPECT_EQ(grid.At(5, 5), 1 + 2 * 1);  // only (5,4) still touches it
  EXPECT_EQ(grid.At(6, 4), 1);          // its white neighbours are gone
  EXPECT_FALSE(AnyMark(grid));
}

TEST(CaptureGridTest, StoneWithoutLibertyThatCapturesNothingStays) {
  CaptureGrid grid;
  // Black plays into the middle of four white stones, each of which still has liberties.
  for (Point w : std::vector<Point>{{9, 10}, {11, 10}, {10, 9}, {10, 11}})
    grid.Place({w.second, w.first}, StoneColor::White);
  const Cells before = Snapshot(grid);
  EXPECT_TRUE(Play(grid, 10, 10, 1).empty());
  EXPECT_EQ(grid.At(10, 10), 9);
  EXPECT_FALSE(AnyMark(grid));
  for (Point w : std::vector<Point>{{9, 10}, {11, 10}, {10, 9}, {10, 11}})
    EXPECT_EQ(grid.At(w.second, w.first), before[w.first][w.second] + 2);
}

TEST(CaptureGridTest, StoneWithoutLibertyThatCapturesDropsWhenItsNeighboursGo) {
  CaptureGrid grid;
  // White (2,1) and (1,2) each have the corner as their last liberty; black plays the corner.
  grid.Place({1, 2}, StoneColor::White);
  grid.Place({1, 3}, StoneColor::Black);
  grid.Place({2, 2}, StoneColor::Black);
  grid.Place({2, 1}, StoneColor::White);
  grid.Place({3, 1}, StoneColor::Black);
  const std::vector<Point> erased = Play(grid, 1, 1, 1);
  // Right is direction 2, down is direction 4: (2,1) first, then (1,2).
  EXPECT_EQ(erased, (std::vector<Point>{{2, 1}, {1, 2}}));
  EXPECT_EQ(grid.At(1, 1), 5);  // the edge on two sides only
  EXPECT_EQ(grid.At(2, 2), 1);
}

TEST(CaptureGridTest, MoverStonesAreNeverRemoved) {
  CaptureGrid grid;
  // Black fills its own last liberty next to white stones that still breathe.
  grid.Place({1, 1}, StoneColor::Black);
  grid.Place({1, 2}, StoneColor::White);
  grid.Place({2, 2}, StoneColor::White);
  grid.Place({3, 1}, StoneColor::White);
  EXPECT_TRUE(Play(grid, 1, 2, 1).empty());
  EXPECT_EQ(grid.At(1, 1), 1 + 2 * 4);
  EXPECT_EQ(grid.At(2, 1), 1 + 2 * 4);
  EXPECT_FALSE(AnyMark(grid));
}

// A white snake that winds down and up the board (columns 2, 4, ..., 18 joined at alternate
// ends), every other point black, and the snake's only empty neighbour at its far end. The
// group turns upwards four times over 17 rows: a search that gave up after a fixed number of
// sweeps would take it for dead.
struct SnakePosition {
  std::set<Point> snake;
  Point liberty{18, 19};
  Point play{2, 1};

  SnakePosition() {
    for (int col = 2; col <= 18; col += 2)
      for (int row = 2; row <= 18; ++row) snake.insert({col, row});
    for (int col = 3; col <= 17; col += 2) snake.insert({col, (col / 2) % 2 == 1 ? 18 : 2});
  }
  void Build(CaptureGrid& grid) const {
    for (int col = 1; col <= 19; ++col) {
      for (int row = 1; row <= 19; ++row) {
        const Point p{col, row};
        if (p == liberty || p == play) continue;
        grid.Place({row, col}, static_cast<StoneColor>(snake.count(p) ? 2 : 1));
      }
    }
  }
};

TEST(CaptureGridTest, LongGroupWithOneFarLibertyIsNotRemoved) {
  SnakePosition pos;
  ASSERT_EQ(pos.snake.size(), 9u * 17u + 8u);
  CaptureGrid grid;
  pos.Build(grid);
  grid.Place({pos.play.second, pos.play.first}, StoneColor::Black);
  const Cells before = Snapshot(grid);
  std::vector<Point> erased;
  grid.Capture({pos.play.second, pos.play.first}, StoneColor::Black, [&](BoardPoint p) {
    erased.push_back({p.col, p.row});
  });
  EXPECT_TRUE(erased.empty());
  const Cells after = Snapshot(grid);
  for (int c = 1; c <= 19; ++c)
    for (int r = 1; r <= 19; ++r) EXPECT_EQ(after[c][r], before[c][r]) << c << "," << r;
}

TEST(CaptureGridTest, LongGroupWithoutLibertyIsRemovedWhole) {
  SnakePosition pos;
  CaptureGrid grid;
  pos.Build(grid);
  grid.Place({pos.liberty.second, pos.liberty.first}, StoneColor::Black);
  const std::vector<Point> erased = Play(grid, pos.play.first, pos.play.second, 1);
  EXPECT_EQ(std::set<Point>(erased.begin(), erased.end()), pos.snake);
  EXPECT_EQ(erased.size(), pos.snake.size());
  EXPECT_TRUE(std::is_sorted(erased.begin(), erased.end(), [](Point a, Point b) {
    return std::make_pair(a.second, a.first) < std::make_pair(b.second, b.first);
  }));
  for (const Point& p : pos.snake) EXPECT_EQ(grid.At(p.second, p.first), 0);
  EXPECT_FALSE(AnyMark(grid));
}

// --- against a plain board -------------------------------------------------------------------

// A board that knows nothing of counts: stones by colour, groups found by flood fill.
class PlainBoard {
 public:
  int At(int col, int row) const { return stones_[col][row]; }

  // Plays a stone and removes the opposing groups next to it that have no liberty, as the
  // capture grid does (the mover's own stones are never removed). Returns the removed points.
  std::set<Point> Play(int col, int row, int colour) {
    stones_[col][row] = colour;
    std::set<Point> removed;
    Point around[4];
    const int count = Neighbours({col, row}, around);
    for (int i = 0; i < count; ++i) {
      const Point n = around[i];
      if (At(n.first, n.second) != 3 - colour) continue;
      std::set<Point> group;
      if (HasLiberty(n, group)) continue;
      for (Point p : group) {
        stones_[p.first][p.second] = 0;
        removed.insert(p);
      }
    }
    return removed;
  }

  // What the capture grid should hold for a stone: colour + 2 per occupied neighbour (the edge
  // counts as occupied); 0 for an empty point.
  int ExpectedValue(int col, int row) const {
    const int colour = At(col, row);
    if (colour == 0) return 0;
    Point around[4];
    const int count = Neighbours({col, row}, around);
    int occupied = 4 - count;
    for (int i = 0; i < count; ++i) occupied += At(around[i].first, around[i].second) != 0 ? 1 : 0;
    return colour + 2 * occupied;
  }

 private:
  // The on-board neighbours of p; returns how many were written to out.
  static int Neighbours(Point p, Point (&out)[4]) {
    static constexpr int d[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    int count = 0;
    for (const auto& s : d) {
      const Point n{p.first + s[0], p.second + s[1]};
      if (n.first >= 1 && n.first <= 19 && n.second >= 1 && n.second <= 19) out[count++] = n;
    }
    return count;
  }
  bool HasLiberty(Point start, std::set<Point>& group) const {
    const int colour = At(start.first, start.second);
    std::vector<Point> todo{start};
    group.insert(start);
    bool liberty = false;
    while (!todo.empty()) {
      const Point p = todo.back();
      todo.pop_back();
      Point around[4];
      const int count = Neighbours(p, around);
      for (int i = 0; i < count; ++i) {
        const Point n = around[i];
        const int v = At(n.first, n.second);
        if (v == 0) liberty = true;
        if (v == colour && group.insert(n).second) todo.push_back(n);
      }
    }
    return liberty;
  }
  std::array<std::array<int, 21>, 21> stones_{};
};

TEST(CaptureGridTest, RandomPlayOutsMatchAFloodFillBoardMoveByMove) {
  int totalCaptured = 0;
  for (unsigned seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    CaptureGrid grid;
    PlainBoard plain;
    // Play on a shrinking area near the corner first so that captures come early, then the
    // whole board, until no empty point is left or 1000 moves were played.
    for (int move = 1; move <= 1000; ++move) {
      const int span = move < 200 ? 7 : 19;
      std::vector<Point> empty;
      for (int c = 1; c <= span; ++c)
        for (int r = 1; r <= span; ++r)
          if (plain.At(c, r) == 0) empty.push_back({c, r});
      if (empty.empty()) {
        if (span == 19) break;
        continue;
      }
      const Point p = empty[random() % empty.size()];
      const int colour = move % 2 != 0 ? 1 : 2;
      const std::vector<Point> erased = Play(grid, p.first, p.second, colour);
      const std::set<Point> removed = plain.Play(p.first, p.second, colour);
      if (erased.size() != removed.size() ||
          std::set<Point>(erased.begin(), erased.end()) != removed) {
        FAIL() << "move " << move << ": " << erased.size() << " stones erased instead of "
               << removed.size();
      }
      totalCaptured += static_cast<int>(removed.size());
      for (int c = 1; c <= 19; ++c) {
        for (int r = 1; r <= 19; ++r) {
          if (grid.At(r, c) == plain.ExpectedValue(c, r)) continue;
          FAIL() << "move " << move << " at " << c << "," << r << ": " << grid.At(r, c)
                 << " instead of " << plain.ExpectedValue(c, r);
        }
      }
    }
  }
  EXPECT_GT(totalCaptured, 200);  // the play-outs did exercise captures
}

}  // namespace
}  // namespace moraku
