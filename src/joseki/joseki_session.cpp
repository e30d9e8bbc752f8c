// SPDX-License-Identifier: GPL-3.0-or-later
#include "joseki/joseki_session.h"

namespace moraku {

bool ClearJosekiBoard(JosekiSession& session) {
  session.state.JosekiGrid.Clear();
  return session.canvas.DrawEmptyBoard(Board::Joseki);
}

bool ClearRecordBoard(JosekiSession& session) {
  session.state.RecordGrid.Clear();
  if (!session.canvas.DrawEmptyBoard(Board::Record)) return false;
  session.state.NoBoardInput = false;
  return true;
}

void SetSearchText(JosekiSession& session, const QString& text) {
  if (session.state.SearchText == text) return;
  session.state.SearchText = text;
  session.ui.SetRecordButtonsEnabled(false);
}

bool DrawStoneImage(JosekiSession& session, Board board, const QString& image, BoardPoint p) {
  if (!session.canvas.LoadPattern(image)) return false;
  session.canvas.DrawCell(CellX(board, p.col), CellY(p.row));
  session.canvas.Present();
  return true;
}

void ErasePoint(JosekiSession& session, Board board, BoardPoint p) {
  session.canvas.RedrawEmptyPoint(board, p);
}

}  // namespace moraku
