// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/game_match.h"

#include <QStringList>
#include <algorithm>

#include "board/coords.h"

namespace moraku::games {

EntryPattern PatternOfEntry(QStringView stones, int presetCount) {
  EntryPattern pattern;
  const std::vector<CornerMove> moves = EntryCornerMoves(stones);
  pattern.key = CornerKey(moves);
  pattern.cornerMoves = static_cast<int>(std::min<std::size_t>(moves.size(), kKeyMoves));
  pattern.firstJoseki = pattern.cornerMoves;
  for (int i = 0; i < pattern.cornerMoves; ++i) {
    if (moves[static_cast<std::size_t>(i)].moveNumber > presetCount) {
      pattern.firstJoseki = i;
      break;
    }
  }
  return pattern;
}

std::vector<CornerHit> FindEntryGames(sql::Database& db, const EntryPattern& pattern) {
  return FindCorners(db, pattern.key, kMaxGamesPerEntry);
}

bool DescribeMatch(sql::Database& db, const CornerHit& hit, const EntryPattern& pattern,
                   GameMatch* match) {
  if (!LoadGame(db, hit.game, &match->info, &match->setup, &match->moves)) return false;
  const CornerSequence sequence = ExtractCorner(match->setup, match->moves, hit.corner);
  match->corner = hit.corner;
  match->turn = sequence.turn;
  const int shown = std::min(pattern.cornerMoves, static_cast<int>(sequence.moves.size()));
  match->firstMove = 0;
  match->lastMove = 0;
  if (pattern.firstJoseki < shown)
    match->firstMove = sequence.moves[static_cast<std::size_t>(pattern.firstJoseki)].moveNumber;
  if (shown > 0) match->lastMove = sequence.moves[static_cast<std::size_t>(shown - 1)].moveNumber;
  return true;
}

QString MatchRecordText(const GameMatch& match, int index, int count) {
  QString moves;
  int recordMoves = 0;
  int first = 0;
  int last = 0;
  auto add = [&](const GameMove& move, int moveNumber) {
    const int wanted = recordMoves % 2 == 0 ? kBlack : kWhite;
    if (move.color != wanted) {
      moves += QLatin1String("00");
      ++recordMoves;
    }
    int row = move.row;
    int col = move.col;
    if (row == 0) {
      moves += QLatin1String("00");
    } else {
      match.turn.Apply(row, col);
      moves += CharFromCoord(row);
      moves += CharFromCoord(col);
    }
    ++recordMoves;
    if (moveNumber != 0 && moveNumber == match.firstMove) first = recordMoves;
    if (moveNumber != 0 && moveNumber == match.lastMove) last = recordMoves;
  };
  for (const GameMove& stone : match.setup) add(stone, 0);
  for (std::size_t i = 0; i < match.moves.size(); ++i) add(match.moves[i], static_cast<int>(i) + 1);
  if (first == 0) first = 1;
  if (last < first) last = first;
  const GameInfo& g = match.info;
  // One player a line, then the date and the result, then where the game stands in the list.
  QStringList dateAndResult;
  for (const QString& part : {g.date, g.result})
    if (!part.isEmpty()) dateAndResult << part;
  QString caption = QStringLiteral("黒 %1\n白 %2\n%3\n%4 / %5")
                        .arg(PlayerText(g.black, g.blackRank), PlayerText(g.white, g.whiteRank),
                             dateAndResult.join(QStringLiteral("　")))
                        .arg(index)
                        .arg(count);
  caption.replace(QLatin1Char('|'), QLatin1Char('/'));
  return caption + QStringLiteral("|%1/%2|").arg(first).arg(last) + moves;
}

}  // namespace moraku::games
