// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The corner index of a game: for each of the four corners, the moves played in its region,
// turned to the upper-left corner in the stored orientation and with the colours named so that
// Black made the first move there. The key of a corner is its moves as stone triples, so the
// games that played a joseki in some corner are those whose corner key starts with the joseki's.
//
// The region of a corner is the 11 x 11 square of points within eleven lines of both of its
// edges (rows 1-11 and columns 1-11 for the upper-left corner): it holds every move of the
// shipped joseki, pincers and extensions on the sides included. Neighbouring regions share the
// lines 9-11 of their common side, so a move there belongs to both corners. A move outside the
// region is a tenuki for that corner; so is a pass.

#include <QString>
#include <QStringView>
#include <vector>

namespace moraku::games {

inline constexpr int kGameBoardSize = 19;
inline constexpr int kCornerReach = 11;
// The corner keys keep at most this many moves: enough for any joseki and what follows it.
inline constexpr int kKeyMoves = 60;

// Stone colours as the stone strings write them.
inline constexpr int kWhite = 1;
inline constexpr int kBlack = 2;

// One move of a game (or one setup stone). Row and column 1-19, row 1 the top line; 0 and 0
// for a pass.
struct GameMove {
  int row = 0;
  int col = 0;
  int color = kBlack;
};

// The four corners, in the order the index numbers them.
enum class Corner { UpperLeft = 0, UpperRight = 1, LowerLeft = 2, LowerRight = 3 };
inline constexpr int kCornerCount = 4;

// Japanese name of a corner for listings (左上, 右上, 左下, 右下).
QString CornerName(int corner);

// How a corner is turned to the upper-left: first the corner's own reflection(s) that bring it
// there, then the diagonal mirror (row <-> column) when `transposed`.
struct CornerTurn {
  int corner = 0;
  bool transposed = false;
  // Point (row, col) of the board as seen turned; the inverse is the same map.
  void Apply(int& row, int& col) const;
};

// One move of a corner sequence, turned and colour-normalised.
struct CornerMove {
  int row = 0;
  int col = 0;
  int color = kBlack;
  int moveNumber = 0;  // the game's move number (1-based); 0 for a setup stone
};

// The moves of one corner.
struct CornerSequence {
  CornerTurn turn;
  bool colorsSwapped = false;  // White made the first move in the corner
  std::vector<CornerMove> moves;
};

// Whether (row, col) of the upper-left corner lies in its region.
inline bool InUpperLeftRegion(int row, int col) {
  return row >= 1 && col >= 1 && row <= kCornerReach && col <= kCornerReach;
}

// The sequence of `corner`: the setup stones in its region (in the order given), then the moves
// in its region in game order, turned so that the first move off the diagonal lies above it
// (row < column; no turn when every move is on the diagonal) and coloured so that the first
// stone is Black.
CornerSequence ExtractCorner(const std::vector<GameMove>& setup, const std::vector<GameMove>& moves,
                             int corner);

// The key of a sequence: its first kKeyMoves moves as triples (row, column, colour) in the
// coordinate characters of the stone strings.
QString CornerKey(const std::vector<CornerMove>& moves);

// The corner key of an entry's stone string (triples; "???" a tenuki): its stones in the
// upper-left region, in the same orientation and colour rule as the games. Stones elsewhere
// (the handicap stones of other corners) and tenuki are left out.
QString EntryCornerKey(QStringView stones);

// The moves of an entry's stone string in the upper-left region, turned and coloured as above
// (moveNumber: the triple's 1-based place in the string), with the turn and colours chosen.
CornerSequence EntryCornerSequence(QStringView stones);
inline std::vector<CornerMove> EntryCornerMoves(QStringView stones) {
  return EntryCornerSequence(stones).moves;
}

}  // namespace moraku::games
