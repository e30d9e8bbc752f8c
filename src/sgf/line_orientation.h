// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one orientation of a stored joseki line. Every line is kept turned so that Black's first
// stone is in the upper-left corner; where two symmetries keep it there, the line's first stone
// off the diagonal decides. Import, export and the duplicate check all use this rule, so a line
// and any of its seven mirror images are the same line.

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "board/board_point.h"

namespace moraku {

// One of the eight symmetries of the board: rows and columns swapped first (when `transpose`),
// then the rows turned upside down, then the columns turned left to right.
struct BoardSymmetry {
  bool transpose = false;
  bool mirrorRows = false;
  bool mirrorCols = false;
  bool operator==(const BoardSymmetry&) const = default;
  bool IsIdentity() const { return !transpose && !mirrorRows && !mirrorCols; }
};

// The eight symmetries; the identity first, then the ones that keep rows as rows.
const std::array<BoardSymmetry, 8>& AllSymmetries();

// Where `symmetry` takes the point `p` (1..19 each).
BoardPoint Transformed(BoardSymmetry symmetry, BoardPoint p);

// The point a section's lines open on: the 4-4 point (row 4, column 4) for the handicap and
// star-point sections, the 3-4 point (row 3, column 4) for the 3-4 point section.
enum class OpeningPoint { StarPoint, ThreeFour };

// The opening point of the section whose code character is `sectionChar` (StarPoint for a
// character of no section).
OpeningPoint OpeningOfSection(QChar sectionChar);

// One move of a line: a point, or nullopt for a tenuki (a pass).
using LineMove = std::optional<BoardPoint>;

// The symmetry that turns `moves` (Black's first stone first) into the stored orientation, or
// nullopt when the first move is not a stone on an `opening` point of some corner:
// - ThreeFour: the single symmetry taking the stone to row 3, column 4;
// - StarPoint: of the two symmetries taking the stone to row 4, column 4, the one under which
//   the first joseki move (moves[presetCount] on) that is off the diagonal has row < column;
//   when every joseki move is on the diagonal, the first preset stone off it decides the same
//   way; when none is off it, the one that keeps rows as rows.
std::optional<BoardSymmetry> StoredOrientation(const std::vector<LineMove>& moves, int presetCount,
                                               OpeningPoint opening);

// The moves of a stone string (triples "RCc", tenuki "???"), or nullopt when it is not whole
// triples of points 1..19 written as writers write them ("1".."9", "A".."J") and tenuki.
std::optional<std::vector<LineMove>> MovesOfStones(QStringView stones);

// The stone string of `moves` turned by `symmetry`: colour codes alternate from Black ("2"),
// a tenuki is "???".
QString StonesOfMoves(const std::vector<LineMove>& moves, BoardSymmetry symmetry);

// `stones` in the stored orientation; unchanged when it is not a line that opens on `opening`.
QString StoredStones(const QString& stones, int presetCount, OpeningPoint opening);

// `text`'s pairs (or, with `triples`, the first two characters of each triple) that are points
// turned by `symmetry`; anything else is kept as it is.
QString TurnedCoordinates(const QString& text, BoardSymmetry symmetry, bool triples);

}  // namespace moraku
