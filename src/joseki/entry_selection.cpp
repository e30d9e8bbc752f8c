#include "joseki/entry_selection.h"

namespace moraku {
// Placeholders: replaced by the real procedures.
void SelectEntry(JosekiSession&) {}
void SelectListRow(JosekiSession&, int) {}
void ShowFirstEntry(JosekiSession&) {}
void ShowFoundEntry(JosekiSession&) {}
void EnlargeText(JosekiSession&) {}
}  // namespace moraku
