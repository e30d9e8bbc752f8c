// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Verifying joseki lines with a Go engine: every entry's stones are replayed on the engine's
// board (a tenuki is a pass) and the position at the end of the line is judged.
//
// Problems (each makes verify fail):
// - a move the engine refuses (occupied point, suicide, ko) or a triple that is not a move;
// - a group (the engine's dragon: stones that live or die together) of two or more stones
//   whose status is "critical", or of three or more stones whose status is "dead";
// - a string of the player who moved last that is in atari and that the player to move can
//   capture with profit: the string is not part of a dead group (a stone already lost is taken
//   whenever convenient), the capture is legal and the capturing stones then have two
//   liberties or more (so not a ko the capturer could lose at once, not a snapback);
// - two entries with the same stones (the diagonal mirror counts as the same) and the same
//   preset count, unless both have the same title and belong to different sections (the star
//   point section also lists the handicap lines, so a line may stand in both on purpose).
// The group and atari rules do not apply to a line whose comment contains kUnfinishedWord: it
// stops in the middle of a fight on purpose. What they would have said becomes a note.
//
// Notes (reported, never a failure): single stones or two-stone groups given up, the findings
// the unfinished-fight word excused, and duplicates allowed by the rule above.

#include <QString>
#include <QStringList>
#include <vector>

#include "store/entry_checker.h"
#include "store/gtp_engine.h"

namespace moraku {

// The word a comment contains when its line deliberately stops before the fight is settled.
inline constexpr char16_t kUnfinishedWord[] = u"途中図";

struct VerifyFinding {
  enum class Severity {
    Problem,  // a fault of the entry
    Notice,   // worth knowing, not a fault (an allowed duplicate)
    Detail,   // normal joseki shown on request (a stone given up, an excused finding)
  };
  Severity severity;
  QString line;  // "<id> <title>: <what>"
};

struct VerifyResult {
  int entriesVerified = 0;
  std::vector<VerifyFinding> findings;  // entry order; duplicates after the replays
  QString engineLost;                   // why the engine stopped; empty when it did not

  int ProblemCount() const;
};

// Verifies `entries` with `engine`, a running GTP engine that understands GNU Go's
// dragon_status, dragon_stones, worm_stones, countlib, findlib, is_legal and undo. Stops early
// (with engineLost set) when the engine is lost.
VerifyResult VerifyEntries(const std::vector<GocsRow>& entries, GtpEngine& engine);

// The duplicate rule alone (it needs no engine): one finding per entry whose stones and preset
// count equal an earlier entry's.
std::vector<VerifyFinding> FindDuplicateStones(const std::vector<GocsRow>& entries);

// The GTP vertex ("D16") of point (row, col) counted from the upper-left corner, 1..19.
QString GtpVertex(int row, int col);

}  // namespace moraku
