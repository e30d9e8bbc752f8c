// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hand-made games for the collection's tests: moves given in the upper-left corner's own
// coordinates, turned to any corner, written as SGF.

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

#include "games/corner_sequence.h"

namespace moraku::test {

// A move of a hand-made game: (row, col) in the upper-left corner's coordinates, or
// kElsewhere for a move in the opposite corner (a tenuki for the corner under test).
struct HandMove {
  int row;
  int col;
};
inline constexpr HandMove kElsewhere{0, 0};

// Writes the moves as an SGF game, alternating from Black (from White when `whiteFirst`), each
// corner move turned by `turn` (applied from the upper-left: the turn's map is its own inverse) and
// each kElsewhere move on a fresh point of the opposite corner. `root` is added to the root node.
inline QByteArray HandGame(const std::vector<HandMove>& moves, games::CornerTurn turn,
                           const QString& root = QString(), bool whiteFirst = false) {
  QString sgf = QStringLiteral("(;GM[1]FF[4]SZ[19]") + root;
  int elsewhere = 0;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    int row = moves[i].row;
    int col = moves[i].col;
    if (row == 0) {
      // Fresh points near the far corner's 4-4 point, well outside the region under test.
      row = 15 + elsewhere / 4;
      col = 15 + elsewhere % 4;
      ++elsewhere;
    }
    // The upper-left's point seen from `turn.corner`: undo the diagonal mirror, then reflect.
    if (turn.transposed) std::swap(row, col);
    games::CornerTurn reflect{turn.corner, false};
    reflect.Apply(row, col);
    sgf += QStringLiteral(";%1[%2%3]")
               .arg(QChar((i % 2 == 0) != whiteFirst ? u'B' : u'W'))
               .arg(QChar(u'a' + col - 1))
               .arg(QChar(u'a' + row - 1));
  }
  return (sgf + QStringLiteral(")")).toUtf8();
}

}  // namespace moraku::test
