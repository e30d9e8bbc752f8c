// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Entering the search sequence with the mouse on the record board.

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

}  // namespace moraku
