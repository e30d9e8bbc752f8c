// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running the search over the section's records, with its stone-dropping fallback.

#include "joseki/joseki_session.h"

namespace moraku {

void RunSearch(JosekiSession& session);  // "検 索 実 行"
void FoundEntryTick(
    JosekiSession& session);  // tick of the hit-delivery timer: shows the hit and its message
void EndSearch(JosekiSession& session);  // "検索中止・終了"

}  // namespace moraku
