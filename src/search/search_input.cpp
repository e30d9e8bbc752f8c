// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_input.h"

#include <algorithm>

#include "board/coords.h"
#include "data/sections.h"
#include "joseki/stone_images.h"
#include "render/image_names.h"

namespace moraku {

namespace {

// The highest stone number; a click or redraw step at this number does nothing.
constexpr int kMaxStoneNo = 32767;

// The record board's cell columns over the whole board picture.
constexpr int kFirstRecordColumn = 21;
constexpr int kLastRecordColumn = kFirstRecordColumn + kBoardSize - 1;

// The tenuki area: row 10, columns 17 to 19 of the record board.
constexpr int kTenukiRow = 10;
constexpr int kFirstTenukiColumn = 17;
constexpr int kLastTenukiColumn = 19;

// The markers of the tenuki area: 3 pixels right of and 4 below its cells.
constexpr int kTenukiMarkerX[] = {795, 817, 839};
constexpr int kTenukiMarkerY = 211;

const QString kTenuki = QStringLiteral("???");

// The section whose opening point the first search stone must take. A session that names no
// section of the table asks for the 4-4 point, as the first two sections do.
const Section& SearchSection(const JosekiState& state) {
  const Section* section = FindSection(state.SectionIndex);
  return section != nullptr ? *section : AllSections().front();
}

// The numbered stone image of search stone n.
QString SearchStoneImage(int n) {
  if (n >= 56) return WhiteStoneImage();
  return NumberedStoneName(n % 2 == 1, n);
}

// Loads `image` and draws it at pixel (x, y); a marker that cannot be loaded is left out.
void DrawMarker(JosekiSession& session, const QString& image, int x, int y) {
  if (session.canvas.LoadPattern(image)) session.canvas.DrawCell(x, y);
}

// Draws the stones of `text` again from its first triple; the k-th tenuki stone goes on column
// 17, 18, then 19 of row 10, whichever cell of the area was clicked.
void RedrawTriples(JosekiSession& session, const QString& text) {
  int tenukis = 0;
  for (qsizetype p = 1; p <= text.size(); p += 3) {
    const QStringView rowChar = CharAt(text, p);
    const QStringView colChar = CharAt(text, p + 1);
    BoardPoint point;
    point.row = IsTenuki(rowChar) ? kTenukiRow : CoordFromChar(rowChar);
    if (IsTenuki(colChar)) {
      ++tenukis;
      point.col = std::min(kFirstTenukiColumn + tenukis - 1, kLastTenukiColumn);
    } else {
      point.col = CoordFromChar(colChar);
    }
    DrawSearchStone(session, point);
  }
}

}  // namespace

void TrackPointer(JosekiSession& session, int x, int y) {
  session.state.MouseCol = CellColumnOfPixel(x);
  session.state.MouseRow = CellRowOfPixel(y);
}

void AddSearchStone(JosekiSession& session) {
  JosekiState& st = session.state;
  if (st.NoBoardInput) return;
  if (st.MouseCol < kFirstRecordColumn || st.MouseCol > kLastRecordColumn) return;
  if (st.MouseRow < 1 || st.MouseRow > kBoardSize) return;
  const int col = st.MouseCol - (kFirstRecordColumn - 1);
  const int row = st.MouseRow;

  const bool tenuki = row == kTenukiRow && col >= kFirstTenukiColumn;
  if (st.StoneNo >= kMaxStoneNo) return;
  ++st.StoneNo;

  const Section& section = SearchSection(st);
  if (st.StoneNo == 1 && (tenuki || !IsOpeningPoint(section, row, col))) {
    session.ui.ShowMessage(QString::fromUtf8(section.firstStoneMessage));
    ClearRecordBoard(session);
    st.StoneNo = 0;
    SetSearchText(session, QString());
    st.MirrorText.clear();
    return;
  }

  QString search = kTenuki;
  QString mirror = kTenuki;
  if (!tenuki) {
    const QChar rowChar = CharFromCoord(row);
    const QChar colChar = CharFromCoord(col);
    const QChar colour = StoneStringCode(ColorOfNumber(st.StoneNo));
    const QChar searchChars[] = {rowChar, colChar, colour};
    const QChar mirrorChars[] = {colChar, rowChar, colour};
    search = QString(searchChars, 3);
    mirror = QString(mirrorChars, 3);
  }
  SetSearchText(session, st.SearchText + search);
  st.MirrorText += mirror;
  DrawStoneImage(session, Board::Record, SearchStoneImage(st.StoneNo), {row, col});
}

void StartSearchInput(JosekiSession& session) {
  ClearRecordBoard(session);
  session.ui.SetRecordButtonsEnabled(false);
  for (int x : kTenukiMarkerX) DrawMarker(session, TenukiMarkImage(), x, kTenukiMarkerY);
  // The opening point, and its diagonal mirror when that is another point.
  const Section& section = SearchSection(session.state);
  DrawMarker(session, FirstMoveMarkImage(), CellX(Board::Record, section.openingCol),
             CellY(section.openingRow));
  if (section.openingRow != section.openingCol) {
    DrawMarker(session, FirstMoveMarkImage(), CellX(Board::Record, section.openingRow),
               CellY(section.openingCol));
  }
  session.canvas.Present();
  SetSearchText(session, QString());
  session.state.MirrorText.clear();
  session.state.StoneNo = 0;
  session.state.NoBoardInput = false;
}

void DrawSearchStone(JosekiSession& session, BoardPoint p) {
  JosekiState& st = session.state;
  if (st.StoneNo >= kMaxStoneNo) return;
  ++st.StoneNo;
  DrawStoneImage(session, Board::Record, SearchStoneImage(st.StoneNo), p);
}

namespace {

// Starts the input afresh (empty board with its markers, stone number 0), then puts `search`
// and `mirror` into the two texts and redraws the search stones. Takes copies: the texts are
// emptied on the way.
void RestartWith(JosekiSession& session, QString search, QString mirror) {
  session.state.StoneNo = 0;
  StartSearchInput(session);
  SetSearchText(session, search);
  session.state.MirrorText = mirror;
  RedrawTriples(session, search);
}

}  // namespace

void RedrawSearch(JosekiSession& session) {
  JosekiState& st = session.state;
  if (st.SearchText.isEmpty()) {
    session.ui.ShowMessage(QStringLiteral("検索手順がありません。入力してください。"));
    return;
  }
  RestartWith(session, st.SearchText, st.MirrorText);
}

void ShortenSearch(JosekiSession& session) {
  JosekiState& st = session.state;
  // A text shorter than one stone has nothing to drop.
  if (st.SearchText.size() < 3 || st.MirrorText.size() < 3) return;
  RestartWith(session, st.SearchText.left(st.SearchText.size() - 3),
              st.MirrorText.left(st.MirrorText.size() - 3));
}

void RedisplaySearch(JosekiSession& session) {
  RedrawSearch(session);
  session.state.NoBoardInput = false;
}

void AddSearchMoves(JosekiSession& session) {
  const qsizetype stones = session.state.SearchText.size() / 3;
  session.state.StoneNo = static_cast<int>(std::min<qsizetype>(stones, kMaxStoneNo));
  session.state.NoBoardInput = false;
}

bool IsSearchSequence(QStringView text) {
  if (text.size() % 3 != 0) return false;
  for (qsizetype k = 0; k < text.size(); k += 3) {
    const QStringView triple = text.sliced(k, 3);
    if (triple == kTenuki) continue;
    const int number = static_cast<int>(k / 3) + 1;
    if (WrittenCoordFromChar(triple[0]) == 0 || WrittenCoordFromChar(triple[1]) == 0 ||
        triple[2] != StoneStringCode(ColorOfNumber(number)))
      return false;
  }
  return true;
}

bool SearchInputShows(const JosekiSession& session, BoardPoint p) {
  const JosekiState& st = session.state;
  const Section& section = SearchSection(st);
  if ((p.row == section.openingRow && p.col == section.openingCol) ||
      (p.row == section.openingCol && p.col == section.openingRow))
    return true;
  if (st.RecordGrid.At(p) != 0) return true;
  bool stone = false;
  ForEachTriple(st.SearchText, [&](QStringView r, QStringView c, QStringView) {
    stone = stone || (CoordFromChar(r) == p.row && CoordFromChar(c) == p.col);
  });
  return stone;
}

void DrawRecordMarks(JosekiSession& session, QStringView marks) {
  if (marks.isEmpty()) return;
  ForEachTriple(marks, [&](QStringView r, QStringView c, QStringView code) {
    if (session.canvas.LoadPattern(MarkerImage(code)))
      session.canvas.DrawCell(CellX(Board::Record, CoordFromChar(c)), CellY(CoordFromChar(r)));
  });
  session.canvas.Present();
}

void EraseRecordMarks(JosekiSession& session, QStringView marks) {
  ForEachTriple(marks, [&](QStringView r, QStringView c, QStringView) {
    ErasePoint(session, Board::Record, {CoordFromChar(r), CoordFromChar(c)});
  });
}

}  // namespace moraku
