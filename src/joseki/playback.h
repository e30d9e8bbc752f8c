// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stepping through the record: each step clears the record board and replays moves 1 to the
// target.

#include "joseki/joseki_session.h"

namespace moraku {

// Places moves 1..target of RecordMoves on the (just cleared) record board, with captures;
// leaves MoveCount = target (0 when target < 1).
void ReplayRecord(JosekiSession& session, int& target);

void ShowRecordToLastNumberedMove(JosekiSession& session);  // "棋譜の表示"
void StepForwardOne(JosekiSession& session);                // "１手進む"
void StepForwardFive(JosekiSession& session);               // "５手進む"
void StepBackOne(JosekiSession& session);                   // "１手戻る"
void StepBackFive(JosekiSession& session);                  // "５手戻る"
void BackToFirstMove(JosekiSession& session);               // "初手に戻る"

// Tick of the end-mark timer: disables it and hides both end marks.
void EndIndicatorTick(JosekiSession& session);

}  // namespace moraku
