// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Coordinate characters, move strings and the pixel cells of the two boards.

#include <QString>
#include <QStringView>

namespace moraku {

// Size of one board point on the board picture, in pixels.
inline constexpr int kCellWidth = 22;
inline constexpr int kCellHeight = 23;
// The board picture holds the joseki board, one empty cell column and the record board.
inline constexpr int kBoardPictureWidth = 858;
inline constexpr int kBoardPictureHeight = 437;
inline constexpr int kBoardSize = 19;

enum class Board { Joseki, Record };

// Value 0..19 of a coordinate character: "G".."J" (upper case only) give 16..19; otherwise the
// text is read as a hexadecimal 16-bit signed number ("1A" gives 26, "FFFF" gives -1); anything
// that is not a hexadecimal number (empty, "?", "j", too long) gives 0. Never fails.
int CoordFromChar(QStringView s);

// The character that writers use for a coordinate 1..19: "1".."9", "A".."F", "G".."J".
QChar CharFromCoord(int value);

// The strict reading that the checker applies: 1..19 for a character CharFromCoord writes
// ("1".."9", "A".."J"), 0 for any other.
int WrittenCoordFromChar(QChar c);

// Character i (1-based) of s as a one-character view, or an empty view past either end.
QStringView CharAt(QStringView s, qsizetype position);

// Visits the triples of a move string from its first character in steps of three while the
// start lies within the string; a final incomplete triple is still visited, its missing
// characters empty. f(rowChar, colChar, thirdChar) each a view of at most one character.
template <typename F>
void ForEachTriple(QStringView s, F&& f) {
  for (qsizetype k = 1; k <= s.size(); k += 3) f(CharAt(s, k), CharAt(s, k + 1), CharAt(s, k + 2));
}

// Visits the pairs of a record's moves the same way: f(rowChar, colChar).
template <typename F>
void ForEachPair(QStringView s, F&& f) {
  for (qsizetype k = 1; k <= s.size(); k += 2) f(CharAt(s, k), CharAt(s, k + 1));
}

// The move string with its first " " (U+0020) and then its first "　" (U+3000) taken out, one of
// each at most: how stored joseki moves and record moves are cleaned before they are read.
QString RemoveFirstSpaces(QString text);

// Top-left pixel of the cell of point (row, col) on a board.
int CellX(Board board, int col);
inline int CellY(int row) {
  return (row - 1) * kCellHeight;
}

// Cell column and row (1-based, counted across both boards) of a pixel of the board picture.
inline int CellColumnOfPixel(int x) {
  return x / kCellWidth + 1;
}
inline int CellRowOfPixel(int y) {
  return y / kCellHeight + 1;
}

}  // namespace moraku
