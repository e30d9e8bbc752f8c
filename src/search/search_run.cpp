// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_run.h"

#include "joseki/entry_display.h"
#include "joseki/entry_selection.h"
#include "search/search_scan.h"

namespace moraku {

void RunSearch(JosekiSession& session) {
  JosekiState& st = session.state;
  st.DroppedStones = 0;
  st.FallbackFound = false;
  if (st.SearchText.isEmpty()) {
    session.ui.ShowMessage(EmptySearchMessage());
    return;
  }
  for (int i = 1; i <= kMaxHitKeys; ++i) st.HitKeys[i].clear();
  session.ui.SetRecordButtonsEnabled(false);

  const QString search = st.SearchText;
  const QString mirror = st.MirrorText;
  st.FallbackText.clear();
  if (IsTooShortToSearch(search)) {
    session.ui.ShowMessage(ShortSearchMessage());
    return;
  }

  const SearchOutcome outcome = SearchRecords(st.Entries.records, search, mirror);
  for (int i = 1; i <= kMaxHitKeys; ++i) st.HitKeys[i] = outcome.hitKeys[i];
  st.DroppedStones = outcome.droppedStones;
  st.FallbackFound = outcome.found;
  if (outcome.fallbackRan) {
    st.FallbackText = outcome.fallbackText;
    st.FallbackMirror = outcome.fallbackMirror;
  }
  if (outcome.located > 0) st.CurrentEntry = outcome.located + 1;

  if (st.FallbackFound) {
    session.ui.SetHitDeliveryTimerEnabled(true);
  } else {
    session.ui.ShowMessage(SearchFailureMessage(st.DroppedStones));
  }
  st.NoBoardInput = true;
}

void FoundEntryTick(JosekiSession& session) {
  session.ui.SetHitDeliveryTimerEnabled(false);
  ShowFoundEntry(session);
  session.ui.ShowMessage(SearchSuccessMessage(session.state.DroppedStones));
}

void EndSearch(JosekiSession& session) {
  session.state.NoBoardInput = false;
  ParseRecord(session);
}

}  // namespace moraku
