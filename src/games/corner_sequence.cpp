// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/corner_sequence.h"

#include <algorithm>
#include <utility>

#include "board/coords.h"

namespace moraku::games {

namespace {

// Brings a point of `corner` to the upper-left corner by reflecting the rows and/or columns.
void ReflectToUpperLeft(int corner, int& row, int& col) {
  if (row == 0 || col == 0) return;
  if (corner == static_cast<int>(Corner::UpperRight) ||
      corner == static_cast<int>(Corner::LowerRight))
    col = kGameBoardSize + 1 - col;
  if (corner == static_cast<int>(Corner::LowerLeft) ||
      corner == static_cast<int>(Corner::LowerRight))
    row = kGameBoardSize + 1 - row;
}

// Chooses the diagonal mirror and the colours of a sequence already reflected to the
// upper-left, and applies them.
void Normalise(CornerSequence& sequence) {
  for (const CornerMove& m : sequence.moves) {
    if (m.row == m.col) continue;
    sequence.turn.transposed = m.row > m.col;
    break;
  }
  sequence.colorsSwapped = !sequence.moves.empty() && sequence.moves.front().color != kBlack;
  for (CornerMove& m : sequence.moves) {
    if (sequence.turn.transposed) std::swap(m.row, m.col);
    if (sequence.colorsSwapped) m.color = m.color == kBlack ? kWhite : kBlack;
  }
}

}  // namespace

QString CornerName(int corner) {
  static const char* const kNames[] = {"左上", "右上", "左下", "右下"};
  if (corner < 0 || corner >= kCornerCount) return QString();
  return QString::fromUtf8(kNames[corner]);
}

void CornerTurn::Apply(int& row, int& col) const {
  ReflectToUpperLeft(corner, row, col);
  if (transposed) std::swap(row, col);
}

CornerSequence ExtractCorner(const std::vector<GameMove>& setup, const std::vector<GameMove>& moves,
                             int corner) {
  CornerSequence sequence;
  sequence.turn.corner = corner;
  auto add = [&](const GameMove& move, int moveNumber) {
    int row = move.row;
    int col = move.col;
    ReflectToUpperLeft(corner, row, col);
    if (!InUpperLeftRegion(row, col)) return;
    sequence.moves.push_back(CornerMove{row, col, move.color, moveNumber});
  };
  for (const GameMove& stone : setup) add(stone, 0);
  for (std::size_t i = 0; i < moves.size(); ++i) add(moves[i], static_cast<int>(i) + 1);
  Normalise(sequence);
  return sequence;
}

QString CornerKey(const std::vector<CornerMove>& moves) {
  QString key;
  const std::size_t count = std::min<std::size_t>(moves.size(), kKeyMoves);
  key.reserve(static_cast<qsizetype>(3 * count));
  for (std::size_t i = 0; i < count; ++i) {
    key += CharFromCoord(moves[i].row);
    key += CharFromCoord(moves[i].col);
    key += QChar(u'0' + moves[i].color);
  }
  return key;
}

CornerSequence EntryCornerSequence(QStringView stones) {
  CornerSequence sequence;
  int number = 0;
  ForEachTriple(stones, [&](QStringView r, QStringView c, QStringView colour) {
    ++number;
    const int row = CoordFromChar(r);
    const int col = CoordFromChar(c);
    if (!InUpperLeftRegion(row, col)) return;
    const int color = colour == u"1" ? kWhite : kBlack;
    sequence.moves.push_back(CornerMove{row, col, color, number});
  });
  Normalise(sequence);
  return sequence;
}

QString EntryCornerKey(QStringView stones) {
  return CornerKey(EntryCornerMoves(stones));
}

}  // namespace moraku::games
