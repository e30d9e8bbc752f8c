// SPDX-License-Identifier: GPL-3.0-or-later
#include "joseki/entry_selection.h"

#include "board/coords.h"
#include "joseki/entry_display.h"

namespace moraku {

namespace {

// The entry's joseki moves as the list's click takes them: the length cut to a multiple of three
// (at most two trailing characters go), then the first ASCII space and the first ideographic
// space taken out, in that order.
QString CleanJosekiMoves(QString moves) {
  for (int i = 0; i < 2 && moves.size() % 3 != 0; ++i) moves.chop(1);
  return RemoveFirstSpaces(std::move(moves));
}

bool IsEntryIndex(const JosekiSession& session, int k) {
  return k >= 0 && k <= session.state.Entries.Count();
}

// The members every entry procedure takes from entry k; the record's moves are forgotten when
// the entry has no record.
void TakeEntry(JosekiSession& session, const Entry& entry, const QString& josekiMoves) {
  JosekiState& s = session.state;
  s.PresetStones = entry.preset;
  s.JosekiMoves = josekiMoves;
  session.ui.SetComment(entry.comment);
  s.Marks = entry.marks;
  s.RecordText = entry.record;
}

void ForgetRecordWhenNone(JosekiSession& session) {
  if (session.state.RecordText.size() < 2) {
    session.state.RecordMoves.clear();
    session.state.RawRecordMoves.clear();
  }
}

}  // namespace

void SelectEntry(JosekiSession& session) {
  JosekiState& s = session.state;
  const int k = session.ui.SelectedRow() + 1;
  if (!IsEntryIndex(session, k)) return;
  s.CurrentEntry = k;
  const Entry& entry = s.Entries.entries[k];
  session.ui.SetReference(entry.ref);
  TakeEntry(session, entry, CleanJosekiMoves(entry.moves));
  SetSearchText(session, s.RecordText);
  ForgetRecordWhenNone(session);
  session.ui.SetRecordCaption(QStringLiteral(" "));
  ShowEntry(session);
}

void SelectListRow(JosekiSession& session, int row) {
  if (row < 0 || row >= session.ui.ListRowCount()) return;
  if (session.ui.SelectedRow() == row) return;
  session.ui.SetSelectedRow(row);
  SelectEntry(session);
}

void ShowFirstEntry(JosekiSession& session) {
  if (session.state.Entries.Count() < 1) return;
  const Entry& entry = session.state.Entries.entries[1];
  TakeEntry(session, entry, entry.moves);
  ForgetRecordWhenNone(session);
  session.ui.SetRecordCaption(QStringLiteral(" "));
  ShowEntry(session);
}

void ShowFoundEntry(JosekiSession& session) {
  const int k = session.state.CurrentEntry - 1;
  if (!IsEntryIndex(session, k)) return;
  const Entry& entry = session.state.Entries.entries[k];
  TakeEntry(session, entry, entry.moves);
  ForgetRecordWhenNone(session);
  // Entry k sits on row k - 1; entry 0 has no row, and the procedure stops here without drawing
  // (the members now hold the empty entry 0).
  const int row = k - 1;
  if (row < 0 || row >= session.ui.ListRowCount()) return;
  SelectListRow(session, row);
  session.ui.SetRecordCaption(QStringLiteral(" "));
  ShowEntry(session);
}

void EnlargeText(JosekiSession& session) {
  session.ui.SetTextFontSize(session.ui.TextFontSize() > 12 ? 11 : 14);
}

}  // namespace moraku
