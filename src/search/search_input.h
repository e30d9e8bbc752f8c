// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Entering the search sequence with the mouse on the record board.

#include <QStringView>

#include "joseki/joseki_session.h"

namespace moraku {

// Mouse move over the board picture at pixel (x, y): stores MouseCol and MouseRow.
void TrackPointer(JosekiSession& session, int x, int y);

// Click on the board picture: takes the cell under the pointer as the next search stone.
void AddSearchStone(JosekiSession& session);

void StartSearchInput(JosekiSession& session);  // "検索手順の入力開始"

// Places the next numbered search stone at point p of the record board.
void DrawSearchStone(JosekiSession& session, BoardPoint p);

// Redraws the search text on an empty record board.
void RedrawSearch(JosekiSession& session);

void ShortenSearch(JosekiSession& session);    // "手順を減らす"
void RedisplaySearch(JosekiSession& session);  // "検索手順の再表示"
void AddSearchMoves(JosekiSession& session);   // "手順を追加する"

// Whether `text` is a search sequence as the input writes it: whole triples, each "???" or a
// point of the board in the colour of its stone number (Black first). The search text also
// holds an entry's record text after a choice from the list, which is none.
bool IsSearchSequence(QStringView text);

// Whether the record board shows something at point p while the search input is on: a stone of
// the search text, a marker of the opening point, or a stone of a record drawn before.
bool SearchInputShows(const JosekiSession& session, BoardPoint p);

// Draws the marker triples `marks` (row, column, "a".."e") on the record board, and presents.
void DrawRecordMarks(JosekiSession& session, QStringView marks);
// Takes them off: each marked point drawn empty again.
void EraseRecordMarks(JosekiSession& session, QStringView marks);

}  // namespace moraku
