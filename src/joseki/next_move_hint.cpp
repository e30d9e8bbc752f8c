#include "joseki/next_move_hint.h"

#include "board/coords.h"
#include "joseki/entry_display.h"
#include "render/image_names.h"

namespace moraku {

namespace {

bool IsTenuki(QStringView c) {
  return c == u"?";
}

// Draws a stone image at a joseki-board point; a point off the board or a missing image draws
// nothing.
void DrawJosekiStone(JosekiSession& session, const QString& image, int row, int col) {
  DrawStoneImage(session, Board::Joseki, image, row, col);
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
      s.MoveRow = tenukiRows == 1 ? 10 : 11;
    } else {
      s.MoveRow = CoordFromChar(r);
    }
    s.MoveCol = IsTenuki(c) ? 19 : CoordFromChar(c);
    const bool black = s.StoneNo % 2 != 0;
    s.StoneColor = black ? 1 : 2;
    DrawJosekiStone(session, PlainStoneImage(black), s.MoveRow, s.MoveCol);
    s.LastRow = s.MoveRow;
    s.LastCol = s.MoveCol;
    s.JosekiGrid.Place(s.MoveCol, s.MoveRow, s.StoneColor);
  });
  DrawMarks(session);
  s.StoneNo = 0;
  s.HintCount = 0;
  s.HintLastRow = 0;
  s.HintLastCol = 0;
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
  int row;
  if (IsTenuki(rowChar)) {
    row = 10;
    ++s.ElsewhereCount;
  } else {
    row = CoordFromChar(rowChar);
  }
  int col;
  if (IsTenuki(colChar)) {
    if (s.ElsewhereCount == 1) {
      col = 18;
    } else if (s.ElsewhereCount == 2) {
      col = 19;
      s.ElsewhereCount = 0;
    } else {
      col = 17;
    }
  } else {
    col = CoordFromChar(colChar);
  }
  if (s.HintCount == 1) {
    s.LastRow = 0;
    s.HintLastRow = 0;
  }
  const bool white = s.HintCount % 2 != 0;
  s.StoneColor = s.StoneNo = white ? 2 : 1;
  DrawJosekiStone(session, RedMarkedStoneImage(!white), row, col);
  // The stone marked before turns plain; the hint remembers its own cell for it, so a stone
  // placed on the record board in between does not move the redraw.
  if (s.HintLastRow > 0) {
    DrawJosekiStone(session, PlainStoneImage(/*black=*/white), s.HintLastRow, s.HintLastCol);
  }
  s.LastRow = s.HintLastRow = s.MoveRow = row;
  s.LastCol = s.HintLastCol = s.MoveCol = col;
  if (s.JosekiGrid.Place(col, row, s.StoneColor)) {
    s.JosekiGrid.Capture(col, row, s.StoneNo % 2 != 0 ? 1 : 2,
                         [&session](int c, int r) { ErasePoint(session, Board::Joseki, c, r); });
  }
  if (s.HintCount == n) {
    session.ui.SetJosekiEndMarkVisible(true);
    s.HintCount = 0;
    session.ui.SetEndMarkTimerEnabled(true);
  }
}

}  // namespace moraku
