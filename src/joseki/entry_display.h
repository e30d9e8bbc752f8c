// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing the entry shown on both boards: preset stones, numbered joseki moves with captures,
// markers, and the record.

#include "joseki/joseki_session.h"

namespace moraku {

// Redraws the joseki board with the entry's stones and markers, then the record ("全手順表示"
// runs it too).
void ShowEntry(JosekiSession& session);

// Draws the entry's markers on the joseki board and presents.
void DrawMarks(JosekiSession& session);

// Cuts RecordText into caption, NumberLimit, RecordLength and RecordMoves and draws the record;
// an entry without a record gets the empty record board and disabled record buttons.
void ParseRecord(JosekiSession& session);

// Draws the record's moves 1..RecordLength on the empty record board.
void ShowRecord(JosekiSession& session);

}  // namespace moraku
