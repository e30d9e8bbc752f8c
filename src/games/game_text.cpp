// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of a game record that the window reads back from the collection too: the stored
// move text and the winner of a result.

#include <QStringView>

#include "board/coords.h"
#include "games/game_record.h"

namespace moraku::games {

int ResultWinner(const QString& result) {
  const QString r = result.trimmed().toUpper();
  if (r.startsWith(QLatin1String("B+"))) return kBlack;
  if (r.startsWith(QLatin1String("W+"))) return kWhite;
  return 0;
}

QString MovesText(const std::vector<GameMove>& moves) {
  QString text;
  text.reserve(static_cast<qsizetype>(3 * moves.size()));
  for (const GameMove& m : moves) {
    if (m.row == 0) {
      text += QLatin1String("00");
    } else {
      text += CharFromCoord(m.row);
      text += CharFromCoord(m.col);
    }
    text += QChar(u'0' + m.color);
  }
  return text;
}

std::vector<GameMove> MovesFromText(QStringView text) {
  std::vector<GameMove> moves;
  moves.reserve(static_cast<std::size_t>(text.size() / 3));
  ForEachTriple(text, [&](QStringView r, QStringView c, QStringView colour) {
    int row = CoordFromChar(r);
    int col = CoordFromChar(c);
    if (row < 1 || row > kGameBoardSize || col < 1 || col > kGameBoardSize) row = col = 0;
    moves.push_back(GameMove{row, col, colour == u"1" ? kWhite : kBlack});
  });
  return moves;
}

}  // namespace moraku::games
