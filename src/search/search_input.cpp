#include "search/search_input.h"

namespace moraku {
// Placeholders: replaced by the real procedures.
void TrackPointer(JosekiSession&, int, int) {}
void AddSearchStone(JosekiSession&) {}
void StartSearchInput(JosekiSession&) {}
void DrawSearchStone(JosekiSession&, int, int) {}
void RedrawSearch(JosekiSession&) {}
void ShortenSearch(JosekiSession&) {}
void RedisplaySearch(JosekiSession&) {}
void AddSearchMoves(JosekiSession&) {}
}  // namespace moraku
