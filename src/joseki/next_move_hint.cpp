// SPDX-License-Identifier: GPL-3.0-or-later
#include "joseki/next_move_hint.h"

#include "board/coords.h"
#include "joseki/entry_display.h"
#include "render/image_names.h"

namespace moraku {

namespace {

// Draws a stone image at a joseki-board point; a point off the board or a missing image draws
// nothing.
void DrawJosekiStone(JosekiSession& session, const QString& image, BoardPoint p) {
  DrawStoneImage(session, Board::Joseki, image, p);
}

}  // namespace

void StartHint(JosekiSession& session) {
  JosekiState& s = session.state;
  ClearJosekiBoard(session);
  s.StoneNo = 0;
  int tenukiRows = 0;
  ForEachTriple(s.PresetStones, [&](QStringView r, QStringView c, QStringView) {
    ++s.StoneNo;
    if (IsTenuki(r)) {
      ++tenukiRows;
      s.Move.row = tenukiRows == 1 ? 10 : 11;
    } else {
      s.Move.row = CoordFromChar(r);
    }
    s.Move.col = IsTenuki(c) ? 19 : CoordFromChar(c);
    s.MoveColor = ColorOfNumber(s.StoneNo);
    DrawJosekiStone(session, PlainStoneImage(s.MoveColor == StoneColor::Black), s.Move);
    s.Last = s.Move;
    s.JosekiGrid.Place(s.Move, s.MoveColor);
  });
  DrawMarks(session);
  s.StoneNo = 0;
  s.HintCount = 0;
  s.HintLast = {};
}

void ShowNextMove(JosekiSession& session) {
  JosekiState& s = session.state;
  ++s.HintCount;
  const int n = static_cast<int>(s.JosekiMoves.size() / 3);
  if (s.HintCount > n) return;
  const qsizetype k = 3 * qsizetype{s.HintCount} - 2;
  const QStringView rowChar = CharAt(s.JosekiMoves, k);
  const QStringView colChar = CharAt(s.JosekiMoves, k + 1);
  // The row comes first, so a "??" move counts itself before its column is chosen.
  BoardPoint point;
  if (IsTenuki(rowChar)) {
    point.row = 10;
    ++s.ElsewhereCount;
  } else {
    point.row = CoordFromChar(rowChar);
  }
  if (IsTenuki(colChar)) {
    if (s.ElsewhereCount == 1) {
      point.col = 18;
    } else if (s.ElsewhereCount == 2) {
      point.col = 19;
      s.ElsewhereCount = 0;
    } else {
      point.col = 17;
    }
  } else {
    point.col = CoordFromChar(colChar);
  }
  if (s.HintCount == 1) {
    s.Last.row = 0;
    s.HintLast.row = 0;
  }
  // White plays the joseki's odd moves. StoneNo keeps the colour's value for the capture.
  s.MoveColor = ColorOfNumber(s.HintCount + 1);
  s.StoneNo = static_cast<int>(s.MoveColor);
  const bool white = s.MoveColor == StoneColor::White;
  DrawJosekiStone(session, RedMarkedStoneImage(!white), point);
  // The stone marked before turns plain; the hint remembers its own cell for it, so a stone
  // placed on the record board in between does not move the redraw.
  if (s.HintLast.row > 0) {
    // The stone before is of the other colour.
    DrawJosekiStone(session, PlainStoneImage(/*black=*/white), s.HintLast);
  }
  s.Last = s.HintLast = s.Move = point;
  if (s.JosekiGrid.Place(point, s.MoveColor)) {
    s.JosekiGrid.Capture(point, ColorOfNumber(s.StoneNo),
                         [&session](BoardPoint p) { ErasePoint(session, Board::Joseki, p); });
  }
  if (s.HintCount == n) {
    session.ui.SetJosekiEndMarkVisible(true);
    s.HintCount = 0;
    session.ui.SetEndMarkTimerEnabled(true);
  }
}

}  // namespace moraku
