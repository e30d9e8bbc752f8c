#include "joseki/entry_display.h"

namespace moraku {
// Placeholders: replaced by the real procedures.
void ShowEntry(JosekiSession&) {}
void DrawMarks(JosekiSession&) {}
void ParseRecord(JosekiSession&) {}
void ShowRecord(JosekiSession&) {}
}  // namespace moraku
