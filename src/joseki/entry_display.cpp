// SPDX-License-Identifier: GPL-3.0-or-later
#include "joseki/entry_display.h"

#include "board/coords.h"
#include "joseki/record_text.h"
#include "joseki/stone_images.h"

namespace moraku {

namespace {

// Tenuki stones of one entry display: the row "?" is row 10; the column "?" is column 19 for the
// first one met, 18 for the second and 17 for every later one.
struct TenukiColumns {
  int met = 0;
  int Next() {
    ++met;
    return met == 1 ? 19 : met == 2 ? 18 : 17;
  }
};

void DecodeEntryPoint(JosekiState& s, QStringView rowChar, QStringView colChar,
                      TenukiColumns& tenuki) {
  s.Move.row = IsTenuki(rowChar) ? 10 : CoordFromChar(rowChar);
  s.Move.col = IsTenuki(colChar) ? tenuki.Next() : CoordFromChar(colChar);
}

// Enters the stone just drawn into a board's grid and links it. Returns false for a point off
// the board, which ends the drawing of the entry.
bool PlaceStone(JosekiState& s, CaptureGrid& grid) {
  s.Last = s.Move;
  return grid.Place(s.Move, s.MoveColor);
}

// Captures around the stone just placed; the mover's colour follows from the parity of
// `moverNumber`.
void CaptureOn(JosekiSession& session, Board board, int moverNumber) {
  JosekiState& s = session.state;
  CaptureGrid& grid = board == Board::Joseki ? s.JosekiGrid : s.RecordGrid;
  grid.Capture(s.Move, ColorOfNumber(moverNumber),
               [&session, board](BoardPoint p) { ErasePoint(session, board, p); });
}

// The joseki board's stones; false when drawing stopped at a stone that could not be drawn.
bool DrawJosekiStones(JosekiSession& session) {
  JosekiState& s = session.state;
  BoardCanvas& canvas = session.canvas;
  TenukiColumns tenuki;
  int p = 0;
  bool ok = true;
  if (!s.PresetStones.isEmpty()) {
    const int presetTriples = static_cast<int>((s.PresetStones.size() + 2) / 3);
    ForEachTriple(s.PresetStones, [&](QStringView r, QStringView c, QStringView) {
      if (!ok) return;
      ++p;
      // A tenuki between two preset stones only keeps the colours alternating (White's turns
      // between the handicap stones): it is no stone White played, so it is not drawn and
      // takes no tenuki column.
      if (IsTenuki(r) && IsTenuki(c) && p > 1 && p < presetTriples) return;
      DecodeEntryPoint(s, r, c, tenuki);
      if (!canvas.LoadPattern(PresetStoneImage(p))) {
        ok = false;
        return;
      }
      s.MoveColor = ColorOfNumber(p);
      canvas.DrawCell(CellX(Board::Joseki, s.Move.col), CellY(s.Move.row));
      ok = PlaceStone(s, s.JosekiGrid);
    });
    if (!ok) return false;
    canvas.Present();
  }
  s.MoveCount = 0;
  ForEachTriple(s.JosekiMoves, [&](QStringView r, QStringView c, QStringView) {
    if (!ok) return;
    const int m = ++s.MoveCount;
    DecodeEntryPoint(s, r, c, tenuki);
    if (!canvas.LoadPattern(JosekiMoveImage(m))) {
      ok = false;
      return;
    }
    canvas.DrawCell(CellX(Board::Joseki, s.Move.col), CellY(s.Move.row));
    // White plays the joseki's odd moves. StoneNo keeps the colour's value for the capture.
    s.MoveColor = ColorOfNumber(m + 1);
    s.StoneNo = static_cast<int>(s.MoveColor);
    if (!PlaceStone(s, s.JosekiGrid)) {
      ok = false;
      return;
    }
    CaptureOn(session, Board::Joseki, s.StoneNo);
  });
  return ok;
}

// Ends a record drawing that met an error: the record board is left empty.
void AbandonRecord(JosekiSession& session) {
  ClearRecordBoard(session);
}

}  // namespace

void ShowEntry(JosekiSession& session) {
  ClearJosekiBoard(session);
  session.state.JosekiGrid.Clear();
  if (!DrawJosekiStones(session)) return;
  session.canvas.Present();
  DrawMarks(session);
  ParseRecord(session);
  session.state.StoneNo = 0;
}

void DrawMarks(JosekiSession& session) {
  JosekiState& s = session.state;
  if (s.Marks.isEmpty()) return;
  ForEachTriple(s.Marks, [&](QStringView r, QStringView c, QStringView code) {
    s.Move = {CoordFromChar(r), CoordFromChar(c)};
    // A marker whose image cannot be loaded is drawn with the image loaded before it.
    session.canvas.LoadPattern(MarkerImage(code));
    session.canvas.DrawCell(CellX(Board::Joseki, s.Move.col), CellY(s.Move.row));
  });
  session.canvas.Present();
}

void ParseRecord(JosekiSession& session) {
  JosekiState& s = session.state;
  const std::optional<RecordParts> parts = SplitRecordText(s.RecordText);
  if (!parts) {
    // No record, or a text that cannot be cut into one.
    s.RecordMoves.clear();
    s.RawRecordMoves.clear();
    ClearRecordBoard(session);
    session.ui.SetRecordButtonsEnabled(false);
    return;
  }
  session.ui.SetRecordCaption(parts->caption);
  s.NumberLimit = parts->numberLimit;
  s.RecordLength = parts->recordLength;
  s.RawRecordMoves = parts->rawMoves;
  s.RecordMoves = parts->moves;
  ShowRecord(session);
}

void ShowRecord(JosekiSession& session) {
  JosekiState& s = session.state;
  BoardCanvas& canvas = session.canvas;
  ClearRecordBoard(session);
  const bool whiteFirst = s.NumberLimit % 2 == 0;
  if (s.RecordLength < 0) {
    AbandonRecord(session);
    return;
  }
  const QStringView shown = QStringView(s.RecordMoves).left(2 * qsizetype{s.RecordLength});
  s.MoveCount = 0;
  int n = 0;
  for (qsizetype k = 1; k <= shown.size(); k += 2) {
    const int m = ++s.MoveCount;
    s.Move.row = CoordFromChar(CharAt(shown, k));
    if (s.Move.row == 0) {
      session.ui.SetRecordCaption(QString());
      return;
    }
    s.Move.col = CoordFromChar(CharAt(shown, k + 1));
    if (s.Move.col == 0) {
      session.ui.SetRecordCaption(QString());
      return;
    }
    s.MoveColor = ColorOfNumber(m);
    const bool numbered = s.NumberLimit <= m && m <= s.RecordLength;
    if (numbered) ++n;
    if (!canvas.LoadPattern(RecordMoveImage(m, numbered ? n : 0, whiteFirst))) {
      AbandonRecord(session);
      return;
    }
    canvas.DrawCell(CellX(Board::Record, s.Move.col), CellY(s.Move.row));
    canvas.Present();
    PlaceStone(s, s.RecordGrid);
    CaptureOn(session, Board::Record, s.MoveCount);
  }
  session.ui.SetRecordButtonsEnabled(true);
  s.StoneNo = 0;
}

}  // namespace moraku
