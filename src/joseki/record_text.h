// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record text of an entry: "caption|first/last|moves", and the moves of a record read as
// pairs of coordinate characters.

#include <QString>
#include <QStringView>
#include <optional>

#include "board/board_point.h"
#include "board/coords.h"

namespace moraku {

// The parts of a record text.
struct RecordParts {
  QString caption;       // the characters before the first "|"
  int numberLimit = 0;   // the first numbered move: the value of the text before "/"
  int recordLength = 0;  // the last move shown: the value of the text after "/"
  QString rawMoves;      // the characters after the second "|", as written
  QString moves;         // rawMoves without its first " " and then its first "　"
};

// Integer value of the leading number of a text, as a reader of hand-written numbers takes it:
// leading blanks skipped, an optional sign, then the decimal digits up to the first other
// character; no digits give 0. The value is held within +-kMaxRecordNumber so that no later
// arithmetic on it overflows.
int LeadingNumber(QStringView text);
inline constexpr int kMaxRecordNumber = 1'000'000;

// Where the separators of a record text "caption|first/last|moves" fall, as views into the
// text. `fault` names the first separator that is missing; the views from there on are empty.
struct RecordTextCut {
  enum class Fault { None, NoCaptionBar, NoNumbersBar, NoSlash };
  Fault fault = Fault::None;
  QStringView caption;  // before the first "|"
  QStringView first;    // between the first "|" and the "/"
  QStringView last;     // between the "/" and the second "|"
  QStringView moves;    // after the second "|", as written
};
RecordTextCut CutRecordText(QStringView text);

// Cuts a record text into its parts. Returns nothing for a text that has no record: shorter
// than 2 characters, or missing either "|" or the "/" between the two numbers.
std::optional<RecordParts> SplitRecordText(QStringView text);

// Number of moves in a record's moves: pairs, an odd last character ignored.
inline int RecordMoveCount(QStringView moves) {
  return static_cast<int>(moves.size() / 2);
}

// The point of move m (1-based) of a record's moves, each coordinate CoordFromChar of its
// character; a character past the end of the text gives 0.
BoardPoint RecordMoveAt(QStringView moves, int m);

}  // namespace moraku
