#include "search/search_run.h"

namespace moraku {
// Placeholders: replaced by the real procedures.
void RunSearch(JosekiSession&) {}
void FoundEntryTick(JosekiSession&) {}
void EndSearch(JosekiSession&) {}
}  // namespace moraku
