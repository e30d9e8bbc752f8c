#include "joseki/next_move_hint.h"

namespace moraku {
// Placeholders: replaced by the real procedures.
void StartHint(JosekiSession&) {}
void ShowNextMove(JosekiSession&) {}
}  // namespace moraku
