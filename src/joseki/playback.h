#pragma once
// Stepping through the record: each step clears the record board and replays moves 1 to the
// target.

#include "joseki/joseki_session.h"

namespace moraku {

// Places moves 1..target of RecordMoves on the (just cleared) record board, with captures;
// leaves MoveCount = target (0 when target < 1).
void ReplayRecord(JosekiSession& session, int& target);

void ShowWholeRecord(JosekiSession& session);  // Command2 "棋譜の表示"
void StepForwardOne(JosekiSession& session);   // Command3 "１手進む"
void StepForwardFive(JosekiSession& session);  // Command17 "５手進む"
void StepBackOne(JosekiSession& session);      // Command20 "１手戻る"
void StepBackFive(JosekiSession& session);     // Command21 "５手戻る"
void BackToFirstMove(JosekiSession& session);  // Command22 "初手に戻る"

// Tick of Timer2: disables it and hides both end indicators.
void EndIndicatorTick(JosekiSession& session);

}  // namespace moraku
