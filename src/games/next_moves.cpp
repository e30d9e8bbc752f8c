// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/next_moves.h"

#include <algorithm>
#include <utility>

#include "board/coords.h"
#include "games/corner_sequence.h"
#include "games/game_store.h"

namespace moraku::games {

namespace {

QString EntryStones(const Entry& entry) {
  return entry.preset + entry.moves;
}

}  // namespace

int EntryKeys::EntryAlong(const EntryTable& table, const QString& key) {
  if (!built_) {
    built_ = true;
    keys_.reserve(static_cast<std::size_t>(table.Count()));
    for (int k = 1; k <= table.Count(); ++k)
      keys_.emplace_back(EntryCornerKey(EntryStones(table.entries[static_cast<std::size_t>(k)])),
                         k);
    std::sort(keys_.begin(), keys_.end());
  }
  int best = 0;
  qsizetype bestLength = 0;
  auto it = std::lower_bound(keys_.begin(), keys_.end(), std::make_pair(key, 0));
  for (; it != keys_.end() && it->first.startsWith(key); ++it) {
    if (best == 0 || it->first.size() < bestLength) {
      best = it->second;
      bestLength = it->first.size();
    }
  }
  return best;
}

std::vector<NextMove> FindNextMoves(sql::Database& db, QStringView stones, const EntryTable& table,
                                    EntryKeys& keys) {
  std::vector<NextMove> next;
  const CornerSequence own = EntryCornerSequence(stones);
  const QString prefix = CornerKey(own.moves);
  for (const Continuation& c : FindContinuations(db, prefix)) {
    if (c.triple.size() != 3) continue;
    // From the index's orientation and colours back to the entry's.
    int row = CoordFromChar(QStringView(c.triple).first(1));
    int col = CoordFromChar(QStringView(c.triple).sliced(1, 1));
    if (row < 1 || col < 1 || row > kBoardSize || col > kBoardSize) continue;
    if (own.turn.transposed) std::swap(row, col);
    const bool blackInIndex = c.triple.at(2) == QLatin1Char('2');
    const bool black = blackInIndex != own.colorsSwapped;
    // Black's wins: the index counts them for the corner's first mover, Black in the entry
    // unless its colours were swapped.
    const int blackWins = own.colorsSwapped ? c.decided - c.blackWins : c.blackWins;
    next.push_back(NextMove{{row, col},
                            black ? StoneColor::Black : StoneColor::White,
                            c.count,
                            c.decided,
                            blackWins,
                            keys.EntryAlong(table, prefix + c.triple)});
  }
  return next;
}

QString NextMoveMarks(const std::vector<NextMove>& moves,
                      const std::function<bool(BoardPoint)>& isFree) {
  QString marks;
  for (std::size_t i = 0; i < moves.size() && i < kMarkedNextMoves; ++i) {
    if (isFree && !isFree(moves[i].point)) continue;
    marks += CharFromCoord(moves[i].point.row);
    marks += CharFromCoord(moves[i].point.col);
    marks += QChar(u'a' + static_cast<char16_t>(i));
  }
  return marks;
}

QString NextMovesText(const std::vector<NextMove>& moves, const EntryTable& table) {
  int examples = 0;  // corners: one game can play the line in several
  for (const NextMove& m : moves) examples += m.count;
  QString text = QStringLiteral("次の一手（実戦 %1例）").arg(examples);
  for (std::size_t i = 0; i < moves.size(); ++i) {
    const NextMove& m = moves[i];
    const QChar letter = i < kMarkedNextMoves ? QChar(u'A' + static_cast<char16_t>(i)) : u'・';
    text += QStringLiteral("\n%1 %2 %3例 黒勝率 ")
                .arg(letter)
                .arg(m.color == StoneColor::Black ? QStringLiteral("黒") : QStringLiteral("白"))
                .arg(m.count);
    text += m.decided > 0 ? QStringLiteral("%1%").arg(qRound(100.0 * m.blackWins / m.decided))
                          : QStringLiteral("－");
    if (m.entry > 0)
      text += QStringLiteral(" → ") + table.entries[static_cast<std::size_t>(m.entry)].title;
  }
  return text;
}

}  // namespace moraku::games
