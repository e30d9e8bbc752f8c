// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening the joseki window on a section: the database is read into the entry table, the list
// filled and entry 1 shown.

#include <QString>

#include "joseki/joseki_session.h"

namespace moraku {

// The load of the joseki window for state.SectionIndex: reads the section from the database
// at databasePath into state.Entries, sets the record caption to one space, fills the entry list
// with the titles, selects row 0 (showing entry 1), sets CurrentEntry = 1, disables the six record
// buttons and both timers, hides both end marks, shows entry 1 again with ShowFirstEntry and closes
// the board input. A database that cannot be opened or read leaves the list empty and the controls
// in their designed state, and returns a message for the user naming the file and the reason;
// on success returns an empty string.
QString OpenSection(JosekiSession& session, const QString& databasePath);

}  // namespace moraku
