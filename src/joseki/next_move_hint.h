// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The next-move hint: the joseki replayed on the joseki board one move per press, the newest
// move marked in red.

#include "joseki/joseki_session.h"

namespace moraku {

void StartHint(JosekiSession& session);     // "手順表示開始"
void ShowNextMove(JosekiSession& session);  // "次手を表示"

}  // namespace moraku
