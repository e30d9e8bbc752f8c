// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Game records read from SGF: the main line of each game tree, with its players, ranks, date,
// event and result, or the reason it cannot be a game of the collection.

#include <QByteArray>
#include <QString>
#include <vector>

#include "games/corner_sequence.h"

namespace moraku::games {

// One game as the collection keeps it.
struct GameRecord {
  QString black, white;          // PB, PW
  QString blackRank, whiteRank;  // BR, WR
  QString date, event, result;   // DT, EV, RE (as written)
  QString source;                // the file it was read from
  std::vector<GameMove> setup;   // AB and AW stones of the root
  std::vector<GameMove> moves;   // the main line's B and W moves in order, passes as 0, 0
};

// Why a game tree of a file is not taken.
enum class SkipReason { None, BoardSize, NoMoves, BadMove };

// A skip reason in a few English words for the summary.
const char* SkipReasonText(SkipReason reason);

// One game tree read from a file: a game, or the reason it was skipped.
struct ReadGame {
  GameRecord game;
  SkipReason skipped = SkipReason::None;
};

// The outcome of reading one file.
struct GameFileRead {
  std::vector<ReadGame> games;  // one per game tree
  QString error;                // set when the file is not SGF at all (nothing read)
};

// Reads every game tree of `bytes` (an SGF collection; characters sets as the SGF reader knows
// them): the root's SZ must be 19 (no SZ means 19), the main line (first child at every node)
// must hold at least one move, and every move must be a point of the board, a pass ("" or "tt")
// or nothing else. Setup stones (AB, AW) are taken from the root only. Never throws.
GameFileRead ReadGames(const QByteArray& bytes, const QString& source);

// Winner of a result text: kBlack for "B+...", kWhite for "W+...", 0 otherwise.
int ResultWinner(const QString& result);

// The moves as stored: triples (row, column, colour) in coordinate characters, "00" for a pass.
QString MovesText(const std::vector<GameMove>& moves);

// The inverse of MovesText; a malformed triple reads as a pass.
std::vector<GameMove> MovesFromText(QStringView text);

}  // namespace moraku::games
