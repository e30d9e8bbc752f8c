// SPDX-License-Identifier: GPL-3.0-or-later
#include "sgf/line_orientation.h"

#include "board/coords.h"
#include "data/sections.h"

namespace moraku {

namespace {

constexpr int kSize = 19;

// Value 1..19 of a coordinate character exactly as writers write it; 0 for anything else.
int WrittenCoord(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'1' && u <= u'9') return u - u'0';
  if (u >= u'A' && u <= u'J') return 10 + (u - u'A');
  return 0;
}

// The first move of moves[from, to) that is off the diagonal under `symmetry`, if any.
std::optional<BoardPoint> FirstOffDiagonal(const std::vector<LineMove>& moves, std::size_t from,
                                           std::size_t to, BoardSymmetry symmetry) {
  for (std::size_t i = from; i < to && i < moves.size(); ++i) {
    if (!moves[i]) continue;
    const BoardPoint p = Transformed(symmetry, *moves[i]);
    if (p.row != p.col) return p;
  }
  return std::nullopt;
}

}  // namespace

const std::array<BoardSymmetry, 8>& AllSymmetries() {
  static const std::array<BoardSymmetry, 8> all = {
      BoardSymmetry{false, false, false}, BoardSymmetry{false, false, true},
      BoardSymmetry{false, true, false},  BoardSymmetry{false, true, true},
      BoardSymmetry{true, false, false},  BoardSymmetry{true, false, true},
      BoardSymmetry{true, true, false},   BoardSymmetry{true, true, true}};
  return all;
}

BoardPoint Transformed(BoardSymmetry symmetry, BoardPoint p) {
  if (symmetry.transpose) std::swap(p.row, p.col);
  if (symmetry.mirrorRows) p.row = kSize + 1 - p.row;
  if (symmetry.mirrorCols) p.col = kSize + 1 - p.col;
  return p;
}

OpeningPoint OpeningOfSection(QChar sectionChar) {
  const Section* section = SectionOfCode(sectionChar);
  const bool threeFour = section != nullptr && section->openingRow == 3;
  return threeFour ? OpeningPoint::ThreeFour : OpeningPoint::StarPoint;
}

std::optional<BoardSymmetry> StoredOrientation(const std::vector<LineMove>& moves, int presetCount,
                                               OpeningPoint opening) {
  if (moves.empty() || !moves.front()) return std::nullopt;
  const BoardPoint target =
      opening == OpeningPoint::StarPoint ? BoardPoint{4, 4} : BoardPoint{3, 4};
  std::vector<BoardSymmetry> candidates;
  for (const BoardSymmetry& s : AllSymmetries()) {
    if (Transformed(s, *moves.front()) == target) candidates.push_back(s);
  }
  if (candidates.empty()) return std::nullopt;
  if (candidates.size() == 1) return candidates.front();
  // Two candidates, mirror images of each other across the diagonal: the first stone off the
  // diagonal lies above it under exactly one of them.
  const std::size_t preset = presetCount < 1 ? 1 : static_cast<std::size_t>(presetCount);
  const BoardSymmetry first = candidates.front();
  std::optional<BoardPoint> decider = FirstOffDiagonal(moves, preset, moves.size(), first);
  if (!decider) decider = FirstOffDiagonal(moves, 1, preset, first);
  if (!decider || decider->row < decider->col) return first;
  return candidates[1];
}

std::optional<std::vector<LineMove>> MovesOfStones(QStringView stones) {
  if (stones.isEmpty() || stones.size() % 3 != 0) return std::nullopt;
  std::vector<LineMove> moves;
  moves.reserve(static_cast<std::size_t>(stones.size() / 3));
  for (qsizetype i = 0; i < stones.size(); i += 3) {
    if (stones[i] == u'?' && stones[i + 1] == u'?' && stones[i + 2] == u'?') {
      moves.emplace_back(std::nullopt);
      continue;
    }
    const int row = WrittenCoord(stones[i]);
    const int col = WrittenCoord(stones[i + 1]);
    if (row == 0 || col == 0) return std::nullopt;
    moves.emplace_back(BoardPoint{row, col});
  }
  return moves;
}

QString StonesOfMoves(const std::vector<LineMove>& moves, BoardSymmetry symmetry) {
  QString stones;
  stones.reserve(static_cast<qsizetype>(3 * moves.size()));
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (!moves[i]) {
      stones.append(QStringLiteral("???"));
      continue;
    }
    const BoardPoint p = Transformed(symmetry, *moves[i]);
    stones.append(CharFromCoord(p.row));
    stones.append(CharFromCoord(p.col));
    stones.append(i % 2 == 0 ? u'2' : u'1');
  }
  return stones;
}

QString StoredStones(const QString& stones, int presetCount, OpeningPoint opening) {
  const std::optional<std::vector<LineMove>> moves = MovesOfStones(stones);
  if (!moves) return stones;
  const std::optional<BoardSymmetry> symmetry = StoredOrientation(*moves, presetCount, opening);
  if (!symmetry || symmetry->IsIdentity()) return stones;
  QString turned = stones;
  const qsizetype n = stones.size() / 3;
  for (qsizetype k = 0; k < n; ++k) {
    const std::optional<BoardPoint>& m = (*moves)[static_cast<std::size_t>(k)];
    if (!m) continue;
    const BoardPoint p = Transformed(*symmetry, *m);
    turned[3 * k] = CharFromCoord(p.row);
    turned[3 * k + 1] = CharFromCoord(p.col);
  }
  return turned;
}

QString TurnedCoordinates(const QString& text, BoardSymmetry symmetry, bool triples) {
  if (symmetry.IsIdentity()) return text;
  QString turned = text;
  const qsizetype step = triples ? 3 : 2;
  for (qsizetype i = 0; i + 1 < text.size(); i += step) {
    const int row = WrittenCoord(text[i]);
    const int col = WrittenCoord(text[i + 1]);
    if (row == 0 || col == 0) continue;
    const BoardPoint p = Transformed(symmetry, {row, col});
    turned[i] = CharFromCoord(p.row);
    turned[i + 1] = CharFromCoord(p.col);
  }
  return turned;
}

}  // namespace moraku
