// SPDX-License-Identifier: GPL-3.0-or-later
#include "joseki/playback.h"

#include <algorithm>

#include "board/coords.h"
#include "joseki/record_text.h"
#include "joseki/stone_images.h"

namespace moraku {

namespace {

// Shows the record board's end indicator for about a second (hidden by EndIndicatorTick).
void ShowEndIndicator(JosekiSession& session) {
  session.ui.SetRecordEndMarkVisible(true);
  session.ui.SetEndMarkTimerEnabled(true);
}

void ClearAndReplay(JosekiSession& session) {
  ClearRecordBoard(session);
  ReplayRecord(session, session.state.TargetMove);
}

// A forward step: beyond the record's last move only the end indicator shows.
void StepForward(JosekiSession& session, int moves) {
  JosekiState& s = session.state;
  if (s.RecordText.isEmpty()) return;
  s.TargetMove = s.MoveCount + moves;
  if (s.TargetMove > RecordMoveCount(s.RecordMoves)) {
    ShowEndIndicator(session);
    return;
  }
  ClearAndReplay(session);
}

}  // namespace

void ReplayRecord(JosekiSession& session, int& target) {
  JosekiState& s = session.state;
  BoardCanvas& canvas = session.canvas;
  const bool whiteFirst = s.NumberLimit % 2 == 0;
  s.MoveCount = 0;
  int n = 0;
  // Moves past the end of the record have no point; they are only counted.
  const int placed = std::min(target, RecordMoveCount(s.RecordMoves));
  for (int m = 1; m <= placed; ++m) {
    s.MoveCount = m;
    const BoardPoint point = RecordMoveAt(s.RecordMoves, m);
    s.Move = point;
    s.MoveColor = ColorOfNumber(m);
    const bool numbered = m <= s.RecordLength && m >= s.NumberLimit;
    if (numbered) ++n;
    // A move with a 0 coordinate has no cell: it is counted and coloured, never drawn or placed.
    if (point.row == 0 || point.col == 0) continue;
    // An image that cannot be loaded leaves the previous picture in Pattern, which is drawn.
    canvas.LoadPattern(RecordMoveImage(m, numbered ? n : 0, whiteFirst));
    canvas.DrawCell(CellX(Board::Record, s.Move.col), CellY(s.Move.row));
    canvas.Present();
    s.Last = s.Move;
    s.RecordGrid.Place(s.Move, s.MoveColor);
    s.RecordGrid.Capture(s.Move, s.MoveColor,
                         [&session](BoardPoint p) { ErasePoint(session, Board::Record, p); });
  }
  s.MoveCount = std::max(target, 0);
}

void ShowRecordToLastNumberedMove(JosekiSession& session) {
  JosekiState& s = session.state;
  if (s.RecordMoves.isEmpty()) return;
  s.TargetMove = s.RecordLength;
  ClearAndReplay(session);
}

void StepForwardOne(JosekiSession& session) {
  StepForward(session, 1);
}

void StepForwardFive(JosekiSession& session) {
  StepForward(session, 5);
}

void StepBackOne(JosekiSession& session) {
  JosekiState& s = session.state;
  if (s.RecordText.isEmpty()) return;
  s.TargetMove = s.MoveCount - 1;
  if (s.TargetMove == 0) s.TargetMove = 1;
  ClearAndReplay(session);
}

void StepBackFive(JosekiSession& session) {
  JosekiState& s = session.state;
  if (s.RecordText.isEmpty()) return;
  s.TargetMove = std::max(s.MoveCount - 5, 1);
  ClearAndReplay(session);
}

void BackToFirstMove(JosekiSession& session) {
  JosekiState& s = session.state;
  if (s.RecordText.isEmpty()) return;
  s.TargetMove = 1;
  ClearAndReplay(session);
}

void EndIndicatorTick(JosekiSession& session) {
  session.ui.SetEndMarkTimerEnabled(false);
  session.ui.SetJosekiEndMarkVisible(false);
  session.ui.SetRecordEndMarkVisible(false);
}

}  // namespace moraku
