// SPDX-License-Identifier: GPL-3.0-or-later
#include "joseki/window_load.h"

#include <QStringList>

#include "data/section_loader.h"
#include "joseki/entry_selection.h"

namespace moraku {

QString OpenSection(JosekiSession& session, const QString& databasePath) {
  JosekiState& s = session.state;
  SectionLoad load = LoadSection(databasePath, s.SectionIndex);
  if (!load.error.isEmpty()) {
    s.Entries = EntryTable{};
    return load.error;
  }
  s.Entries = std::move(load.table);

  session.ui.SetRecordCaption(QStringLiteral(" "));
  QStringList titles;
  titles.reserve(s.Entries.Count());
  for (int k = 1; k <= s.Entries.Count(); ++k) titles << s.Entries.entries[k].title;
  session.ui.SetListRows(titles);

  const bool empty = titles.isEmpty();
  // Selecting row 0 shows entry 1 completely. An empty section has no row to select and no
  // entry to show: the window is left idle instead, with nothing to step through.
  if (!empty) SelectListRow(session, 0);
  s.CurrentEntry = empty ? 0 : 1;
  session.ui.SetRecordButtonsEnabled(false);
  session.ui.SetEndMarkTimerEnabled(false);
  session.ui.SetHitDeliveryTimerEnabled(false);
  session.ui.SetJosekiEndMarkVisible(false);
  session.ui.SetRecordEndMarkVisible(false);
  if (!empty) ShowFirstEntry(session);
  s.NoBoardInput = true;
  return {};
}

}  // namespace moraku
