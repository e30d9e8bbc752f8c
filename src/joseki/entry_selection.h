// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Making an entry the entry shown: the list's click, the first entry after the load, the entry
// found by the search, and the text-size button.

#include "joseki/joseki_session.h"

namespace moraku {

// The list's click handling: the entry of the selected row becomes the entry shown and is drawn.
void SelectEntry(JosekiSession& session);

// Selects list row `row` from code; when the selection changes this raises SelectEntry, as a
// click would.
void SelectListRow(JosekiSession& session, int row);

// Entry 1 becomes the entry shown (end of the window's load).
void ShowFirstEntry(JosekiSession& session);

// Entry CurrentEntry - 1 becomes the entry shown (the search's hit, one second after the search).
void ShowFoundEntry(JosekiSession& session);

// "文字拡大": the record caption and the comment switch between 14 and 11 points.
void EnlargeText(JosekiSession& session);

}  // namespace moraku
